#pragma once

#include "engine/report/EngineServices.h"

class QPrinter;

namespace velmora {

/// Prints the pages of `pages` that the printer's page range asks for
/// (every page when it asks for none), each painted by `paintPage` at its
/// real size from the sheet's top-left corner. A failure or a stop part-way
/// abandons the print job rather than sending half a report.
void printPages(PageSource &pages, QPrinter &printer,
                const std::function<void(QPainter &, const Page &, const QRectF &)> &paintPage,
                ProgressMonitor *monitor);

} // namespace velmora
