#include "FuzzEntries.h"

#include "export/FileNameRules.h"

namespace velmora::fuzzing {

// The first byte chooses the export format, the rest is the file name as
// typed; the rules run in the order the export dialog applies them.
void applyFileNameRules(const QByteArray &input)
{
    if (input.isEmpty())
        return;
    const auto &formats = ExportFormatTable::entries();
    const ExportFormatEntry &chosen = formats[static_cast<unsigned char>(input[0]) % formats.size()];
    const QString name = QString::fromUtf8(input.mid(1));
    if (FileNameRules::holdsForbiddenCharacter(name))
        return;
    const QString renamed = FileNameRules::withExtensionOf(name, chosen);
    if (!renamed.endsWith(chosen.extension, Qt::CaseInsensitive))
        throw BrokenPromise("the file name does not end in the chosen format's extension");
    const QString collapsed = FileNameRules::withDoubleStopsCollapsed(renamed);
    if (collapsed.size() > renamed.size())
        throw BrokenPromise("collapsing full stops made the name longer");
    if (FileNameRules::holdsForbiddenCharacter(collapsed))
        throw BrokenPromise("the rules brought in a forbidden character");
}

} // namespace velmora::fuzzing
