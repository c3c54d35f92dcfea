#include "SalesPages.h"

#include "AccessCsv.h"
#include "ExpectedSales.h"
#include "engine/page/PageSource.h"

namespace velmora::testing {

namespace {
// Left edges in the report file, measured from the page's left margin.
constexpr int marginLeft = 1134;
constexpr int clientNameLeft = marginLeft + 200;
constexpr int countryNameLeft = marginLeft + 700;
constexpr int quantityLeft = marginLeft + 5450;
// The country footer's label is set larger than the client footer's.
constexpr double countryFooterPointSize = 10.0;
constexpr size_t detailFieldCount = 7;
} // namespace

SalesRowKind salesRowKind(const TextRow &row)
{
    const TextItem *first = row.first();
    if (!first)
        return SalesRowKind::Other;
    if (first->text == u"País:")
        return SalesRowKind::CountryHeader;
    if (first->text == u"Total general")
        return SalesRowKind::GrandTotal;
    if (first->text.startsWith(u"Total "))
        return first->font.pointSize >= countryFooterPointSize ? SalesRowKind::CountryFooter
                                                                : SalesRowKind::ClientFooter;
    if (first->box.left() == clientNameLeft)
        return SalesRowKind::ClientHeader;
    if (first->box.left() == marginLeft && !first->font.bold && row.items.size() == detailFieldCount)
        return SalesRowKind::Detail;
    return SalesRowKind::Other;
}

QString headerCountry(const TextRow &row)
{
    return row.textAt(countryNameLeft).value_or(QString());
}

PrintedTotals printedTotals(const TextRow &row)
{
    if (row.items.empty())
        return {};
    return {parseCatalanNumber(row.textAt(quantityLeft).value_or(QString()), 0),
            parseCatalanNumber(row.items.back().text, 2)};
}

bool centsMatch(qint64 printedCents, qint64 exactMillionths)
{
    if (isHalfCent(exactMillionths))
        return qAbs(printedCents * 10000 - exactMillionths) == 5000;
    return printedCents == roundToCents(exactMillionths);
}

std::vector<TextRow> allTextRows(const PageSource &source)
{
    std::vector<TextRow> rows;
    for (int i = 0; i < source.pagesLaidOut(); ++i) {
        const auto pageRows = textRows(source.page(i), i);
        rows.insert(rows.end(), pageRows.begin(), pageRows.end());
    }
    return rows;
}

} // namespace velmora::testing
