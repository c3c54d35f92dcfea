#include "engine/control/WebLink.h"

#include "engine/page/LinkAddress.h"

namespace velmora {

std::optional<QUrl> WebLink::fromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(u' '))
        return std::nullopt;
    QString address = trimmed;
    if (trimmed.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        address.prepend(QStringLiteral("https://"));
    else if (!trimmed.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
             && !trimmed.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return std::nullopt;
    QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    return url;
}

std::optional<QUrl> WebLink::at(const Page &page, QPointF pointTwips)
{
    for (auto it = page.items.rbegin(); it != page.items.rend(); ++it) {
        if (const auto *picture = std::get_if<PictureItem>(&*it);
            picture && !picture->link.isEmpty() && QRectF(picture->rect).contains(pointTwips))
            return followableLink(picture->link);
        const auto *text = std::get_if<TextItem>(&*it);
        if (!text || !QRectF(text->box).contains(pointTwips))
            continue;
        if (!text->link.isEmpty())
            return followableLink(text->link);
        return fromText(text->text);
    }
    return std::nullopt;
}

} // namespace velmora
