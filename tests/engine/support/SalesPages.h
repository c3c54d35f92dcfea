#pragma once

#include "PageRows.h"
#include "engine/page/PageSource.h"

#include <optional>

namespace velmora::testing {

/// Reads back the pages of examples/vendes-per-pais.rpt: which section a
/// row of text comes from, and the totals it prints.
enum class SalesRowKind { Other, CountryHeader, ClientHeader, Detail, ClientFooter, CountryFooter, GrandTotal };

SalesRowKind salesRowKind(const TextRow &row);

/// The country a country header names.
QString headerCountry(const TextRow &row);

struct PrintedTotals {
    std::optional<qint64> quantity;
    std::optional<qint64> cents;
};

/// Quantity and amount of a footer row: the quantity in the quantity
/// column, the amount the rightmost text.
PrintedTotals printedTotals(const TextRow &row);

/// An amount printed with two decimals matches the exact sum rounded; on a
/// half cent a floating sum may land on either side.
bool centsMatch(qint64 printedCents, qint64 exactMillionths);

/// Every text row of a laid-out report, page after page.
std::vector<TextRow> allTextRows(const PageSource &source);

} // namespace velmora::testing
