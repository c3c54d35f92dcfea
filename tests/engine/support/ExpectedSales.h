#pragma once

#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace velmora::testing {

/// One line of sale as the sales-by-country report joins it.
struct SaleLine {
    qint64 idLinia = 0;
    qint64 idComanda = 0;
    QString orderDate; ///< yyyy-MM-dd, sorts as text
    qint64 quantity = 0;
    qint64 amountMillionths = 0; ///< Quantitat * PreuUnitari * (1 - Descompte), exact
};

struct SalesTotals {
    qint64 quantity = 0;
    qint64 amountMillionths = 0;
    void add(const SaleLine &line)
    {
        quantity += line.quantity;
        amountMillionths += line.amountMillionths;
    }
};

/// The report's (country, client name) groups in Catalan order, each with
/// its lines in report order (order date, then line id).
struct ClientSales {
    QString country;
    QString client;
    std::vector<SaleLine> lines;
    SalesTotals totals;
};

/// Sales per country and client, computed from mdb-export's CSV of
/// LiniesComanda, Comandes and Clients joined here, in exact decimals.
struct ExpectedSales {
    std::vector<ClientSales> clients;
    std::map<QString, SalesTotals> countries;
    SalesTotals grand;
    qint64 recordCount = 0;

    /// Nothing when mdb-export cannot read the file.
    static std::optional<ExpectedSales> compute(const QString &databasePath);

    /// What the report shows when its records are limited to one country.
    ExpectedSales onlyCountry(const QString &country) const;
    /// What it shows when its record selection keeps only the lines `keeps` takes.
    ExpectedSales where(const std::function<bool(const ClientSales &, const SaleLine &)> &keeps) const;
};

/// Millionths rounded half away from zero to hundredths, as a page shows
/// an amount with two decimals.
qint64 roundToCents(qint64 millionths);

/// True when the exact amount lies on a half cent, where a floating sum may
/// round either way.
bool isHalfCent(qint64 millionths);

} // namespace velmora::testing
