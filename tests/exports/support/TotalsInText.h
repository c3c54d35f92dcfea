#pragma once

#include "SalesPages.h"

#include <QStringList>

#include <map>

namespace velmora::testing {

/// Totals read back from a text rendering of the sales report (plain text
/// export, pdftotext): a line holding "Total <name>" followed by the
/// quantity and the amount, in Catalan format, as its last two words.
/// Keyed by name; a name printed twice keeps both readings.
std::multimap<QString, PrintedTotals> totalsInLines(const QStringList &lines);

} // namespace velmora::testing
