#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace velmora::testing {

/// One table of an Access file as mdbtools' own mdb-export prints it: the
/// reference the engine's answers are checked against. A null field is an
/// unquoted empty field; an empty string is "" in the CSV.
class AccessCsv {
public:
    using Field = std::optional<QString>;

    /// Runs mdb-export on `table` of `databasePath`, dates as yyyy-MM-dd;
    /// returns nothing when mdb-export is missing or fails.
    static std::optional<AccessCsv> exportTable(const QString &databasePath, const QString &table);

    /// Parses CSV text: the first record names the columns.
    static AccessCsv parse(const QString &csv);

    int rowCount() const { return int(m_rows.size()); }
    /// The field of `column` in row `row`; fails the test's QVERIFY when the
    /// column does not exist (an empty optional).
    const Field &field(int row, const QString &column) const;
    /// The field as text, a null as the empty string.
    QString text(int row, const QString &column) const { return field(row, column).value_or(QString()); }

private:
    QHash<QString, int> m_columnIndex;
    std::vector<std::vector<Field>> m_rows;
};

/// A decimal text with a point ("1.9700", "0.05", "12") as an integer count
/// of 10^-`decimals`; more decimals than that must be zeros.
std::optional<qint64> parseDecimal(const QString &text, int decimals);

/// A number as a Catalan page shows it ("1.234,56", "-3", "12,5") as an
/// integer count of 10^-`decimals`.
std::optional<qint64> parseCatalanNumber(const QString &text, int decimals);

} // namespace velmora::testing
