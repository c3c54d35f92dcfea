#pragma once

#include "AccessCsv.h"

#include <functional>
#include <map>
#include <optional>

namespace velmora::testing {

/// A grid of counts or sums by (row, column) with its totals under "Total".
using ExpectedGrid = std::map<std::pair<QString, QString>, qint64>;

/// Adds `amount` to the cell and to its row's, column's and grand totals.
void addWithTotals(ExpectedGrid &grid, const QString &row, const QString &column, qint64 amount);

/// The orders of empresa.mdb with their sellers' names, from mdb-export's CSV.
struct ExpectedOrders {
    std::optional<AccessCsv> orders;
    std::map<QString, QString> sellerNames; ///< "Nom Cognoms" by IdVenedor

    /// Nothing when mdb-export cannot read the file.
    static std::optional<ExpectedOrders> read(const QString &databasePath);
    /// Orders per seller by what `column` makes of each order (a row of `orders`).
    ExpectedGrid perSeller(const std::function<QString(int)> &column) const;
};

} // namespace velmora::testing
