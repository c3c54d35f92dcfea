#pragma once

#include <QColor>
#include <QPushButton>

namespace velmora {

/// A push button drawn with its own background colour, as the designs' confirm,
/// cancel and browse buttons are. Platform styles ignore a button's palette,
/// so the colour is carried by a style sheet, which every style honours.
class GraphicalButton : public QPushButton {
    Q_OBJECT
public:
    /// A button named `name` at `place` (pixels) on `parent`.
    GraphicalButton(const QString &name, const QString &caption, const QColor &background, const QRect &place,
                    QWidget *parent);

    QColor backgroundColour() const { return m_background; }

private:
    QColor m_background;
};

} // namespace velmora
