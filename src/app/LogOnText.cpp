#include "app/LogOnText.h"

#include "app/TrimmedOfSpaces.h"

namespace velmora {

QString logOnText(const QString &passwordBoxText)
{
    return u'\n' + trimmedOfSpaces(passwordBoxText);
}

} // namespace velmora
