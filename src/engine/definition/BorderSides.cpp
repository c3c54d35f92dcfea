#include "engine/definition/BorderSides.h"

#include <QStringList>

namespace velmora {

QString borderSidesText(const BorderSpec &border)
{
    if (border.left && border.top && border.right && border.bottom)
        return QStringLiteral("all");
    QStringList sides;
    if (border.left)
        sides << QStringLiteral("left");
    if (border.top)
        sides << QStringLiteral("top");
    if (border.right)
        sides << QStringLiteral("right");
    if (border.bottom)
        sides << QStringLiteral("bottom");
    return sides.join(u' ');
}

std::optional<BorderSpec> withBorderSides(BorderSpec border, QStringView text, QString *badWord)
{
    border.left = border.top = border.right = border.bottom = false;
    if (text.trimmed() == u"all") {
        border.left = border.top = border.right = border.bottom = true;
        return border;
    }
    for (const QStringView side : text.split(u' ', Qt::SkipEmptyParts)) {
        bool *flag = side == u"left"     ? &border.left
                   : side == u"top"      ? &border.top
                   : side == u"right"    ? &border.right
                   : side == u"bottom"   ? &border.bottom
                                         : nullptr;
        if (!flag) {
            if (badWord)
                *badWord = side.toString();
            return std::nullopt;
        }
        *flag = true;
    }
    return border;
}

} // namespace velmora
