// The exports for scripts and today's spreadsheets, of the sales report:
// CSV read back by Python's csv module and the .xlsx data workbook by
// openpyxl, their sums held against the engine's; the .xlsx opened by
// LibreOffice too.

#include "AccessCsv.h"
#include "ExternalTools.h"
#include "SalesExport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {
std::optional<QJsonObject> readSums(const QString &file, const QString &kind)
{
    const auto output = runTool(u"/usr/bin/python3"_s, {exportSupportFile(u"sales_sums.py"_s), file, kind});
    if (!output)
        return std::nullopt;
    return QJsonDocument::fromJson(*output).object();
}
} // namespace

class OpenFormatsExportTest : public QObject {
    Q_OBJECT

    ScratchFiles m_scratch;

private slots:
    void sumsEqualTheEngines_data()
    {
        QTest::addColumn<qint32>("format");
        QTest::addColumn<QString>("kind");
        QTest::newRow("csv, commas") << ExportFormat::Csv << u"csv"_s;
        QTest::newRow("csv, semicolons") << ExportFormat::CsvSemicolon << u"csv-semicolon"_s;
        QTest::newRow("xlsx data workbook") << ExportFormat::XlsxData << u"xlsx"_s;
    }
    void sumsEqualTheEngines()
    {
        QFETCH(qint32, format);
        QFETCH(QString, kind);
        const auto written = SalesExport::write(format, m_scratch, u"vendes."_s + kind);
        if (!written)
            QSKIP("mdb-export cannot read the fixture");
        const auto read = readSums(written->file, kind);
        if (!read)
            QSKIP("python3 (or python3-openpyxl) cannot read the file");
        QCOMPARE((*read)[u"headings"_s].toArray().at(0).toString(), u"Pais"_s);
        QCOMPARE(qint64((*read)[u"records"_s].toInteger()), written->expected.recordCount);
        const QJsonObject sums = (*read)[u"sums"_s].toObject();
        QCOMPARE(qsizetype(sums.size()), qsizetype(written->expected.countries.size()));
        for (const auto &[country, totals] : written->expected.countries) {
            const QJsonArray found = sums[country].toArray();
            QCOMPARE(found.at(0).toInteger(), totals.quantity);
            QVERIFY2(centsMatch(qRound64(found.at(1).toDouble() * 100.0), totals.amountMillionths),
                     qPrintable(u"%1: %2"_s.arg(country).arg(found.at(1).toDouble(), 0, 'f', 6)));
        }
    }

    void libreOfficeOpensBothWorkbooks_data()
    {
        QTest::addColumn<qint32>("format");
        QTest::addColumn<QString>("grandTotalLabel"); // empty: one line per record
        QTest::newRow("layout") << ExportFormat::XlsxLayout << u"Total general"_s;
        QTest::newRow("data") << ExportFormat::XlsxData << QString();
    }
    void libreOfficeOpensBothWorkbooks()
    {
        QFETCH(qint32, format);
        QFETCH(QString, grandTotalLabel);
        OfficeConverter office;
        if (!office.isAvailable())
            QSKIP("LibreOffice is not installed");
        const auto written = SalesExport::write(format, m_scratch, u"vendes-%1.xlsx"_s.arg(format));
        if (!written)
            QSKIP("mdb-export cannot read the fixture");
        const auto csv = office.convert(written->file, u"csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false"_s,
                                        u"csv"_s, m_scratch.path(QString()));
        QVERIFY2(csv, "LibreOffice could not open the workbook");
        QFile file(*csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        if (grandTotalLabel.isEmpty()) {
            QCOMPARE(qint64(lines.size()), 1 + written->expected.recordCount);
            return;
        }
        const auto total = std::find_if(lines.begin(), lines.end(),
                                        [&](const QString &line) { return line.contains(grandTotalLabel); });
        QVERIFY(total != lines.end());
        QVERIFY2(total->contains(QString::number(written->expected.grand.quantity)), qPrintable(*total));
    }
};

QTEST_MAIN(OpenFormatsExportTest)
#include "test_open_formats_export.moc"
