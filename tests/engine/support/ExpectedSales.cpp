#include "ExpectedSales.h"

#include "AccessCsv.h"
#include "CatalanOrder.h"

#include <QHash>

#include <algorithm>

namespace velmora::testing {

namespace {
struct Customer {
    QString name;
    QString country;
};

QHash<qint64, Customer> readCustomers(const AccessCsv &clients)
{
    QHash<qint64, Customer> byId;
    for (int row = 0; row < clients.rowCount(); ++row)
        byId.insert(clients.text(row, QStringLiteral("IdClient")).toLongLong(),
                    {clients.text(row, QStringLiteral("Nom")), clients.text(row, QStringLiteral("Pais"))});
    return byId;
}

struct Order {
    qint64 idClient = 0;
    QString date;
};

QHash<qint64, Order> readOrders(const AccessCsv &orders)
{
    QHash<qint64, Order> byId;
    for (int row = 0; row < orders.rowCount(); ++row)
        byId.insert(orders.text(row, QStringLiteral("IdComanda")).toLongLong(),
                    {orders.text(row, QStringLiteral("IdClient")).toLongLong(),
                     orders.text(row, QStringLiteral("DataComanda"))});
    return byId;
}

SaleLine readLine(const AccessCsv &lines, int row)
{
    SaleLine line;
    line.idLinia = lines.text(row, QStringLiteral("IdLinia")).toLongLong();
    line.idComanda = lines.text(row, QStringLiteral("IdComanda")).toLongLong();
    line.quantity = lines.text(row, QStringLiteral("Quantitat")).toLongLong();
    const qint64 priceTenThousandths = parseDecimal(lines.text(row, QStringLiteral("PreuUnitari")), 4).value_or(0);
    const qint64 discountHundredths = parseDecimal(lines.text(row, QStringLiteral("Descompte")), 2).value_or(0);
    line.amountMillionths = line.quantity * priceTenThousandths * (100 - discountHundredths);
    return line;
}

bool comesFirstInGroup(const SaleLine &a, const SaleLine &b)
{
    return a.orderDate != b.orderDate ? a.orderDate < b.orderDate : a.idLinia < b.idLinia;
}

bool groupComesFirst(const ClientSales &a, const ClientSales &b)
{
    const QString countryA = catalanPrimaryKey(a.country), countryB = catalanPrimaryKey(b.country);
    if (countryA != countryB)
        return countryA < countryB;
    return catalanPrimaryKey(a.client) < catalanPrimaryKey(b.client);
}
} // namespace

std::optional<ExpectedSales> ExpectedSales::compute(const QString &databasePath)
{
    const auto clients = AccessCsv::exportTable(databasePath, QStringLiteral("Clients"));
    const auto orders = AccessCsv::exportTable(databasePath, QStringLiteral("Comandes"));
    const auto lines = AccessCsv::exportTable(databasePath, QStringLiteral("LiniesComanda"));
    if (!clients || !orders || !lines)
        return std::nullopt;
    const auto customers = readCustomers(*clients);
    const auto orderById = readOrders(*orders);

    std::map<std::pair<QString, QString>, ClientSales> groups;
    ExpectedSales expected;
    for (int row = 0; row < lines->rowCount(); ++row) {
        SaleLine line = readLine(*lines, row);
        const auto order = orderById.constFind(line.idComanda);
        if (order == orderById.cend() || !customers.contains(order->idClient))
            continue; // the inner joins leave it out
        line.orderDate = order->date;
        const Customer &customer = customers[order->idClient];
        ClientSales &group = groups[{customer.country, customer.name}];
        group.country = customer.country;
        group.client = customer.name;
        group.lines.push_back(line);
        group.totals.add(line);
        expected.countries[customer.country].add(line);
        expected.grand.add(line);
        ++expected.recordCount;
    }
    for (auto &[key, group] : groups) {
        std::sort(group.lines.begin(), group.lines.end(), comesFirstInGroup);
        expected.clients.push_back(std::move(group));
    }
    std::sort(expected.clients.begin(), expected.clients.end(), groupComesFirst);
    return expected;
}

ExpectedSales ExpectedSales::onlyCountry(const QString &country) const
{
    ExpectedSales limited;
    for (const ClientSales &client : clients) {
        if (client.country != country)
            continue;
        limited.clients.push_back(client);
        limited.recordCount += qint64(client.lines.size());
    }
    const auto found = countries.find(country);
    if (found != countries.end()) {
        limited.countries.insert(*found);
        limited.grand = found->second;
    }
    return limited;
}

ExpectedSales ExpectedSales::where(const std::function<bool(const ClientSales &, const SaleLine &)> &keeps) const
{
    ExpectedSales limited;
    for (const ClientSales &client : clients) {
        ClientSales kept{client.country, client.client, {}, {}};
        for (const SaleLine &line : client.lines)
            if (keeps(client, line)) {
                kept.lines.push_back(line);
                kept.totals.add(line);
                limited.countries[client.country].add(line);
                limited.grand.add(line);
                ++limited.recordCount;
            }
        if (!kept.lines.empty())
            limited.clients.push_back(std::move(kept));
    }
    return limited;
}

qint64 roundToCents(qint64 millionths)
{
    const qint64 half = 5000;
    return millionths >= 0 ? (millionths + half) / 10000 : -((-millionths + half) / 10000);
}

bool isHalfCent(qint64 millionths)
{
    return (millionths % 10000 + 10000) % 10000 == 5000;
}

} // namespace velmora::testing
