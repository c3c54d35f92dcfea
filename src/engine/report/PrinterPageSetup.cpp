#include "engine/report/PrinterPageSetup.h"

#include <QPageSize>
#include <QPrinter>

namespace velmora {

namespace {
constexpr double millimetresPerInch = 25.4;

QPageSize pageSizeOf(const QSize &paperTwips)
{
    const QSizeF millimetres = QSizeF(paperTwips) * (millimetresPerInch / twipsPerInch);
    return QPageSize(millimetres, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
}

QSize portraitTwipsOf(const QPageSize &pageSize)
{
    const QSizeF twips = pageSize.size(QPageSize::Millimeter) * (twipsPerInch / millimetresPerInch);
    const QSize rounded(qRound(twips.width()), qRound(twips.height()));
    return rounded.width() > rounded.height() ? rounded.transposed() : rounded;
}
} // namespace

void applyPageSetup(const PageSetup &page, QPrinter &printer)
{
    printer.setFullPage(true);
    printer.setPageSize(pageSizeOf(page.paper));
    printer.setPageOrientation(page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

PageSetup pageSetupFromPrinter(const QPrinter &printer, const PageSetup &current)
{
    PageSetup chosen = current;
    const QPageLayout layout = printer.pageLayout();
    if (!layout.pageSize().isEquivalentTo(pageSizeOf(current.paper)))
        chosen.paper = portraitTwipsOf(layout.pageSize());
    chosen.landscape = layout.orientation() == QPageLayout::Landscape;
    return chosen;
}

} // namespace velmora
