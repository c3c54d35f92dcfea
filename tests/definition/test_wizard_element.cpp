// The engine passes over the <wizard> element the report wizard writes
// last in a report, whatever it holds, and keeps it to its place.

#include "engine/core/Failure.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/ReportReader.h"

#include <QtTest>

using namespace velmora;

namespace {

QByteArray report(const QByteArray &afterTables)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<report formatVersion=\"1\" title=\"T\">\n"
           "<tables><table name=\"Clients\"/></tables>\n"
           + afterTables + "\n</report>\n";
}

} // namespace

class WizardElementTest : public QObject {
    Q_OBJECT
private slots:
    void itIsPassedOver_data()
    {
        QTest::addColumn<QByteArray>("element");
        QTest::newRow("empty") << QByteArray("<wizard/>");
        QTest::newRow("choices") << QByteArray("<wizard database=\"a.mdb\"><column field=\"{Clients.Nom}\"/>"
                                               "<look paper=\"A4\"/></wizard>");
        QTest::newRow("anything, nested, with text") << QByteArray("<wizard><a><b>text {x} <![CDATA[<c>]]></b></a>"
                                                                   "<!-- note --></wizard>");
    }
    void itIsPassedOver()
    {
        QFETCH(QByteArray, element);
        const QByteArray sections = "<sections><details height=\"200\"/></sections>";
        QCOMPARE(readReportText(report(sections + element), QString()), readReportText(report(sections), QString()));
    }

    void itKeepsItsPlace_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("number");
        QTest::newRow("before the sections") << QByteArray("<wizard/><sections/>") << int(DefinitionErrors::ElementOutOfPlace);
        QTest::newRow("twice") << QByteArray("<wizard/><wizard/>") << int(DefinitionErrors::ElementOutOfPlace);
        QTest::newRow("never closed") << QByteArray("<wizard><column>") << int(DefinitionErrors::MalformedXml);
    }
    void itKeepsItsPlace()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, number);
        try {
            readReportText(report(body), QString());
            QFAIL("read");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), number);
        }
    }
};

QTEST_MAIN(WizardElementTest)
#include "test_wizard_element.moc"
