#include "engine/control/BusyCursor.h"

#include <QApplication>

namespace velmora {

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

} // namespace velmora
