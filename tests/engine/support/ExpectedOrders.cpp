#include "ExpectedOrders.h"

using namespace Qt::StringLiterals;

namespace velmora::testing {

void addWithTotals(ExpectedGrid &grid, const QString &row, const QString &column, qint64 amount)
{
    for (const QString &r : {row, u"Total"_s})
        for (const QString &c : {column, u"Total"_s})
            grid[{r, c}] += amount;
}

std::optional<ExpectedOrders> ExpectedOrders::read(const QString &databasePath)
{
    ExpectedOrders o;
    o.orders = AccessCsv::exportTable(databasePath, u"Comandes"_s);
    const auto sellers = AccessCsv::exportTable(databasePath, u"Venedors"_s);
    if (!o.orders || !sellers)
        return std::nullopt;
    for (int i = 0; i < sellers->rowCount(); ++i)
        o.sellerNames[sellers->text(i, u"IdVenedor"_s)] = sellers->text(i, u"Nom"_s) + u' ' + sellers->text(i, u"Cognoms"_s);
    return o;
}

ExpectedGrid ExpectedOrders::perSeller(const std::function<QString(int)> &column) const
{
    ExpectedGrid grid;
    for (int i = 0; i < orders->rowCount(); ++i)
        addWithTotals(grid, sellerNames.at(orders->text(i, u"IdVenedor"_s)), column(i), 1);
    return grid;
}

} // namespace velmora::testing
