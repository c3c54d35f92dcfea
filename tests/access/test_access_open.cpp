#include "engine/core/Failure.h"
#include "engine/data/AccessDatabase.h"
#include "engine/data/AccessFileHeader.h"
#include "engine/data/DataErrors.h"
#include "engine/data/DatabasePassword.h"
#include "engine/data/Cryptography.h"
#include "engine/seam/SeamErrors.h"
#include "../support/TestData.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace velmora;
using velmora::testing::testDataPath;

namespace {

int failureNumber(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Failure &failure) {
        return failure.number();
    }
    return 0;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// Puts a Jet 3 password into a copy of an Access 97 file, independently of
// the reader: 20 bytes of code-page text at 0x42, under the header's RC4.
QByteArray withJet3Password(QByteArray file, const QByteArray &password)
{
    QByteArray clear(20, '\0');
    clear.replace(0, password.size(), password);
    QByteArray keyStream(126, '\0');
    Cryptography::Rc4(QByteArrayView("\xC7\xDA\x39\x6B", 4)).apply(reinterpret_cast<unsigned char *>(keyStream.data()),
                                                keyStream.size());
    for (int i = 0; i < 20; ++i)
        file[0x42 + i] = char(clear[i] ^ keyStream[0x42 - 0x18 + i]);
    return file;
}

void readEveryColumnOfEveryTable(const QString &path)
{
    const auto database = AccessDatabase::open(path, QString());
    for (const QString &table : database->tableNames()) {
        QStringList columns;
        const auto schema = database->schema(table);
        for (const ColumnSchema &column : schema->columns)
            columns << column.name;
        database->readColumns(table, columns, CancelToken());
    }
}

} // namespace

class TestAccessOpen : public QObject {
    Q_OBJECT

private slots:
    void listsUserTablesInCatalogOrder_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("tables");
        const QStringList empresa{QStringLiteral("Clients"), QStringLiteral("Venedors"),
                                  QStringLiteral("Productes"), QStringLiteral("Comandes"),
                                  QStringLiteral("LiniesComanda")};
        const QStringList jackcess{QStringLiteral("Table1"), QStringLiteral("Table2"),
                                   QStringLiteral("Table3"), QStringLiteral("Table4")};
        QTest::newRow("Jet 4: the five sales tables, no MSys tables") << "empresa.mdb" << empresa;
        QTest::newRow("ACE: same schema as the Jet 4 file") << "empresa2010.accdb" << empresa;
        QTest::newRow("Jet 3 (Access 97)") << "testV1997.mdb" << jackcess;
        QTest::newRow("Jet 4 (2003)") << "testV2003.mdb" << jackcess;
        QTest::newRow("Jet 4 with RC4-encoded pages") << "db-enc.mdb" << QStringList{QStringLiteral("Table1")};
        QTest::newRow("Jet 3 with RC4-encoded pages") << "db97-enc.mdb" << QStringList{QStringLiteral("Table1")};
        QTest::newRow("ACE whose data breaks its constraints is still readable")
            << "corrupted.accdb"
            << QStringList{QStringLiteral("NotNull"), QStringLiteral("Daddy"), QStringLiteral("Baby"),
                           QStringLiteral("UK"), QStringLiteral("UKBaby")};
        QTest::newRow("empty table listed too") << "tipus.mdb" << QStringList{QStringLiteral("Tipus"), QStringLiteral("Buida")};
    }
    void listsUserTablesInCatalogOrder()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, tables);
        QCOMPARE(AccessDatabase::open(testDataPath(file), QString())->tableNames(), tables);
    }

    void readsEncodedPages_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("Jet 4 key E0 73 B7 A7") << "db-enc.mdb";
        QTest::newRow("Jet 3 key FE C0 E0 A7") << "db97-enc.mdb";
    }
    void readsEncodedPages()
    {
        QFETCH(QString, file);
        const auto table = AccessDatabase::open(testDataPath(file), QString())
                               ->readColumns(QStringLiteral("Table1"),
                                             {QStringLiteral("ID"), QStringLiteral("col1"), QStringLiteral("col2")},
                                             CancelToken());
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->value(1, 0), Value::integer(2));
        QCOMPARE(table->value(1, 1), Value::string(QStringLiteral("world")));
        QCOMPARE(table->value(1, 2), Value::integer(42));
    }

    void checksTheDatabasePassword_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("failure");
        QTest::newRow("right password") << "empresa-clau.mdb" << "clau secreta" << 0;
        QTest::newRow("wrong password") << "empresa-clau.mdb" << "clau" << int(DataErrors::WrongPassword);
        QTest::newRow("empty password on a protected file") << "empresa-clau.mdb" << "" << int(DataErrors::WrongPassword);
        QTest::newRow("passwords are case-sensitive") << "empresa-clau.mdb" << "Clau Secreta" << int(DataErrors::WrongPassword);
        QTest::newRow("the inner space counts") << "empresa-clau.mdb" << "clausecreta" << int(DataErrors::WrongPassword);
        QTest::newRow("UCanAccess file, right password") << "password.mdb" << "ucanaccess" << 0;
        QTest::newRow("UCanAccess file, wrong password") << "password.mdb" << "UCANACCESS" << int(DataErrors::WrongPassword);
        QTest::newRow("no password kept: any text opens it") << "empresa.mdb" << "qualsevol" << 0;
        QTest::newRow("no password kept: empty opens it") << "empresa.mdb" << "" << 0;
    }
    void checksTheDatabasePassword()
    {
        QFETCH(QString, file);
        QFETCH(QString, password);
        QFETCH(int, failure);
        QCOMPARE(failureNumber([&] { AccessDatabase::open(testDataPath(file), password); }), failure);
    }

    void wrongPasswordNamesTheFile()
    {
        try {
            AccessDatabase::open(testDataPath(QStringLiteral("empresa-clau.mdb")), QStringLiteral("x"));
            QFAIL("opened with a wrong password");
        } catch (const Failure &failure) {
            QCOMPARE(failure.description(),
                     QStringLiteral("La contrasenya de la base de dades «empresa-clau.mdb» no és correcta."));
        }
    }

    void readsTheJet4PasswordFromTheHeader()
    {
        const QByteArray bytes = fileBytes(testDataPath(QStringLiteral("empresa-clau.mdb")));
        const auto header = AccessFileHeader::parse(bytes.left(4096), bytes.size(), QStringLiteral("f"));
        QCOMPARE(DatabasePassword::storedIn(header), QStringLiteral("clau secreta"));
    }

    void checksAJet3Password_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("failure");
        QTest::newRow("the encoded password opens it") << "Secret97" << 0;
        QTest::newRow("another password is refused") << "secret97" << int(DataErrors::WrongPassword);
        QTest::newRow("no password is refused") << "" << int(DataErrors::WrongPassword);
    }
    void checksAJet3Password()
    {
        QFETCH(QString, given);
        QFETCH(int, failure);
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("clau97.mdb"),
                                       withJet3Password(fileBytes(testDataPath(QStringLiteral("testV1997.mdb"))),
                                                        "Secret97"));
        QCOMPARE(failureNumber([&] { AccessDatabase::open(path, given); }), failure);
    }

    void refusesWhatIsNotAnAccessFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("failure");
        QByteArray random(64 * 1024, Qt::Uninitialized);
        QRandomGenerator generator(7);
        for (char &byte : random)
            byte = char(generator.bounded(256));
        QByteArray compoundFile("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
        compoundFile.append(QByteArray(8192, '\0'));
        QByteArray jetPrefixOnly = fileBytes(testDataPath(QStringLiteral("empresa.mdb"))).left(40);
        QByteArray futureVersion = fileBytes(testDataPath(QStringLiteral("empresa.mdb"))).left(4096 * 4);
        futureVersion[0x14] = char(0x40);
        QTest::newRow("empty file") << QByteArray() << int(DataErrors::NotAnAccessFile);
        QTest::newRow("random bytes") << random << int(DataErrors::NotAnAccessFile);
        QTest::newRow("a text file") << QByteArray("Id;Nom\n1;Anna\n").repeated(500) << int(DataErrors::NotAnAccessFile);
        QTest::newRow("a PDF") << QByteArray("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n").append(QByteArray(9000, ' '))
                               << int(DataErrors::NotAnAccessFile);
        QTest::newRow("an Office (OLE compound) document") << compoundFile << int(DataErrors::NotAnAccessFile);
        QTest::newRow("only the start of a header") << jetPrefixOnly << int(DataErrors::NotAnAccessFile);
        QTest::newRow("an unknown format version") << futureVersion << int(DataErrors::UnsupportedFormat);
    }
    void refusesWhatIsNotAnAccessFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, failure);
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("fals.mdb"), bytes);
        QCOMPARE(failureNumber([&] { AccessDatabase::open(path, QString()); }), failure);
    }

    void refusesAMissingFile()
    {
        QCOMPARE(failureNumber([] { AccessDatabase::open(QStringLiteral("/no/existeix/base.mdb"), QString()); }),
                 int(DataErrors::FileMissing));
    }

    // empresa.mdb is 214 pages of 4096 bytes; its data pages run to the end.
    void refusesATruncatedFile_data()
    {
        QTest::addColumn<qint64>("keptBytes");
        QTest::newRow("half a page short") << qint64(876544 - 2048);
        QTest::newRow("the last page missing") << qint64(876544 - 4096);
        QTest::newRow("cut in the middle of the order lines") << qint64(4096 * 180);
        QTest::newRow("cut in the middle of the orders") << qint64(4096 * 120);
        QTest::newRow("cut through the catalog pages") << qint64(4096 * 10);
        QTest::newRow("just the header page and two more") << qint64(4096 * 3);
        QTest::newRow("cut inside the header page") << qint64(3000);
        QTest::newRow("one byte") << qint64(1);
    }
    void refusesATruncatedFile()
    {
        QFETCH(qint64, keptBytes);
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("tallat.mdb"),
                                       fileBytes(testDataPath(QStringLiteral("empresa.mdb"))).left(keptBytes));
        const int failure = failureNumber([&] { readEveryColumnOfEveryTable(path); });
        QVERIFY2(failure == DataErrors::DamagedFile || failure == DataErrors::NotAnAccessFile,
                 qPrintable(QString::number(failure)));
    }

    void damagedFileNamesTheFile()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("tallat.mdb"),
                                       fileBytes(testDataPath(QStringLiteral("empresa.mdb"))).left(4096 * 180));
        try {
            readEveryColumnOfEveryTable(path);
            QFAIL("a truncated file was read");
        } catch (const Failure &failure) {
            QVERIFY(failure.description().contains(QStringLiteral("«tallat.mdb»")));
        }
    }

    void matchesNamesIgnoringCase()
    {
        const auto database = AccessDatabase::open(testDataPath(QStringLiteral("empresa.mdb")), QString());
        const auto table = database->readColumns(QStringLiteral("clients"), {QStringLiteral("idclient"), QStringLiteral("NOM")},
                                                 CancelToken());
        QCOMPARE(table->columnName(0), QStringLiteral("IdClient"));
        QCOMPARE(table->columnIndex(QStringLiteral("nom")), 1);
        QCOMPARE(table->rowCount(), 120);
        QVERIFY(database->schema(QStringLiteral("LINIESCOMANDA")).has_value());
    }

    void namesWhatIsUnknown_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("description");
        QTest::newRow("unknown table") << "Factures" << "Id" << int(DataErrors::UnknownTable)
                                       << "La taula «Factures» no existeix a la base de dades «empresa.mdb».";
        QTest::newRow("system tables are not offered") << "MSysObjects" << "Id" << int(DataErrors::UnknownTable)
                                                       << "La taula «MSysObjects» no existeix a la base de dades «empresa.mdb».";
        QTest::newRow("unknown column") << "Clients" << "Correu" << int(DataErrors::UnknownColumn)
                                        << "La columna «Correu» no existeix a la taula «Clients».";
    }
    void namesWhatIsUnknown()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(int, failure);
        QFETCH(QString, description);
        const auto database = AccessDatabase::open(testDataPath(QStringLiteral("empresa.mdb")), QString());
        try {
            database->readColumns(table, {column}, CancelToken());
            QFAIL("read an unknown name");
        } catch (const Failure &caught) {
            QCOMPARE(caught.number(), failure);
            QCOMPARE(caught.description(), description);
        }
    }

    void stopsWhenCancelled()
    {
        const auto database = AccessDatabase::open(testDataPath(QStringLiteral("empresa.mdb")), QString());
        CancelToken cancel;
        cancel.cancel();
        QCOMPARE(failureNumber([&] { database->readColumns(QStringLiteral("LiniesComanda"), {QStringLiteral("IdLinia")}, cancel); }),
                 int(SeamErrors::Stopped));
    }

    void reportsProgressUpToTheLastRow()
    {
        const auto database = AccessDatabase::open(testDataPath(QStringLiteral("empresa.mdb")), QString());
        qint64 lastCount = 0;
        database->readColumns(QStringLiteral("LiniesComanda"), {QStringLiteral("IdLinia")}, CancelToken(),
                              [&](const Progress &progress) { lastCount = progress.recordsRead; });
        QCOMPARE(lastCount, qint64(6000));
    }

    void describesColumns()
    {
        const auto schema = AccessDatabase::open(testDataPath(QStringLiteral("tipus.mdb")), QString())
                                ->schema(QStringLiteral("Tipus"));
        QVERIFY(schema);
        QCOMPARE(schema->rowCount, qint64(40));
        const ColumnSchema &numeric = schema->columns[size_t(schema->columnIndex(QStringLiteral("ValNumeric")))];
        QCOMPARE(numeric.accessType, AccessType::Decimal);
        QCOMPARE(numeric.precision, 18);
        QCOMPARE(numeric.scale, 4);
        QCOMPARE(numeric.valueType, ValueType::Currency);
        const ColumnSchema &text = schema->columns[size_t(schema->columnIndex(QStringLiteral("ValText")))];
        QCOMPARE(text.size, 255);
        QCOMPARE(text.valueType, ValueType::String);
    }
};

QTEST_GUILESS_MAIN(TestAccessOpen)
#include "test_access_open.moc"
