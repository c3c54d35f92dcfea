// Which Access files the engine reads, with which passwords, and how it
// refuses damaged ones: always a Failure with the data layer's number,
// never a crash and never a report over part of the data.

#include "AccessCsv.h"
#include "ExpectedSales.h"
#include "ReportRun.h"
#include "SalesPages.h"
#include "ScratchFiles.h"
#include "TestData.h"

#include <QFileInfo>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {
constexpr qint32 opened = 0;
constexpr qint32 notAnAccessFile = 3003;
constexpr qint32 damagedFile = 3004;
constexpr qint32 wrongPassword = 3005;
constexpr qint32 missingTable = 3010;
constexpr qint64 jet4PageSize = 4096;

/// A report listing one column of one table.
QByteArray oneColumnReport(const QString &table, const QString &column)
{
    return uR"(<?xml version="1.0" encoding="UTF-8"?>
<report formatVersion="1" title="Una columna">
  <tables><table name="%1"/></tables>
  <sections>
    <details name="Fila" height="240">
      <field name="Valor" left="0" top="0" width="4000" height="240" source="{%1.%2}"/>
    </details>
  </sections>
</report>)"_s.arg(table, column).toUtf8();
}

/// Lays out `report` over `database`; the failure's number, or `opened`
/// with the record count.
struct Outcome {
    qint32 failure = opened;
    qint64 records = -1;
    QString description;
};

Outcome layOut(const QString &report, const QString &database, const std::optional<QString> &password)
{
    try {
        ReportRun run(report, database, password);
        return {opened, run.layOutAll()->recordCount(), QString()};
    } catch (const Failure &failure) {
        return {failure.number(), -1, failure.description()};
    }
}

QString describe(const Outcome &outcome)
{
    return u"failure %1 (%2), %3 records"_s.arg(outcome.failure).arg(outcome.description).arg(outcome.records);
}

int csvRowCount(const QString &database, const QString &table)
{
    const auto csv = AccessCsv::exportTable(database, table);
    return csv ? csv->rowCount() : -1;
}
} // namespace

class DatabaseFilesTest : public QObject {
    Q_OBJECT

    ScratchFiles m_scratch;

private slots:
    void passwords_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("logsOn");
        QTest::addColumn<QString>("password");
        QTest::addColumn<qint32>("failure");

        const QString clau = u"empresa-clau.mdb"_s;
        QTest::newRow("the stored password, space inside, opens the file")
            << clau << u"Clients"_s << u"Nom"_s << true << u"clau secreta"_s << opened;
        QTest::newRow("case counts: Clau secreta is wrong")
            << clau << u"Clients"_s << u"Nom"_s << true << u"Clau secreta"_s << wrongPassword;
        QTest::newRow("a trailing space counts")
            << clau << u"Clients"_s << u"Nom"_s << true << u"clau secreta "_s << wrongPassword;
        QTest::newRow("an empty password is refused")
            << clau << u"Clients"_s << u"Nom"_s << true << QString() << wrongPassword;
        QTest::newRow("no logon at all is refused: the pages are readable but Access would refuse")
            << clau << u"Clients"_s << u"Nom"_s << false << QString() << wrongPassword;
        QTest::newRow("a file with no password opens with any password")
            << u"empresa.mdb"_s << u"Clients"_s << u"Nom"_s << true << u"qualsevol"_s << opened;
        QTest::newRow("Jet 3 without a password opens with any password")
            << u"testV1997.mdb"_s << u"Table1"_s << u"A"_s << true << u"qualsevol"_s << opened;
        // password.mdb holds system tables only, which reports do not see:
        // a report over a table it lacks shows which check comes first.
        QTest::newRow("Jet 4 password.mdb: system tables are not report tables")
            << u"password.mdb"_s << u"MSysObjects"_s << u"Name"_s << true << u"ucanaccess"_s << missingTable;
        QTest::newRow("the password is checked before the tables: wrong password, missing table")
            << u"password.mdb"_s << u"Clients"_s << u"Nom"_s << true << u"no"_s << wrongPassword;
        QTest::newRow("right password, missing table: now the table is missing")
            << u"password.mdb"_s << u"Clients"_s << u"Nom"_s << true << u"ucanaccess"_s << missingTable;
    }
    void passwords()
    {
        QFETCH(QString, database);
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(bool, logsOn);
        QFETCH(QString, password);
        QFETCH(qint32, failure);
        const QString report = m_scratch.write(u"%1-%2.rpt"_s.arg(database, table), oneColumnReport(table, column));
        const Outcome outcome = layOut(report, testDataPath(database), logsOn ? std::optional(password) : std::nullopt);
        QVERIFY2(outcome.failure == failure, qPrintable(describe(outcome)));
        if (failure == opened)
            QCOMPARE(outcome.records, qint64(csvRowCount(testDataPath(database), table)));
    }

    void damagedFiles_data()
    {
        QTest::addColumn<qint64>("keptBytes");
        QTest::addColumn<qint32>("failure");
        const qint64 whole = QFileInfo(testDataPath(u"empresa.mdb"_s)).size();
        QTest::newRow("empty file: no Access signature") << qint64(0) << notAnAccessFile;
        QTest::newRow("100 bytes: the signature, but less than a header page") << qint64(100) << notAnAccessFile;
        QTest::newRow("two pages: fewer than three") << 2 * jet4PageSize << damagedFile;
        QTest::newRow("one byte short: not a whole number of pages") << whole - 1 << damagedFile;
        QTest::newRow("last page missing: pages in use lie past the end") << whole - jet4PageSize << damagedFile;
        QTest::newRow("half the file") << (whole / 2 / jet4PageSize) * jet4PageSize << damagedFile;
        QTest::newRow("first 64 pages: the catalog is there, the tables are not") << 64 * jet4PageSize << damagedFile;
    }
    void damagedFiles()
    {
        QFETCH(qint64, keptBytes);
        QFETCH(qint32, failure);
        const QString copy = m_scratch.truncatedCopy(testDataPath(u"empresa.mdb"_s),
                                                     u"retallada-%1.mdb"_s.arg(keptBytes), keptBytes);
        const Outcome outcome = layOut(exampleReport(u"vendes-per-pais.rpt"_s), copy, std::nullopt);
        QVERIFY2(outcome.failure == failure, qPrintable(describe(outcome)));
    }

    void corruptedAccdbIsReadAsStored_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        // The file breaks its own constraints (a NULL in a NOT NULL column,
        // duplicates under a unique index, children without parents) and its
        // catalog counts rows it has deleted; the rows themselves are sound,
        // and a viewer shows what is stored, as mdb-export does.
        QTest::newRow("NotNull: a NULL where the column forbids it") << u"NotNull"_s << u"notnull"_s;
        QTest::newRow("UK: duplicates under a unique index") << u"UK"_s << u"uk"_s;
        QTest::newRow("Baby: a child whose parent is missing") << u"Baby"_s << u"fk1"_s;
    }
    void corruptedAccdbIsReadAsStored()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        const QString database = testDataPath(u"corrupted.accdb"_s);
        const QString report = m_scratch.write(table + u".rpt"_s, oneColumnReport(table, column));
        const Outcome outcome = layOut(report, database, std::nullopt);
        QVERIFY2(outcome.failure == opened, qPrintable(describe(outcome)));
        QCOMPARE(outcome.records, qint64(csvRowCount(database, table)));
    }

    void accdbGivesTheSameTotalsAsTheMdb()
    {
        // empresa2010.accdb holds the same rows as empresa.mdb in the ACE
        // format, so the totals worked out from the Jet 4 file must hold.
        const auto expected = ExpectedSales::compute(testDataPath(u"empresa.mdb"_s));
        if (!expected)
            QSKIP("mdb-export cannot read the fixture");
        ReportRun run(exampleReport(u"vendes-per-pais.rpt"_s), testDataPath(u"empresa2010.accdb"_s));
        const auto source = run.layOutAll();
        QCOMPARE(source->recordCount(), expected->recordCount);
        int grandRows = 0;
        for (const auto &row : allTextRows(*source)) {
            const SalesRowKind kind = salesRowKind(row);
            if (kind != SalesRowKind::CountryFooter && kind != SalesRowKind::GrandTotal)
                continue;
            const PrintedTotals printed = printedTotals(row);
            QVERIFY(printed.quantity && printed.cents);
            const auto country = expected->countries.find(row.firstText().mid(6));
            QVERIFY2(kind == SalesRowKind::GrandTotal || country != expected->countries.end(),
                     qPrintable(row.firstText()));
            const SalesTotals &wanted = kind == SalesRowKind::GrandTotal ? expected->grand : country->second;
            grandRows += kind == SalesRowKind::GrandTotal;
            QCOMPARE(*printed.quantity, wanted.quantity);
            QVERIFY2(centsMatch(*printed.cents, wanted.amountMillionths), qPrintable(row.texts().join(u" | "_s)));
        }
        QCOMPARE(grandRows, 1);
    }
};

QTEST_MAIN(DatabaseFilesTest)
#include "test_database_files.moc"
