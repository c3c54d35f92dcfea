#include "engine/report/LogonPassword.h"

namespace velmora {

LogonPassword LogonPassword::fromLogonText(const QString &text)
{
    const qsizetype lineFeed = text.indexOf(u'\n');
    if (lineFeed < 0)
        return {text, QString()};
    return {text.left(lineFeed), text.mid(lineFeed + 1)};
}

} // namespace velmora
