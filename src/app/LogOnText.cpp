#include "app/LogOnText.h"

namespace velmora {

QString logOnText(const QString &passwordBoxText)
{
    qsizetype first = 0;
    qsizetype end = passwordBoxText.size();
    while (first < end && passwordBoxText.at(first) == u' ')
        ++first;
    while (end > first && passwordBoxText.at(end - 1) == u' ')
        --end;
    return u'\n' + passwordBoxText.mid(first, end - first);
}

} // namespace velmora
