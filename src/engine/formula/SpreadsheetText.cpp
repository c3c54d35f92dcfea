#include "engine/formula/SpreadsheetText.h"

namespace velmora {

QString spreadsheetLiteral(QStringView text)
{
    static constexpr QStringView bare = u" $-+/():!^&'~{}<>=";
    QString code;
    QString quoted;
    const auto flush = [&] {
        if (!quoted.isEmpty())
            code += u'"' + quoted + u'"';
        quoted.clear();
    };
    for (const QChar c : text) {
        if (c == u'"') {
            flush();
            code += QStringLiteral("\\\"");
        } else if (bare.contains(c)) {
            flush();
            code += c;
        } else {
            quoted += c;
        }
    }
    flush();
    return code;
}

} // namespace velmora
