#include "app/CommandLine.h"

#include <QTest>

using velmora::CommandLine;
using namespace Qt::StringLiterals;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void TestCommandLine::parse_data()
{
    QTest::addColumn<QString>("argumentText");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("password");

    QTest::newRow("nothing given presets nothing") << u""_s << u""_s << u""_s << u""_s;
    QTest::newRow("spaces alone preset nothing") << u"    "_s << u""_s << u""_s << u""_s;

    QTest::newRow("no '<': the whole text is the report path")
        << uR"(C:\Informes\vendes.rpt)"_s << uR"(C:\Informes\vendes.rpt)"_s << u""_s << u""_s;
    QTest::newRow("no '<': outer spaces go, inner spaces stay")
        << uR"(   C:\Els meus informes\vendes.rpt  )"_s << uR"(C:\Els meus informes\vendes.rpt)"_s
        << u""_s << u""_s;
    QTest::newRow("no '<': quote characters are part of the path")
        << uR"("C:\Els meus informes\vendes.rpt")"_s << uR"("C:\Els meus informes\vendes.rpt")"_s
        << u""_s << u""_s;
    QTest::newRow("no '<': a '>' is just a character of the path")
        << u"a>b.rpt"_s << u"a>b.rpt"_s << u""_s << u""_s;
    QTest::newRow("only spaces are padding: tabs stay with the path")
        << u"\tC:/a.rpt\t"_s << u"\tC:/a.rpt\t"_s << u""_s << u""_s;

    QTest::newRow("one field presets the report only")
        << uR"(<C:\Informes\vendes.rpt>)"_s << uR"(C:\Informes\vendes.rpt)"_s << u""_s << u""_s;
    QTest::newRow("two fields with nothing between them")
        << uR"(<C:\Informes\vendes.rpt><C:\Dades\empresa.mdb>)"_s << uR"(C:\Informes\vendes.rpt)"_s
        << uR"(C:\Dades\empresa.mdb)"_s << u""_s;
    QTest::newRow("two fields three spaces apart")
        << uR"(<C:\Informes\vendes.rpt>   <C:\Dades\empresa.mdb>)"_s
        << uR"(C:\Informes\vendes.rpt)"_s << uR"(C:\Dades\empresa.mdb)"_s << u""_s;
    QTest::newRow("third field is the password, its spaces included")
        << u"<a.rpt> <b.mdb> <  clau secreta  >"_s << u"a.rpt"_s << u"b.mdb"_s
        << u"  clau secreta  "_s;
    QTest::newRow("a fourth field is ignored")
        << u"<a.rpt> <b.mdb> <clau> <sobra>"_s << u"a.rpt"_s << u"b.mdb"_s << u"clau"_s;
    QTest::newRow("spaces just inside the delimiters belong to the value")
        << uR"(< C:\a.rpt >)"_s << uR"( C:\a.rpt )"_s << u""_s << u""_s;
    QTest::newRow("an empty report field leaves the database in its place")
        << uR"(<><C:\Dades\empresa.mdb>)"_s << u""_s << uR"(C:\Dades\empresa.mdb)"_s << u""_s;
    QTest::newRow("three empty fields") << u"<> <> <>"_s << u""_s << u""_s << u""_s;
    QTest::newRow("a '<' inside a value is kept: the field ends at the first '>'")
        << uR"(<C:\a<b.rpt>)"_s << uR"(C:\a<b.rpt)"_s << u""_s << u""_s;
    QTest::newRow("text before a field's '<' is skipped")
        << u"informe <a.rpt> base <b.mdb>"_s << u"a.rpt"_s << u"b.mdb"_s << u""_s;
    QTest::newRow("a stray '>' after the last field is not a field")
        << u"<a.rpt>>"_s << u"a.rpt"_s << u""_s << u""_s;

    // Malformed fields: the field and every one after it stay empty, since
    // no later position can be trusted once a field is misaligned.
    QTest::newRow("malformed: '<' with no '>' leaves everything empty")
        << uR"(<C:\a.rpt)"_s << u""_s << u""_s << u""_s;
    QTest::newRow("malformed: '>' before the first '<' leaves everything empty")
        << u"a.rpt> <b.mdb> <clau>"_s << u""_s << u""_s << u""_s;
    QTest::newRow("malformed database field: the report is kept, the rest is empty")
        << u"<a.rpt> <b.mdb"_s << u"a.rpt"_s << u""_s << u""_s;
    QTest::newRow("malformed: '>' in front of the database field empties it and the password")
        << u"<a.rpt> b> <c.mdb> <clau>"_s << u"a.rpt"_s << u""_s << u""_s;
    QTest::newRow("malformed password field: report and database are kept")
        << u"<a.rpt> <b.mdb> <clau"_s << u"a.rpt"_s << u"b.mdb"_s << u""_s;
}

void TestCommandLine::parse()
{
    QFETCH(QString, argumentText);
    QFETCH(QString, report);
    QFETCH(QString, database);
    QFETCH(QString, password);

    const CommandLine values = CommandLine::parse(argumentText);
    QCOMPARE(values.report, report);
    QCOMPARE(values.database, database);
    QCOMPARE(values.password, password);
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
