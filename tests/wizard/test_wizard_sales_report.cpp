// The sales-by-country-and-client report made by the wizard, laid out by
// the engine over empresa.mdb: every quantity total it prints equals the
// sum worked out from mdb-export's CSV, and what it writes is a report a
// person can read and edit: stored links, readable names, fitting formats.

#include "ExpectedSales.h"
#include "PageRows.h"
#include "ReportRun.h"
#include "SalesPages.h"
#include "AccessCsv.h"
#include "TestData.h"
#include "WizardTestChoices.h"
#include "engine/definition/ReportReader.h"
#include "wizard/generator/ReportComposer.h"
#include "wizard/generator/WizardReportFile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::wizard;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr int marginLeft = 1134;
constexpr int clientIndent = 240;

const ReportObject *objectNamed(const ReportDefinition &report, const QString &name)
{
    for (const SectionDefinition &section : report.sections)
        for (const ReportObject &object : section.objects)
            if (object.name == name)
                return &object;
    return nullptr;
}

struct PrintedSales {
    std::map<QString, qint64> countries;
    std::vector<std::pair<QString, qint64>> clients;
    std::optional<qint64> grand;
    qint64 recordCount = 0;
};

} // namespace

class WizardSalesReportTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::optional<ExpectedSales> m_expected;
    WizardChoices m_choices;
    ReportDefinition m_written;
    QString m_path;

    PrintedSales printedSales(const QString &reportPath)
    {
        const ReportDefinition report = readReportFile(reportPath);
        const int quantityLeft = marginLeft + objectNamed(report, u"Quantitat"_s)->rect.left();
        ReportRun run(reportPath, testDataPath(u"empresa.mdb"_s));
        const auto source = run.layOutAll();
        PrintedSales printed;
        printed.recordCount = source->recordCount();
        for (const TextRow &row : allTextRows(*source)) {
            const TextItem *first = row.first();
            if (!first || !first->text.startsWith(u"Total "_s))
                continue;
            const qint64 quantity = parseCatalanNumber(row.textAt(quantityLeft).value_or(QString()), 0).value_or(-1);
            const QString name = first->text.mid(6);
            if (first->text == u"Total general"_s)
                printed.grand = quantity;
            else if (first->box.left() == marginLeft)
                printed.countries[name] = quantity;
            else if (first->box.left() == marginLeft + clientIndent)
                printed.clients.emplace_back(name, quantity);
        }
        return printed;
    }

private slots:
    void initTestCase()
    {
        m_expected = ExpectedSales::compute(testDataPath(u"empresa.mdb"_s));
        if (!m_expected)
            QSKIP("mdb-export cannot read the fixture");
        m_choices = salesByCountryAndClient(empresaCatalog(), testDataPath(u"empresa.mdb"_s));
        m_path = m_dir.filePath(u"vendes.rpt"_s);
        writeWizardReport(composeReport(m_choices, empresaCatalog()).definition, m_choices, m_path);
        m_written = readReportFile(m_path);
    }

    void totalsAreTheFixtureSums()
    {
        const PrintedSales printed = printedSales(m_path);
        QCOMPARE(printed.recordCount, m_expected->recordCount);
        QCOMPARE(printed.grand, std::optional<qint64>(m_expected->grand.quantity));
        QCOMPARE(printed.countries.size(), m_expected->countries.size());
        for (const auto &[country, totals] : m_expected->countries)
            QCOMPARE(printed.countries.at(country), totals.quantity);
        QCOMPARE(printed.clients.size(), m_expected->clients.size());
        for (size_t i = 0; i < m_expected->clients.size(); ++i) {
            QCOMPARE(printed.clients[i].first, m_expected->clients[i].client);
            QCOMPARE(printed.clients[i].second, m_expected->clients[i].totals.quantity);
        }
    }

    void aFilterKeepsOnlyItsRecords_data()
    {
        QTest::addColumn<bool>("asked");
        QTest::newRow("a fixed value") << false;
        QTest::newRow("asked, the typed value offered") << true;
    }
    void aFilterKeepsOnlyItsRecords()
    {
        QFETCH(bool, asked);
        WizardChoices choices = m_choices;
        choices.conditions = {{{u"Clients"_s, u"Pais"_s}, Comparison::Equal, u"Andorra"_s, asked}};
        const QString path = m_dir.filePath(u"andorra.rpt"_s);
        writeWizardReport(composeReport(choices, empresaCatalog()).definition, choices, path);
        const ExpectedSales andorra = m_expected->onlyCountry(u"Andorra"_s);
        const PrintedSales printed = printedSales(path);
        QCOMPARE(printed.countries.size(), size_t(1));
        QCOMPARE(printed.countries.at(u"Andorra"_s), andorra.grand.quantity);
        QCOMPARE(printed.grand, std::optional<qint64>(andorra.grand.quantity));
        QCOMPARE(readReportFile(path).parameters.size(), size_t(asked ? 1 : 0));
    }

    void itsLinksAreTheStoredOnes()
    {
        const ReportDefinition handWritten = readReportFile(exampleReport(u"vendes-per-pais.rpt"_s));
        QCOMPARE(m_written.links.size(), handWritten.links.size());
        for (const TableLink &link : handWritten.links)
            QVERIFY2(std::find(m_written.links.begin(), m_written.links.end(), link) != m_written.links.end(),
                     qPrintable(link.fromAlias + u" → "_s + link.toAlias));
    }

    void numbersAreRightAlignedInFormatsOfTheirType_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("format");
        const int right = int(HorizontalAlignment::Right), left = int(HorizontalAlignment::Left);
        QTest::newRow("a key, no separators") << u"IdComanda"_s << right << u"0"_s;
        QTest::newRow("a date") << u"DataComanda"_s << left << u"dd/MM/yyyy"_s;
        QTest::newRow("text") << u"Descripcio"_s << left << QString();
        QTest::newRow("a whole quantity") << u"Quantitat"_s << right << u"#,##0"_s;
        QTest::newRow("currency") << u"PreuUnitari"_s << right << u"#,##0.00"_s;
        QTest::newRow("its heading") << u"TitolPreuUnitari"_s << right << QString();
        QTest::newRow("the country total") << u"SumaQuantitatPais"_s << right << u"#,##0"_s;
        QTest::newRow("the grand total") << u"SumaQuantitatGeneral"_s << right << u"#,##0"_s;
    }
    void numbersAreRightAlignedInFormatsOfTheirType()
    {
        QFETCH(QString, object);
        QFETCH(int, alignment);
        QFETCH(QString, format);
        const ReportObject *found = objectNamed(m_written, object);
        QVERIFY2(found, qPrintable(object));
        QCOMPARE(int(found->format.alignment), alignment);
        QCOMPARE(found->format.valueFormat, format);
    }

    void theFileIsIndentedAndNamesEveryObject()
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("\n  <tables>\n    <table name=\"LiniesComanda\"/>"));
        QVERIFY(text.contains("\n  <wizard "));
        for (const SectionDefinition &section : m_written.sections)
            for (const ReportObject &object : section.objects)
                QVERIFY2(!object.name.isEmpty() && object.name.front().isLetter(), qPrintable(object.name));
    }
};

QTEST_MAIN(WizardSalesReportTest)
#include "test_wizard_sales_report.moc"
