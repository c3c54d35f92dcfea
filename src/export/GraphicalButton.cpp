#include "export/GraphicalButton.h"

namespace velmora {

namespace {

QString styleSheetFor(const QColor &background)
{
    // A style sheet that sets a background must also draw the frame, or
    // the style falls back to a flat square; the focus frame stays visible
    // because keyboard users need to see which button Enter or Space press.
    return QStringLiteral(
               "QPushButton { background-color: %1; color: black; border: 1px solid #707070;"
               " border-radius: 2px; }"
               "QPushButton:focus { border: 2px solid #303030; }"
               "QPushButton:pressed { background-color: %2; }"
               "QPushButton:disabled { color: #808080; }")
        .arg(background.name(), background.darker(115).name());
}

} // namespace

GraphicalButton::GraphicalButton(const QString &name, const QString &caption, const QColor &background,
                                 const QRect &place, QWidget *parent)
    : QPushButton(caption, parent), m_background(background)
{
    setObjectName(name);
    setGeometry(place);
    setStyleSheet(styleSheetFor(background));
    setAccessibleName(caption);
}

} // namespace velmora
