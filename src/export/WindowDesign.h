#pragma once

#include <QDialog>
#include <QSize>

namespace velmora {

/// The window properties every design here shares: a window of fixed size
/// with a caption and a close box, no maximize or minimize button, and the
/// design font, so that the controls' twips map onto pixels as drawn.
class WindowDesign {
public:
    static void describe(QDialog *window, const QString &name, const QString &caption, Qt::WindowType frame,
                         QSize clientTwips);
};

} // namespace velmora
