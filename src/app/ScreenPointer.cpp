#include "app/ScreenPointer.h"

#include <QApplication>

namespace velmora {

void ScreenPointer::showBusy()
{
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(Qt::WaitCursor);
    else
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void ScreenPointer::showDefault()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

} // namespace velmora
