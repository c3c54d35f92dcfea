// The two Excel exports (29: layout, 36: data), read back by xlrd and by
// LibreOffice.

#include "CellExpectations.h"
#include "ExternalTools.h"
#include "FakeReport.h"

#include "engine/writers/WriteExport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>
#include <QtEndian>

using namespace velmora;
using namespace velmora::testing;

namespace {

// Dumps each sheet's first 12 rows and last row: cell type (xlrd's ctype:
// 0 empty, 1 text, 2 number, 3 date, 4 boolean), value, format, bold.
const QString dumpScript = QStringLiteral(R"(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
def cell(sheet, r, c):
    x = sheet.cell(r, c)
    xf = book.xf_list[x.xf_index]
    return [x.ctype, x.value, book.format_map[xf.format_key].format_str, book.font_list[xf.font_index].bold]
out = []
for s in book.sheets():
    rows = list(range(min(s.nrows, 12))) + ([s.nrows - 1] if s.nrows > 12 else [])
    out.append({"name": s.name, "rows": s.nrows, "cols": s.ncols, "breaks": [b[0] for b in s.horizontal_page_breaks],
                "cells": {str(r): [cell(s, r, c) for c in range(s.ncols)] for r in rows}})
print(json.dumps(out))
)");

enum CellType { Empty = 0, Text = 1, Number = 2, Date = 3, Boolean = 4 };

QString exportTo(const QString &folder, qint32 format, PageSource *pages, const RecordTable *records)
{
    const QString target = folder + QStringLiteral("/informe.xls");
    ExportRequest request{.formatType = format, .path = target};
    request.pages = pages;
    request.records = records;
    writeExport(request, CancelToken());
    return target;
}

QJsonArray dump(const QString &file)
{
    return runPython(dumpScript, file).array();
}

QJsonArray cellAt(const QJsonObject &sheet, int row, int column)
{
    return sheet[QStringLiteral("cells")][QString::number(row)][column].toArray();
}

/// Two sample records side by side: 14 columns, to make a big workbook.
FakeRecordTable wideRecords(qint64 count)
{
    return FakeRecordTable(sampleHeadings() + sampleHeadings(), count, [](qint64 i) {
        std::vector<Value> values = sampleRecord(i);
        const std::vector<Value> copy = values;
        values.insert(values.end(), copy.begin(), copy.end());
        return values;
    });
}


/// The cell the data row names, checked against its expectations.
void checkCell(const QJsonObject &sheet)
{
    QFETCH(int, row);
    QFETCH(int, column);
    checkFetchedCell<int>(cellAt(sheet, row, column));
}

} // namespace

class XlsWritersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QFileInfo::exists(QStringLiteral("/usr/bin/python3"))
            || runTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import xlrd; print(1)")}).isEmpty())
            QSKIP("python3-xlrd is not installed");
        FakePageSource pages(3);
        m_layout = dump(exportTo(m_layoutFolder.path(), ExportFormat::ExcelLayout, &pages, nullptr));
        const FakeRecordTable records = sampleRecords();
        m_data = dump(exportTo(m_dataFolder.path(), ExportFormat::ExcelData, nullptr, &records));
        QVERIFY(!m_layout.isEmpty() && !m_data.isEmpty());
    }

    void layoutCells_data()
    {
        addCellColumns<int>();

        QTest::newRow("page title: bold text in the first column")
            << 0 << 0 << int(Text) << QVariant(QStringLiteral("Informe de vendes: pàgina 1")) << QStringLiteral("General") << true;
        QTest::newRow("heading of the amount column is its own column")
            << 1 << 2 << int(Text) << QVariant(QStringLiteral("Import")) << QStringLiteral("General") << true;
        QTest::newRow("accents and l·l kept")
            << 2 << 0 << int(Text) << QVariant(QStringLiteral("Cèl·lula Martí")) << QStringLiteral("General") << false;
        QTest::newRow("currency field is a number in the field's format")
            << 2 << 2 << int(Number) << QVariant(1234.5) << QStringLiteral("#,##0.00") << false;
        QTest::newRow("date field is a serial (15/03/2024 = 45366) in the field's format")
            << 2 << 3 << int(Date) << QVariant(45366.0) << QStringLiteral("dd/mm/yyyy") << false;
        QTest::newRow("formula-looking text stays text")
            << 4 << 0 << int(Text) << QVariant(QStringLiteral("=SUM(A1)")) << QStringLiteral("General") << false;
        QTest::newRow("RTF-looking text stays as it is")
            << 3 << 0 << int(Text) << QVariant(QStringLiteral("{\\rtf1 evil}")) << QStringLiteral("General") << false;
        QTest::newRow("emoji survives")
            << 5 << 0 << int(Text) << QVariant(QStringLiteral("Festa ") + emoji) << QStringLiteral("General") << false;
        QTest::newRow("integer field in format 0")
            << 7 << 2 << int(Number) << QVariant(42.0) << QStringLiteral("0") << false;
        QTest::newRow("second page follows on the next row")
            << 8 << 0 << int(Text) << QVariant(QStringLiteral("Informe de vendes: pàgina 2")) << QStringLiteral("General") << true;
    }

    void layoutCells()
    {
        checkCell(m_layout[0].toObject());
    }

    void layoutBreaksWhereEachPageEnds()
    {
        const QJsonObject sheet = m_layout[0].toObject();
        QCOMPARE(sheet[QStringLiteral("name")].toString(), QStringLiteral("Informe"));
        QCOMPARE(sheet[QStringLiteral("rows")].toInt(), 24); // 8 printed lines on each of 3 pages
        QCOMPARE(sheet[QStringLiteral("breaks")].toArray(), (QJsonArray{8, 16}));
        QCOMPARE(sheet[QStringLiteral("cols")].toInt(), 4);
    }

    void dataCells_data()
    {
        addCellColumns<int>();

        QTest::newRow("headings in bold") << 0 << 0 << int(Text) << QVariant(QStringLiteral("Nom")) << QStringLiteral("General") << true;
        QTest::newRow("string value") << 1 << 0 << int(Text) << QVariant(QStringLiteral("Cèl·lula")) << QStringLiteral("General") << false;
        QTest::newRow("formula-looking string stays text") << 2 << 0 << int(Text) << QVariant(QStringLiteral("=SUM(A1)")) << QStringLiteral("General") << false;
        QTest::newRow("integer: number in format 0") << 2 << 1 << int(Number) << QVariant(1.0) << QStringLiteral("0") << false;
        QTest::newRow("double: number, General") << 2 << 2 << int(Number) << QVariant(2.5) << QStringLiteral("General") << false;
        QTest::newRow("currency: 12345679 ten-thousandths with two decimals shown")
            << 2 << 3 << int(Number) << QVariant(1234.5679) << QStringLiteral("#,##0.00") << false;
        QTest::newRow("date: serial of 2024-01-02 is 45293") << 2 << 4 << int(Date) << QVariant(45293.0) << QStringLiteral("dd/mm/yyyy") << false;
        QTest::newRow("boolean true") << 1 << 5 << int(Boolean) << QVariant(1) << QStringLiteral("General") << false;
        QTest::newRow("boolean false") << 2 << 5 << int(Boolean) << QVariant(0) << QStringLiteral("General") << false;
        QTest::newRow("null leaves the cell empty") << 1 << 6 << int(Empty) << QVariant(QString()) << QStringLiteral("General") << false;
    }

    void dataCells()
    {
        checkCell(m_data[0].toObject());
    }

    void dataOverASheetContinuesOnTheNext()
    {
        QTemporaryDir folder;
        const FakeRecordTable records = wideRecords(70'000);
        const QString file = exportTo(folder.path(), ExportFormat::ExcelData, nullptr, &records);
        // Over 7 MB the compound file needs DIFAT sectors: the header counts them.
        QFile raw(file);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        const QByteArray header = raw.read(512);
        QVERIFY2(raw.size() > 7'500'000, qPrintable(QString::number(raw.size())));
        QVERIFY(qFromLittleEndian<quint32>(header.constData() + 72) > 0);

        const QJsonArray sheets = dump(file);
        QCOMPARE(sheets.size(), 2);
        const QJsonObject first = sheets[0].toObject();
        const QJsonObject second = sheets[1].toObject();
        QCOMPARE(first[QStringLiteral("name")].toString(), QStringLiteral("Dades"));
        QCOMPARE(second[QStringLiteral("name")].toString(), QStringLiteral("Dades (2)"));
        QCOMPARE(first[QStringLiteral("rows")].toInt(), 65536);          // headings + 65535 records
        QCOMPARE(second[QStringLiteral("rows")].toInt(), 1 + 70'000 - 65'535);
        QCOMPARE(cellAt(second, 0, 0)[1].toString(), QStringLiteral("Nom")); // headings again
        QCOMPARE(cellAt(second, 1, 1)[1].toDouble(), 65535.0);              // record 65535 opens sheet 2
        QCOMPARE(cellAt(second, 4465, 8)[1].toDouble(), 69999.0);           // the last record, repeated half
    }

    void libreOfficeReadsTheLayout()
    {
        if (!hasTool(QStringLiteral("libreoffice")))
            QSKIP("LibreOffice is not installed");
        QTemporaryDir folder;
        FakePageSource pages(3);
        const QString xls = exportTo(folder.path(), ExportFormat::ExcelLayout, &pages, nullptr);
        const QString csvPath = convertWithLibreOffice(xls, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                                                       QStringLiteral("csv"), folder.path());
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n');
        QVERIFY(lines.size() >= 24);
        QCOMPARE(lines[2].trimmed(), QStringLiteral("Cèl·lula Martí,Lleida,\"1,234.50\",15/03/2024"));
        QVERIFY2(lines[4].startsWith(QStringLiteral("=SUM(A1),")), qPrintable(lines[4])); // not computed
        QVERIFY(lines[3].startsWith(QStringLiteral("{\\rtf1 evil},")));
        QVERIFY(lines[5].startsWith(QStringLiteral("Festa ") + emoji));
    }

    void libreOfficePrintsItLikeTheReport()
    {
        if (!hasTool(QStringLiteral("libreoffice")))
            QSKIP("LibreOffice is not installed");
        QTemporaryDir folder;
        FakePageSource pages(3, narrowColumnsPage);
        const QString xls = exportTo(folder.path(), ExportFormat::ExcelLayout, &pages, nullptr);
        const QString pdf = convertWithLibreOffice(xls, QStringLiteral("pdf"), QStringLiteral("pdf"), folder.path());
        QVERIFY(!pdf.isEmpty());
        // One printed page per report page: the sheet is printed one page
        // wide, so the rightmost column is on page 1 too.
        QVERIFY(QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdf})).contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))));
        const QString firstPage = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
        QVERIFY2(firstPage.contains(QStringLiteral("Fi")) && firstPage.contains(QStringLiteral("Client")), qPrintable(firstPage));
        // A number too wide for its column would print as "###".
        QVERIFY2(firstPage.contains(QStringLiteral("123456789")) && !firstPage.contains(QStringLiteral("###")),
                 qPrintable(firstPage));

    }

    void aRightAlignedTextsColumnHoldsIt()
    {
        QTemporaryDir folder;
        FakePageSource pages(1, narrowColumnsPage);
        const QString xls = exportTo(folder.path(), ExportFormat::ExcelLayout, &pages, nullptr);
        // The width, in digits of the default font, of the column holding
        // the heading: with a text in the column before it, a right-aligned
        // text cannot spill left, so its own column must hold its 12 letters.
        const QJsonDocument width = runPython(QStringLiteral(R"(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
s = book.sheet_by_index(0)
for r in range(s.nrows):
    for c in range(s.ncols):
        if s.cell_value(r, c) == "Preu unitari":
            info = s.colinfo_map.get(c)
            print(json.dumps([info.width / 256.0 if info else 0]))
)"), xls);
        QVERIFY2(width.array().at(0).toDouble() >= 7.0, width.toJson().constData());
    }

private:
    /// The sample, with texts whose columns the layout makes narrow.
    static Page narrowColumnsPage(int index)
    {
        // An order number right-aligned in a box whose right edge falls
        // in a column 200 twips wide (a heading starts just before it,
        // a text right after), and a note near the paper's right edge.
        Page page = samplePage(index);
        page.items.push_back(textAt(1800, 3600, 200, QStringLiteral("Nº")));
        page.items.push_back(fieldAt(1000, 3900, 1000, QStringLiteral("123456789"),
                                     Value::integer(123456789), QStringLiteral("0")));
        page.items.push_back(textAt(2000, 3900, 1000, QStringLiteral("Comanda")));
        page.items.push_back(textAt(11000, 3900, 700, QStringLiteral("Fi")));
        // A right-aligned heading ending in a column 200 twips wide (texts
        // on the line below start at 3400 and 3600), with a text in the
        // column before it, so it cannot spill left.
        page.items.push_back(textAt(3000, 4200, 300, QStringLiteral("Q")));
        page.items.push_back(textAt(2600, 4200, 1000, QStringLiteral("Preu unitari"), HorizontalAlignment::Right));
        page.items.push_back(textAt(3400, 4500, 200, QStringLiteral("R")));
        page.items.push_back(textAt(3600, 4500, 200, QStringLiteral("S")));
        return page;
    }

    QTemporaryDir m_layoutFolder;
    QTemporaryDir m_dataFolder;
    QJsonArray m_layout;
    QJsonArray m_data;
};

QTEST_GUILESS_MAIN(XlsWritersTest)
#include "test_xls_writers.moc"
