#include "engine/report/PagePrinting.h"

#include "engine/seam/SeamErrors.h"

#include <QPainter>
#include <QPrinter>

namespace velmora {

namespace {
struct PageRange {
    int first = 0;
    int last = -1; ///< -1: to the end
};

PageRange pageRangeOf(const QPrinter &printer)
{
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() < 1)
        return {};
    return {printer.fromPage() - 1, printer.toPage() - 1};
}

QRectF sheetRectOf(const Page &page, const QPrinter &printer)
{
    const double devicePerTwip = printer.resolution() / twipsPerInch;
    return QRectF(QPointF(0, 0), QSizeF(page.size) * devicePerTwip);
}

void throwIfStopped(const CancelToken &cancel)
{
    if (cancel.isCancelled())
        throw Failure(SeamErrors::Stopped, QStringLiteral("S'ha aturat la impressió."));
}

void beginPrinting(QPainter &painter, QPrinter &printer)
{
    if (!painter.begin(&printer))
        throw Failure(SeamErrors::PrintFailed,
                      QStringLiteral("No s'ha pogut començar a imprimir a la impressora %1.")
                          .arg(printer.printerName()));
}
} // namespace

void printPages(PageSource &pages, QPrinter &printer,
                const std::function<void(QPainter &, const Page &, const QRectF &)> &paintPage,
                ProgressMonitor *monitor)
{
    CancelToken cancel;
    const ProgressCallback progress = progressCallbackFor(monitor, cancel);
    const PageRange range = pageRangeOf(printer);
    QPainter painter;
    try {
        for (int index = range.first; range.last < 0 || index <= range.last; ++index) {
            if (pages.layOutUntil(index, cancel, progress) <= index)
                break;
            throwIfStopped(cancel);
            if (!painter.isActive())
                beginPrinting(painter, printer);
            else
                printer.newPage();
            const Page page = pages.page(index);
            paintPage(painter, page, sheetRectOf(page, printer));
        }
    } catch (...) {
        if (painter.isActive())
            printer.abort();
        throw;
    }
}

} // namespace velmora
