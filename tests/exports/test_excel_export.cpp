// Both Excel exports of the sales report read back by xlrd and converted by
// LibreOffice: the layout workbook (29) and the data-only workbook (36).

#include "AccessCsv.h"
#include "ExternalTools.h"
#include "SalesExport.h"

#include <QFile>
#include <QJsonArray>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {
// xlrd's cell types.
constexpr int textCell = 1;
constexpr int numberCell = 2;
constexpr int dateCell = 3;

struct Cell {
    int type = 0;
    QJsonValue value;
    QString format;
    bool bold = false;
};

Cell cellOf(const QJsonValue &json)
{
    const QJsonArray cell = json.toArray();
    return {cell.at(0).toInt(), cell.at(1), cell.at(2).toString(), cell.at(3).toBool()};
}

std::vector<Cell> rowOf(const QJsonValue &json)
{
    std::vector<Cell> cells;
    for (const auto &cell : json.toArray())
        cells.push_back(cellOf(cell));
    return cells;
}

/// A double as the cents a page would print.
qint64 centsOf(double value)
{
    return qRound64(value * 100.0);
}

/// Totals of a layout workbook row "Total <name>": the first number cell is
/// the quantity, the last one the amount.
std::multimap<QString, PrintedTotals> totalsInWorkbook(const QJsonArray &rows)
{
    std::multimap<QString, PrintedTotals> totals;
    for (const auto &json : rows) {
        const auto cells = rowOf(json);
        const auto label = std::find_if(cells.begin(), cells.end(), [](const Cell &c) {
            return c.type == textCell && c.value.toString().startsWith(u"Total "_s);
        });
        if (label == cells.end())
            continue;
        std::vector<double> numbers;
        for (auto it = label; it != cells.end(); ++it)
            if (it->type == numberCell)
                numbers.push_back(it->value.toDouble());
        if (numbers.size() >= 2)
            totals.emplace(label->value.toString().mid(6),
                           PrintedTotals{qRound64(numbers.front()), centsOf(numbers.back())});
    }
    return totals;
}

std::vector<QStringList> csvRows(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<QStringList> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
        rows.push_back(line.split(u','));
    return rows;
}

// The filter options of LibreOffice's CSV export: comma, double quote,
// UTF-8, from line 1, and the cells' values rather than their display.
const QString rawCsvFilter = u"csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false"_s;
} // namespace

class ExcelExportTest : public QObject {
    Q_OBJECT

    ScratchFiles m_scratch;
    OfficeConverter m_office;
    std::optional<SalesExport> m_layout;
    std::optional<SalesExport> m_data;
    QJsonObject m_layoutBook;
    QJsonObject m_dataBook;

    QJsonArray sheetRows(const QJsonObject &book, int sheet = 0) const
    {
        return book[u"sheets"_s].toArray().at(sheet).toObject()[u"rows"_s].toArray();
    }

private slots:
    void initTestCase()
    {
        m_layout = SalesExport::write(ExportFormat::ExcelLayout, m_scratch, u"vendes-pagines.xls"_s);
        m_data = SalesExport::write(ExportFormat::ExcelData, m_scratch, u"vendes-dades.xls"_s);
        if (!m_layout || !m_data)
            QSKIP("mdb-export cannot read the fixture");
        const auto layoutBook = readWorkbook(m_layout->file);
        const auto dataBook = readWorkbook(m_data->file);
        QVERIFY2(layoutBook, "xlrd rejects the layout workbook");
        QVERIFY2(dataBook, "xlrd rejects the data workbook");
        m_layoutBook = *layoutBook;
        m_dataBook = *dataBook;
    }

    void sheetNames_data()
    {
        QTest::addColumn<bool>("dataOnly");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("the layout fits one sheet of 65,536 rows") << false << QStringList{u"Informe"_s};
        QTest::newRow("6,000 records fit one data sheet") << true << QStringList{u"Dades"_s};
    }
    void sheetNames()
    {
        QFETCH(bool, dataOnly);
        QFETCH(QStringList, names);
        QStringList found;
        for (const auto &sheet : (dataOnly ? m_dataBook : m_layoutBook)[u"sheets"_s].toArray())
            found << sheet.toObject()[u"name"_s].toString();
        QCOMPARE(found, names);
    }

    void layoutTotalsAreTypedAndEqualTheCsvSums()
    {
        const QString problems = countryTotalsMismatch(totalsInWorkbook(sheetRows(m_layoutBook)), m_layout->expected);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void layoutKeepsFormatsOfAmountsAndDates()
    {
        int amounts = 0, dates = 0;
        for (const auto &json : sheetRows(m_layoutBook))
            for (const Cell &cell : rowOf(json)) {
                if (cell.type == numberCell && cell.format == u"#,##0.00")
                    ++amounts;
                if (cell.type == dateCell)
                    ++dates;
            }
        // Each detail has a price and an amount; each also shows its order's date.
        QVERIFY2(amounts >= 2 * m_layout->expected.recordCount, qPrintable(QString::number(amounts)));
        QVERIFY2(dates >= m_layout->expected.recordCount, qPrintable(QString::number(dates)));
    }

    void layoutConvertedByLibreOfficeKeepsTheGrandTotal()
    {
        if (!m_office.isAvailable())
            QSKIP("LibreOffice is not installed");
        const auto csv = m_office.convert(m_layout->file, rawCsvFilter, u"csv"_s, m_scratch.path(QString()));
        QVERIFY2(csv, "LibreOffice could not open the layout workbook");
        int found = 0;
        for (const QStringList &row : csvRows(*csv)) {
            const qsizetype label = row.indexOf(u"\"Total general\""_s) >= 0 ? row.indexOf(u"\"Total general\""_s)
                                                                              : row.indexOf(u"Total general"_s);
            if (label < 0)
                continue;
            ++found;
            QStringList numbers;
            for (qsizetype i = label + 1; i < row.size(); ++i)
                if (!row[i].isEmpty())
                    numbers << row[i];
            QVERIFY2(numbers.size() == 2, qPrintable(row.join(u',')));
            QCOMPARE(numbers[0].toLongLong(), m_layout->expected.grand.quantity);
            QVERIFY2(centsMatch(centsOf(numbers[1].toDouble()), m_layout->expected.grand.amountMillionths),
                     qPrintable(numbers[1]));
        }
        QCOMPARE(found, 1);
    }

    void dataHasOneBoldHeadingRowThenOneRowPerRecord()
    {
        const QJsonArray rows = sheetRows(m_dataBook);
        QCOMPARE(qint64(rows.size()), 1 + m_data->expected.recordCount);
        for (const Cell &heading : rowOf(rows.at(0))) {
            QCOMPARE(heading.type, textCell);
            QVERIFY(heading.bold);
        }
    }

    void dataHeadingsNameEachColumn()
    {
        // The group fields come first under their field names, then each
        // detail field under the page header caption standing over it.
        const QStringList expected{u"Pais"_s,         u"Nom"_s,   u"Comanda"_s, u"Data"_s,  u"Producte"_s,
                                   u"Quantitat"_s,    u"Preu unitari"_s, u"Dte. %"_s, u"Import"_s};
        QStringList headings;
        for (const Cell &cell : rowOf(sheetRows(m_dataBook).at(0)))
            headings << cell.value.toString();
        QCOMPARE(headings, expected);
    }

    void dataCellsAreTyped_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("formatStart");
        QTest::newRow("country, a group field, is text") << 0 << textCell << u"General"_s;
        QTest::newRow("client name, a group field, is text") << 1 << textCell << u"General"_s;
        QTest::newRow("order id, a Long, is an integer cell") << 2 << numberCell << u"0"_s;
        QTest::newRow("order date is a date cell") << 3 << dateCell << u"dd/mm/yyyy"_s;
        QTest::newRow("quantity, a Long, is an integer cell") << 5 << numberCell << u"0"_s;
        QTest::newRow("unit price, Currency, keeps two decimals") << 6 << numberCell << u"#,##0.00"_s;
        QTest::newRow("amount, Currency times Double, is a number") << 8 << numberCell << u""_s;
    }
    void dataCellsAreTyped()
    {
        QFETCH(int, column);
        QFETCH(int, type);
        QFETCH(QString, formatStart);
        const QJsonArray rows = sheetRows(m_dataBook);
        for (qsizetype r = 1; r < rows.size(); ++r) {
            const auto cells = rowOf(rows.at(r));
            QVERIFY2(column < int(cells.size()), qPrintable(u"row %1"_s.arg(r)));
            const Cell &cell = cells[column];
            QVERIFY2(cell.type == type && cell.format.startsWith(formatStart),
                     qPrintable(u"row %1: type %2, format %3"_s.arg(r).arg(cell.type).arg(cell.format)));
        }
    }

    void dataSumsPerCountryEqualTheCsvSums()
    {
        constexpr int countryColumn = 0, quantityColumn = 5, amountColumn = 8;
        std::map<QString, std::pair<qint64, double>> sums;
        const QJsonArray rows = sheetRows(m_dataBook);
        for (qsizetype r = 1; r < rows.size(); ++r) {
            const auto cells = rowOf(rows.at(r));
            auto &[quantity, amount] = sums[cells[countryColumn].value.toString()];
            quantity += qRound64(cells[quantityColumn].value.toDouble());
            amount += cells[amountColumn].value.toDouble();
        }
        QCOMPARE(sums.size(), m_data->expected.countries.size());
        for (const auto &[country, totals] : m_data->expected.countries) {
            QCOMPARE(sums[country].first, totals.quantity);
            QVERIFY2(centsMatch(centsOf(sums[country].second), totals.amountMillionths),
                     qPrintable(u"%1: %2"_s.arg(country).arg(sums[country].second, 0, 'f', 6)));
        }
    }

    void dataConvertedByLibreOfficeHasEveryRecord()
    {
        if (!m_office.isAvailable())
            QSKIP("LibreOffice is not installed");
        const auto csv = m_office.convert(m_data->file, rawCsvFilter, u"csv"_s, m_scratch.path(QString()));
        QVERIFY2(csv, "LibreOffice could not open the data workbook");
        QCOMPARE(qint64(csvRows(*csv).size()), 1 + m_data->expected.recordCount);
    }
};

QTEST_MAIN(ExcelExportTest)
#include "test_excel_export.moc"
