// The CSV exports (40: commas, 41: semicolons): each value's field, the
// guard against formulas, and whole files read back by Python's csv module.

#include "ExternalTools.h"
#include "FakeReport.h"

#include "engine/core/Failure.h"
#include "engine/writers/CsvWriter.h"
#include "engine/writers/WriteExport.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(velmora::Value)

using namespace velmora;
using namespace velmora::testing;

namespace {

const QString readBackScript = QStringLiteral(R"(
import csv, json, sys
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    print(json.dumps(list(csv.reader(f, delimiter=sys.argv[2]))))
)");

QString exportCsv(const QString &folder, qint32 format, const RecordTable &records)
{
    const QString target = folder + QStringLiteral("/dades.csv");
    ExportRequest request{.formatType = format, .path = target};
    request.records = &records;
    writeExport(request, CancelToken());
    return target;
}

QJsonArray readBack(const QString &file, const QString &separator)
{
    return QJsonDocument::fromJson(runTool(QStringLiteral("/usr/bin/python3"),
                                           {QStringLiteral("-c"), readBackScript, file, separator}))
        .array();
}

DateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return DateTime::fromDateAndTime(QDate(year, month, day), QTime(hour, minute, second));
}

} // namespace

class CsvWriterTest : public QObject {
    Q_OBJECT

private slots:
    void fields_data()
    {
        QTest::addColumn<Value>("value");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QByteArray>("field");

        const char comma = ',', semicolon = ';';
        QTest::newRow("negative integer stays a bare number") << Value::integer(-42) << comma << QByteArray("-42");
        QTest::newRow("negative double stays a bare number, full stop")
            << Value::number(-12.5) << comma << QByteArray("-12.5");
        QTest::newRow("double written shortest, without a locale") << Value::number(0.1) << semicolon << QByteArray("0.1");
        QTest::newRow("currency keeps its four exact decimals")
            << Value::currency(Currency{-12'345'678}) << comma << QByteArray("-1234.5678");
        QTest::newRow("date in ISO 8601") << Value::date(at(2024, 3, 1)) << comma << QByteArray("2024-03-01");
        QTest::newRow("time in ISO 8601") << Value::time(DateTime::fromTime(QTime(13, 5, 7))) << comma
                                          << QByteArray("13:05:07");
        QTest::newRow("date and time joined by T") << Value::dateTime(at(1899, 12, 29, 6)) << comma
                                                   << QByteArray("1899-12-29T06:00:00");
        QTest::newRow("boolean") << Value::boolean(true) << comma << QByteArray("true");
        QTest::newRow("null is an empty field") << Value::null() << comma << QByteArray();
        QTest::newRow("binary as hexadecimal") << Value::binary(QByteArray("\x01\xff", 2)) << comma << QByteArray("01ff");
        QTest::newRow("plain text as it is, UTF-8") << Value::string(QStringLiteral("Cèl·lula")) << comma
                                                    << QStringLiteral("Cèl·lula").toUtf8();
        QTest::newRow("separator inside: quoted") << Value::string(QStringLiteral("Vidal, Anna")) << comma
                                                  << QByteArray("\"Vidal, Anna\"");
        QTest::newRow("comma is plain text when the separator is ;")
            << Value::string(QStringLiteral("Vidal, Anna")) << semicolon << QByteArray("Vidal, Anna");
        QTest::newRow("semicolon inside: quoted") << Value::string(QStringLiteral("a;b")) << semicolon
                                                  << QByteArray("\"a;b\"");
        QTest::newRow("quotes doubled") << Value::string(QStringLiteral("el \"Bo\"")) << comma
                                        << QByteArray("\"el \"\"Bo\"\"\"");
        QTest::newRow("line feed inside: quoted") << Value::string(QStringLiteral("dues\nlínies")) << comma
                                                  << QStringLiteral("\"dues\nlínies\"").toUtf8();
        QTest::newRow("formula guarded") << Value::string(QStringLiteral("=HYPERLINK(\"x\")")) << comma
                                         << QByteArray("\"'=HYPERLINK(\"\"x\"\")\"");
        QTest::newRow("plus guarded") << Value::string(QStringLiteral("+34 973")) << comma << QByteArray("\"'+34 973\"");
        QTest::newRow("text that looks negative is guarded")
            << Value::string(QStringLiteral("-12")) << comma << QByteArray("\"'-12\"");
        QTest::newRow("at sign guarded") << Value::string(QStringLiteral("@SUM(A1)")) << comma
                                         << QByteArray("\"'@SUM(A1)\"");
        QTest::newRow("leading tab guarded") << Value::string(QStringLiteral("\t=1")) << comma
                                             << QByteArray("\"'\t=1\"");
        QTest::newRow("leading CR guarded") << Value::string(QStringLiteral("\r=1")) << comma
                                            << QByteArray("\"'\r=1\"");
        QTest::newRow("an equals sign later is harmless") << Value::string(QStringLiteral("a=b")) << comma
                                                          << QByteArray("a=b");
    }

    void fields()
    {
        QFETCH(Value, value);
        QFETCH(char, separator);
        QFETCH(QByteArray, field);
        QCOMPARE(CsvWriter(separator).field(value), field);
    }

    void fileReadsBackRecordByRecord_data()
    {
        QTest::addColumn<qint32>("format");
        QTest::addColumn<QString>("separator");
        QTest::newRow("commas") << ExportFormat::Csv << QStringLiteral(",");
        QTest::newRow("semicolons") << ExportFormat::CsvSemicolon << QStringLiteral(";");
    }

    void fileReadsBackRecordByRecord()
    {
        if (!hasTool(QStringLiteral("python3")))
            QSKIP("python3 is not installed");
        QFETCH(qint32, format);
        QFETCH(QString, separator);
        QTemporaryDir folder;
        const FakeRecordTable records = sampleRecords(6);
        const QString file = exportCsv(folder.path(), format, records);
        const QJsonArray rows = readBack(file, separator);
        QCOMPARE(rows.size(), 7);
        QCOMPARE(rows[0].toArray()[0].toString(), QStringLiteral("Nom"));
        const QJsonArray second = rows[2].toArray(); // record 1
        QCOMPARE(second.size(), 7);
        QCOMPARE(second[0].toString(), QStringLiteral("'=SUM(A1)"));
        QCOMPARE(second[1].toString(), QStringLiteral("1"));
        QCOMPARE(second[2].toString(), QStringLiteral("2.5"));
        QCOMPARE(second[3].toString(), QStringLiteral("1234.5679"));
        QCOMPARE(second[4].toString(), QStringLiteral("2024-01-02"));
        QCOMPARE(second[5].toString(), QStringLiteral("false"));
        QCOMPARE(rows[4].toArray()[0].toString(), QStringLiteral("Festa ") + emoji);
        QCOMPARE(rows[1].toArray()[6].toString(), QString()); // Null

        QFile raw(file);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        const QByteArray bytes = raw.readAll();
        QVERIFY(bytes.startsWith("Nom")); // no byte-order mark
        QCOMPARE(bytes.count("\r\n"), 7);
    }

    void stoppedExportLeavesThePreviousFile()
    {
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("dades.csv"));
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("abans");
        old.close();
        CancelToken cancel;
        const FakeRecordTable records(sampleHeadings(), 100'000, [&cancel](qint64 i) {
            if (i == 50'000)
                cancel.cancel();
            return sampleRecord(i);
        });
        ExportRequest request{.formatType = ExportFormat::Csv, .path = target};
        request.records = &records;
        QVERIFY_THROWS_EXCEPTION(Failure, writeExport(request, cancel));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("abans"));
        QCOMPARE(filesIn(folder.path()), QStringList{QStringLiteral("dades.csv")});
    }
};

QTEST_GUILESS_MAIN(CsvWriterTest)
#include "test_csv_writer.moc"
