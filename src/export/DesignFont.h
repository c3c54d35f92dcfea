#pragma once

#include <QFont>

namespace velmora {

/// The font the window designs were measured with: an 8-point sans serif,
/// here its metric-compatible stand-in, so that every caption fits the
/// control the design gives it. Set on a window, never on its controls.
inline QFont designFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    return font;
}

} // namespace velmora
