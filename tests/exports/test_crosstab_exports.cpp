// The orders-per-seller cross-tab written in each format and read back by
// tools nobody here wrote: pdftotext, xlrd and LibreOffice find every count
// in its row and column, and the text export keeps the columns aligned.

#include "ExpectedOrders.h"
#include "ExternalTools.h"
#include "ReportRun.h"
#include "ScratchFiles.h"
#include "TestData.h"

#include "engine/page/ExportFormat.h"

#include <QJsonArray>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

const QStringList states{u"Cancel·lada"_s, u"Enviada"_s, u"Lliurada"_s, u"Pendent"_s, u"Total"_s};

/// The numbers after `name` on the line that starts with it, without
/// their thousands separators.
std::optional<QStringList> numbersAfter(const QStringList &lines, const QString &name)
{
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if (t.startsWith(name + u' '))
            return t.mid(name.size()).remove(u'.').split(u' ', Qt::SkipEmptyParts);
    }
    return std::nullopt;
}

QStringList expectedRow(const ExpectedGrid &grid, const QString &seller)
{
    QStringList counts;
    for (const QString &state : states) {
        const auto found = grid.find({seller, state});
        counts << QString::number(found == grid.end() ? 0 : found->second);
    }
    return counts;
}

} // namespace

class CrossTabExportsTest : public QObject {
    Q_OBJECT

    ScratchFiles m_scratch;
    std::optional<ExpectedOrders> m_orders;
    ExpectedGrid m_expected;
    QStringList m_sellers;

    QString exported(qint32 format, const QString &name)
    {
        ReportRun run(exampleReport(u"comandes-venedor-estat.rpt"_s), testDataPath(u"empresa.mdb"_s));
        const QString path = m_scratch.path(name);
        run.exportTo(format, path);
        return path;
    }

    void checkLines(const QStringList &lines)
    {
        for (const QString &seller : m_sellers)
            QCOMPARE(numbersAfter(lines, seller).value_or(QStringList{u"missing"_s}), expectedRow(m_expected, seller));
        QCOMPARE(numbersAfter(lines, u"Total"_s).value_or(QStringList()), expectedRow(m_expected, u"Total"_s));
    }

private slots:
    void initTestCase()
    {
        m_orders = ExpectedOrders::read(testDataPath(u"empresa.mdb"_s));
        if (!m_orders)
            QSKIP("mdb-export cannot read the fixture");
        m_expected = m_orders->perSeller([&](int i) { return m_orders->orders->text(i, u"Estat"_s); });
        for (const auto &[id, name] : m_orders->sellerNames)
            if (m_expected.count({name, u"Total"_s}))
                m_sellers << name;
    }

    void pdfShowsEveryCount()
    {
        const auto lines = pdfTextLines(exported(ExportFormat::PDF, u"t.pdf"_s));
        if (!lines)
            QSKIP("pdftotext is not installed");
        checkLines(*lines);
    }

    void textKeepsTheGridAligned()
    {
        QFile file(exported(ExportFormat::Text, u"t.txt"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        checkLines(lines);
        // Right-aligned counts end in the same columns on every row.
        static const QRegularExpression number(u"[\\d.]+(?=\\s|$)"_s);
        std::vector<std::vector<qsizetype>> ends;
        for (const QString &line : lines)
            for (const QString &name : m_sellers + QStringList{u"Total"_s}) {
                const qsizetype at = line.indexOf(name + u' ');
                if (at < 0 || !line.left(at).trimmed().isEmpty())
                    continue;
                std::vector<qsizetype> row;
                for (const QRegularExpressionMatch &m : number.globalMatch(line, at + name.size()))
                    row.push_back(m.capturedEnd());
                ends.push_back(row);
            }
        QCOMPARE(qsizetype(ends.size()), m_sellers.size() + 1);
        for (const auto &row : ends)
            QCOMPARE(row, ends.front());
    }

    void excelLayoutHasTypedCells()
    {
        const auto book = readWorkbook(exported(ExportFormat::ExcelLayout, u"t.xls"_s));
        if (!book)
            QSKIP("python3-xlrd is not installed");
        int checkedRows = 0;
        bool headingsSeen = false;
        for (const QJsonValue &row : book->value(u"sheets"_s).toArray()[0].toObject().value(u"rows"_s).toArray()) {
            QStringList strings;
            QStringList numbers;
            for (const QJsonValue &cell : row.toArray()) {
                const QJsonArray c = cell.toArray();
                if (c[0].toInt() == 1)
                    strings << c[1].toString();
                else if (c[0].toInt() == 2) {
                    numbers << QString::number(qint64(c[1].toDouble()));
                    QCOMPARE(c[2].toString(), u"#,##0"_s);
                }
            }
            if (strings == states)
                headingsSeen = true;
            if (strings.size() == 1 && (m_sellers.contains(strings[0]) || strings[0] == u"Total"_s)) {
                QCOMPARE(numbers, expectedRow(m_expected, strings[0]));
                ++checkedRows;
            }
        }
        QVERIFY(headingsSeen);
        QCOMPARE(checkedRows, int(m_sellers.size()) + 1);
    }

    void libreOfficeReadsTheWordFile()
    {
        OfficeConverter office;
        if (!office.isAvailable())
            QSKIP("LibreOffice is not installed");
        const auto pdf = office.convert(exported(ExportFormat::Word, u"t.doc"_s), u"pdf"_s, u"pdf"_s, m_scratch.path(QString()));
        QVERIFY(pdf);
        const auto lines = pdfTextLines(*pdf);
        if (!lines)
            QSKIP("pdftotext is not installed");
        checkLines(*lines);
    }
};

QTEST_MAIN(CrossTabExportsTest)
#include "test_crosstab_exports.moc"
