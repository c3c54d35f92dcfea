// The two Office Open XML exports (42: layout, 43: data), read back by
// openpyxl and by LibreOffice, and held against the Excel 97 workbooks the
// same plans make.

#include "CellExpectations.h"
#include "ExternalTools.h"
#include "FakeReport.h"

#include "engine/core/Failure.h"
#include "engine/writers/WriteExport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

// Each sheet's first 12 rows and last row, its column widths, row breaks and
// print setup; each cell as [openpyxl's type (n, s, b, d), value, number
// format, bold, font name, horizontal alignment]. With "fast", only the
// sheet names, sizes and last rows, read as a stream.
const QString dumpScript = QStringLiteral(R"(
import json, sys, openpyxl
fast = len(sys.argv) > 2
book = openpyxl.load_workbook(sys.argv[1], read_only=fast)
def cell(c):
    value = c.value.isoformat() if hasattr(c.value, "isoformat") else c.value
    return [c.data_type, value, c.number_format, bool(c.font.b), c.font.name, c.alignment.horizontal]
out = []
for s in book.worksheets:
    if fast:
        rows = list(s.iter_rows(values_only=True))
        out.append({"name": s.title, "rows": len(rows), "last": list(rows[-1])})
        continue
    wanted = list(range(1, min(s.max_row, 12) + 1)) + ([s.max_row] if s.max_row > 12 else [])
    out.append({"name": s.title, "rows": s.max_row, "cols": s.max_column,
                "breaks": [b.id for b in s.row_breaks.brk],
                "widths": [s.column_dimensions[openpyxl.utils.get_column_letter(c)].width
                           for c in range(1, s.max_column + 1)],
                "fitToWidth": [bool(s.sheet_properties.pageSetUpPr and s.sheet_properties.pageSetUpPr.fitToPage),
                               # an absent fitToWidth is the default, 1
                               1 if s.page_setup.fitToWidth is None else s.page_setup.fitToWidth,
                               s.page_setup.fitToHeight],
                "paper": [s.page_setup.paperSize, s.page_setup.orientation],
                "cells": {str(r - 1): [cell(s.cell(r, c)) for c in range(1, s.max_column + 1)] for r in wanted}})
print(json.dumps(out, default=str))
)");

// Column widths of an .xls, in characters, as xlrd reads them.
const QString biff8WidthsScript = QStringLiteral(R"(
import json, sys, xlrd
s = xlrd.open_workbook(sys.argv[1], formatting_info=True).sheet_by_index(0)
print(json.dumps([s.colinfo_map[c].width / 256.0 for c in range(s.ncols)]))
)");

QString exportTo(const QString &folder, qint32 format, PageSource *pages, const RecordTable *records,
                 const CancelToken &cancel = CancelToken())
{
    const QString target = folder + (format == ExportFormat::ExcelLayout || format == ExportFormat::ExcelData
                                         ? QStringLiteral("/informe.xls")
                                         : QStringLiteral("/informe.xlsx"));
    ExportRequest request{.formatType = format, .path = target};
    request.pages = pages;
    request.records = records;
    writeExport(request, cancel);
    return target;
}

QJsonArray dump(const QString &file, bool fast = false)
{
    const QStringList arguments = fast ? QStringList{QStringLiteral("-c"), dumpScript, file, QStringLiteral("fast")}
                                       : QStringList{QStringLiteral("-c"), dumpScript, file};
    return QJsonDocument::fromJson(runTool(QStringLiteral("/usr/bin/python3"), arguments)).array();
}

QJsonArray cellAt(const QJsonObject &sheet, int row, int column)
{
    return sheet[QStringLiteral("cells")][QString::number(row)][column].toArray();
}

bool hasOpenpyxl()
{
    return hasTool(QStringLiteral("/usr/bin/python3"))
        && !runTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import openpyxl; print(1)")})
                .isEmpty();
}


/// The cell the data row names, checked against its expectations.
void checkCell(const QJsonObject &sheet)
{
    QFETCH(int, row);
    QFETCH(int, column);
    checkFetchedCell<QString>(cellAt(sheet, row, column));
}

} // namespace

class XlsxWritersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!hasOpenpyxl())
            QSKIP("python3-openpyxl is not installed");
        FakePageSource pages(3);
        m_layoutFile = exportTo(m_folder.path(), ExportFormat::XlsxLayout, &pages, nullptr);
        m_layout = dump(m_layoutFile);
        const FakeRecordTable records = sampleRecords();
        m_dataFile = exportTo(m_dataFolder.path(), ExportFormat::XlsxData, nullptr, &records);
        m_data = dump(m_dataFile);
        QVERIFY(!m_layout.isEmpty() && !m_data.isEmpty());
    }

    void layoutCells_data()
    {
        addCellColumns<QString>();
        QTest::newRow("page title: bold 14-point text in the first column")
            << 0 << 0 << "s" << QVariant(QStringLiteral("Informe de vendes: pàgina 1")) << "General" << true;
        QTest::newRow("accents and l·l kept")
            << 2 << 0 << "s" << QVariant(QStringLiteral("Cèl·lula Martí")) << "General" << false;
        QTest::newRow("currency field is a number in the field's format")
            << 2 << 2 << "n" << QVariant(1234.5) << "#,##0.00" << false;
        QTest::newRow("date field is a date in the field's format")
            << 2 << 3 << "d" << QVariant(QStringLiteral("2024-03-15T00:00:00")) << "dd/mm/yyyy" << false;
        QTest::newRow("formula-looking text stays text")
            << 4 << 0 << "s" << QVariant(QStringLiteral("=SUM(A1)")) << "General" << false;
        QTest::newRow("emoji survives")
            << 5 << 0 << "s" << QVariant(QStringLiteral("Festa ") + emoji) << "General" << false;
        QTest::newRow("integer field in format 0") << 7 << 2 << "n" << QVariant(42) << "0" << false;
        QTest::newRow("second page follows on the next row")
            << 8 << 0 << "s" << QVariant(QStringLiteral("Informe de vendes: pàgina 2")) << "General" << true;
    }
    void layoutCells() { checkCell(m_layout[0].toObject()); }

    void layoutKeepsFontsAndAlignment()
    {
        const QJsonObject sheet = m_layout[0].toObject();
        QCOMPARE(cellAt(sheet, 0, 0)[4].toString(), QStringLiteral("Liberation Sans")); // Arial, as installed
        QCOMPARE(cellAt(sheet, 1, 2)[5].toString(), QStringLiteral("right"));           // "Import" heading
        QCOMPARE(cellAt(sheet, 2, 1)[5].toString(), QStringLiteral("left"));
    }

    void layoutBreaksWhereEachPageEndsAndPrintsOnePageWide()
    {
        const QJsonObject sheet = m_layout[0].toObject();
        QCOMPARE(sheet[QStringLiteral("name")].toString(), QStringLiteral("Informe"));
        QCOMPARE(sheet[QStringLiteral("rows")].toInt(), 24); // 8 printed lines on each of 3 pages
        QCOMPARE(sheet[QStringLiteral("breaks")].toArray(), (QJsonArray{8, 16}));
        QCOMPARE(sheet[QStringLiteral("cols")].toInt(), 4);
        QCOMPARE(sheet[QStringLiteral("fitToWidth")].toArray(), (QJsonArray{true, 1, 0}));
        QCOMPARE(sheet[QStringLiteral("paper")].toArray(), (QJsonArray{9, QStringLiteral("portrait")}));
    }

    void dataCells_data()
    {
        addCellColumns<QString>();
        QTest::newRow("headings in bold") << 0 << 0 << "s" << QVariant(QStringLiteral("Nom")) << "General" << true;
        QTest::newRow("formula-looking string stays text")
            << 2 << 0 << "s" << QVariant(QStringLiteral("=SUM(A1)")) << "General" << false;
        QTest::newRow("integer: number in format 0") << 2 << 1 << "n" << QVariant(1) << "0" << false;
        QTest::newRow("double: number, General") << 2 << 2 << "n" << QVariant(2.5) << "General" << false;
        QTest::newRow("currency: a number with two decimals shown")
            << 2 << 3 << "n" << QVariant(1234.5679) << "#,##0.00" << false;
        QTest::newRow("date: a date cell") << 2 << 4 << "d" << QVariant(QStringLiteral("2024-01-02T00:00:00"))
                                           << "dd/mm/yyyy" << false;
        QTest::newRow("boolean true") << 1 << 5 << "b" << QVariant(true) << "General" << false;
        QTest::newRow("boolean false") << 2 << 5 << "b" << QVariant(false) << "General" << false;
        QTest::newRow("null leaves the cell empty") << 1 << 6 << "n" << QVariant() << "General" << false;
    }
    void dataCells() { checkCell(m_data[0].toObject()); }

    void columnWidthsAreTheExcel97Ones_data()
    {
        QTest::addColumn<bool>("layout");
        QTest::newRow("layout") << true;
        QTest::newRow("data") << false;
    }
    void columnWidthsAreTheExcel97Ones()
    {
        if (runTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import xlrd; print(1)")}).isEmpty())
            QSKIP("python3-xlrd is not installed");
        QFETCH(bool, layout);
        QTemporaryDir folder;
        FakePageSource pages(3);
        const FakeRecordTable records = sampleRecords();
        const QString xls = layout ? exportTo(folder.path(), ExportFormat::ExcelLayout, &pages, nullptr)
                                   : exportTo(folder.path(), ExportFormat::ExcelData, nullptr, &records);
        const QJsonArray expected =
            QJsonDocument::fromJson(runTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), biff8WidthsScript, xls}))
                .array();
        const QJsonArray widths = (layout ? m_layout : m_data)[0].toObject()[QStringLiteral("widths")].toArray();
        QCOMPARE(widths.size(), expected.size());
        // The library rounds widths to whole pixels of the default font.
        for (qsizetype column = 0; column < widths.size(); ++column)
            QVERIFY2(qAbs(widths[column].toDouble() - expected[column].toDouble()) < 0.2,
                     qPrintable(QStringLiteral("column %1: %2, Excel 97 %3")
                                    .arg(column)
                                    .arg(widths[column].toDouble())
                                    .arg(expected[column].toDouble())));
    }

    void oneSheetHoldsMoreRowsThanExcel97()
    {
        QTemporaryDir folder;
        const FakeRecordTable records = sampleRecords(70'000);
        const QJsonArray sheets = dump(exportTo(folder.path(), ExportFormat::XlsxData, nullptr, &records), true);
        QCOMPARE(sheets.size(), 1);
        const QJsonObject sheet = sheets[0].toObject();
        QCOMPARE(sheet[QStringLiteral("name")].toString(), QStringLiteral("Dades"));
        QCOMPARE(sheet[QStringLiteral("rows")].toInt(), 70'001);
        QCOMPARE(sheet[QStringLiteral("last")].toArray()[1].toInt(), 69'999);
    }

    void stoppedExportLeavesNothing_data()
    {
        QTest::addColumn<qint32>("format");
        QTest::newRow("layout") << ExportFormat::XlsxLayout;
        QTest::newRow("data") << ExportFormat::XlsxData;
    }
    void stoppedExportLeavesNothing()
    {
        QFETCH(qint32, format);
        QTemporaryDir folder;
        CancelToken cancel;
        FakePageSource pages(5);
        pages.cancelAtPage(&cancel, 3);
        const FakeRecordTable records(sampleHeadings(), 20'000, [&cancel](qint64 i) {
            if (i == 10'000)
                cancel.cancel();
            return sampleRecord(i);
        });
        QVERIFY_THROWS_EXCEPTION(Failure, exportTo(folder.path(), format, &pages, &records, cancel));
        QCOMPARE(filesIn(folder.path()), QStringList());
    }

    void libreOfficeReadsBoth()
    {
        if (!hasTool(QStringLiteral("libreoffice")))
            QSKIP("LibreOffice is not installed");
        QTemporaryDir folder;
        const auto lines = [&](const QString &file) {
            const QString csv = convertWithLibreOffice(file, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                                                       QStringLiteral("csv"), folder.path());
            QFile in(csv);
            return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()).split(u'\n', Qt::SkipEmptyParts)
                                                : QStringList();
        };
        const QStringList layout = lines(m_layoutFile);
        QCOMPARE(layout.size(), 24);
        QCOMPARE(layout[2].trimmed(), QStringLiteral("Cèl·lula Martí,Lleida,\"1,234.50\",15/03/2024"));
        QVERIFY2(layout[4].startsWith(QStringLiteral("=SUM(A1),")), qPrintable(layout[4])); // not computed
        const QStringList data = lines(m_dataFile);
        QCOMPARE(data.size(), 5);
        QVERIFY2(data[2].startsWith(QStringLiteral("=SUM(A1),1,2.5,")), qPrintable(data[2]));
    }

private:
    QTemporaryDir m_folder;
    QTemporaryDir m_dataFolder;
    QString m_layoutFile;
    QString m_dataFile;
    QJsonArray m_layout;
    QJsonArray m_data;
};

QTEST_GUILESS_MAIN(XlsxWritersTest)
#include "test_xlsx_writers.moc"
