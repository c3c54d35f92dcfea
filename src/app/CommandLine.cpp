#include "app/CommandLine.h"

#include "app/TrimmedOfSpaces.h"

#include <array>

namespace velmora {

namespace {

// Takes the field between the first "<" and the first ">" of `rest` and
// leaves in `rest` what follows that ">". A ">" missing or standing before
// the first "<" has no sound reading: the field is refused, and the caller
// stops there so that no later value is taken from a misaligned position.
bool takeField(QString &rest, QString &field)
{
    const qsizetype open = rest.indexOf(u'<');
    const qsizetype close = rest.indexOf(u'>');
    if (open < 0 || close < open)
        return false;
    field = rest.mid(open + 1, close - open - 1);
    rest = trimmedOfSpaces(rest.mid(close + 1));
    return true;
}

} // namespace

CommandLine CommandLine::parse(const QString &argumentText)
{
    CommandLine values;
    QString rest = trimmedOfSpaces(argumentText);
    if (!rest.contains(u'<')) {
        values.report = rest;
        return values;
    }
    const std::array<QString *, 3> fields{&values.report, &values.database, &values.password};
    for (QString *field : fields) {
        if (!takeField(rest, *field))
            break;
    }
    return values;
}

} // namespace velmora
