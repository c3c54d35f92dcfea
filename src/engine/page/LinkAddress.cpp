#include "engine/page/LinkAddress.h"

namespace velmora {

std::optional<QUrl> followableLink(const QString &address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(u' ') || trimmed.contains(u'\n'))
        return std::nullopt;
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty())
        return url;
    if (scheme == QLatin1String("mailto") && url.path().contains(u'@'))
        return url;
    return std::nullopt;
}

} // namespace velmora
