#include "engine/core/Failure.h"
#include "engine/data/AccessDatabase.h"
#include "engine/data/DataErrors.h"
#include "../support/TestData.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>

using namespace velmora;
using namespace Qt::StringLiterals;
using velmora::testing::testDataPath;

namespace {

// Where the fixtures keep their encryption header: a 16-bit length at
// 0x299, then the version at 0x29B; in the binary header the algorithm id
// is at 0x2AF, the hash id at 0x2B3 and the key size at 0x2B7.
constexpr int lengthOffset = 0x299;
constexpr int algorithmOffset = 0x2AF;
constexpr int hashOffset = 0x2B3;
constexpr int keyBitsOffset = 0x2B7;

struct Refusal {
    int number = 0;
    QString description;
};

Refusal refusalOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Failure &failure) {
        return {failure.number(), failure.description()};
    }
    return {};
}

// Opens `bytes` saved under the fixture's own name.
Refusal refusalOfCopy(const QString &file, const QByteArray &bytes, const QString &password)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return {-1, u"cannot write the copy"_s};
    out.close();
    return refusalOf([&] { AccessDatabase::open(path, password); });
}

QByteArray fixture(const QString &name)
{
    QFile file(testDataPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put32(QByteArray &bytes, int offset, quint32 value)
{
    qToLittleEndian<quint32>(value, bytes.data() + offset);
}

void put16(QByteArray &bytes, int offset, quint16 value)
{
    qToLittleEndian<quint16>(value, bytes.data() + offset);
}

// Replaces the first `from` of the agile XML with `to`, keeping its length
// field right.
QByteArray withXmlReplaced(QByteArray bytes, const QByteArray &from, const QByteArray &to)
{
    const qsizetype at = bytes.indexOf(from, lengthOffset);
    const qsizetype growth = to.size() - from.size();
    bytes.replace(at, from.size(), to);
    if (growth > 0)
        bytes.remove(4096, growth);
    else
        bytes.insert(4096 + growth, QByteArray(-growth, '\0'));
    put16(bytes, lengthOffset, quint16(qFromLittleEndian<quint16>(bytes.constData() + lengthOffset) + growth));
    return bytes;
}

using Rows = QList<QPair<qint64, QString>>;

} // namespace

class TestAccessEncryption : public QObject {
    Q_OBJECT

private slots:
    void readsTablesWithTheRightPassword_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("table");
        QTest::addColumn<Rows>("rows");
        const Rows foo{{1, u"foo"_s}};
        QTest::newRow("RC4 CryptoAPI, 40-bit key") << "db2007-oldenc.accdb" << "Test123" << "Table1" << foo;
        QTest::newRow("agile AES-128, SHA-1") << "db2007-enc.accdb" << "Test123" << "Table1" << foo;
        QTest::newRow("agile AES-256, SHA-512; row 4 is Null")
            << "db2013-enc.accdb" << "1234" << "Customers"
            << Rows{{1, u"Test"_s}, {2, u"Test2"_s}, {3, u"a"_s}, {4, QString()}, {5, u"c"_s}, {6, u"d"_s}, {7, u"f"_s}};
    }
    void readsTablesWithTheRightPassword()
    {
        QFETCH(QString, file);
        QFETCH(QString, password);
        QFETCH(QString, table);
        QFETCH(Rows, rows);
        const auto database = AccessDatabase::open(testDataPath(file), password);
        QCOMPARE(database->tableNames(), QStringList{table});
        const auto columns = database->readColumns(table, {u"ID"_s, u"Field1"_s}, CancelToken());
        QCOMPARE(columns->rowCount(), rows.size());
        for (int row = 0; row < rows.size(); ++row) {
            QCOMPARE(columns->value(row, 0), Value::integer(rows[row].first));
            const Value expected = rows[row].second.isNull() ? Value::null() : Value::string(rows[row].second);
            QCOMPARE(columns->value(row, 1), expected);
        }
    }

    void readsAesWithoutTheAesFlag()
    {
        const auto database = AccessDatabase::open(testDataPath(u"db-nonstandard.accdb"_s), u"password"_s);
        QCOMPARE(database->tableNames(), QStringList{u"Table_One"_s});
        QVERIFY(database->schema(u"Table_One"_s)->columnIndex(u"ID"_s) >= 0);
        database->readColumns(u"Table_One"_s, {u"ID"_s}, CancelToken());
    }

    void refusesAMissingOrWrongPassword_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("password");
        for (const char *file : {"db2007-oldenc.accdb", "db2007-enc.accdb", "db2013-enc.accdb", "db-nonstandard.accdb"}) {
            QTest::addRow("%s, no password", file) << file << QString();
            QTest::addRow("%s, wrong password", file) << file << u"12345"_s;
        }
        QTest::newRow("passwords are case-sensitive") << "db2007-enc.accdb" << "test123";
        QTest::newRow("a trailing space counts") << "db2013-enc.accdb" << "1234 ";
    }
    void refusesAMissingOrWrongPassword()
    {
        QFETCH(QString, file);
        QFETCH(QString, password);
        const Refusal refusal = refusalOf([&] { AccessDatabase::open(testDataPath(file), password); });
        QCOMPARE(refusal.number, DataErrors::WrongPassword);
        QCOMPARE(refusal.description, u"La contrasenya de la base de dades «%1» no és correcta."_s.arg(file));
    }

    void namesAnEncryptionItCannotRead_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("named");

        QByteArray rc4 = fixture(u"db2007-oldenc.accdb"_s);
        QByteArray nonstandard = fixture(u"db-nonstandard.accdb"_s);
        const QByteArray agile = fixture(u"db2013-enc.accdb"_s);

        QByteArray unknownAlgorithm = rc4;
        put32(unknownAlgorithm, algorithmOffset, 0x6611);
        QTest::newRow("unknown algorithm id") << "db2007-oldenc.accdb" << "Test123" << unknownAlgorithm << "0x6611";
        QByteArray md5 = nonstandard;
        put32(md5, hashOffset, 0x8003);
        QTest::newRow("MD5 instead of SHA-1") << "db-nonstandard.accdb" << "password" << md5 << "0x8003";
        QByteArray oddKey = nonstandard;
        put32(oddKey, keyBitsOffset, 100);
        QTest::newRow("AES-256 with a 100-bit key") << "db-nonstandard.accdb" << "password" << oddKey << "100 bits";
        QByteArray extensible = rc4;
        put16(extensible, lengthOffset + 4, 3);
        QTest::newRow("extensible encryption, version 4.3") << "db2007-oldenc.accdb" << "Test123" << extensible << "4.3";
        QByteArray future = rc4;
        put16(future, lengthOffset + 2, 9);
        QTest::newRow("a future version 9.2") << "db2007-oldenc.accdb" << "Test123" << future << "9.2";
        QTest::newRow("agile with DES")
            << "db2013-enc.accdb" << "1234" << withXmlReplaced(agile, R"(cipherAlgorithm="AES")", R"(cipherAlgorithm="DES")")
            << "«DES»";
        QTest::newRow("agile with a hash it does not know")
            << "db2013-enc.accdb" << "1234"
            << withXmlReplaced(agile, R"(hashAlgorithm="SHA512")", R"(hashAlgorithm="WHIRLPOOL")") << "«WHIRLPOOL»";
        QTest::newRow("agile with cipher feedback")
            << "db2013-enc.accdb" << "1234"
            << withXmlReplaced(agile, R"(cipherChaining="ChainingModeCBC")", R"(cipherChaining="ChainingModeCFB")")
            << "«ChainingModeCFB»";
        QTest::newRow("agile without a password key")
            << "db2013-enc.accdb" << "1234"
            << withXmlReplaced(agile, R"(<p:encryptedKey )", R"(<p:encryptedKez )") << "certificat";
    }
    void namesAnEncryptionItCannotRead()
    {
        QFETCH(QString, file);
        QFETCH(QString, password);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, named);
        const Refusal refusal = refusalOfCopy(file, bytes, password);
        QCOMPARE(refusal.number, DataErrors::UnsupportedEncryption);
        QVERIFY2(refusal.description.startsWith(u"La base de dades «%1» està xifrada"_s.arg(file)),
                 qPrintable(refusal.description));
        QVERIFY2(refusal.description.contains(named), qPrintable(refusal.description));
    }

    void refusesADamagedEncryptionHeader_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("bytes");

        const QByteArray rc4 = fixture(u"db2007-oldenc.accdb"_s);
        const QByteArray agile = fixture(u"db2007-enc.accdb"_s);
        const auto withLength = [](QByteArray bytes, quint16 length) {
            put16(bytes, lengthOffset, length);
            return bytes;
        };
        QTest::newRow("binary header cut to 40 bytes") << "db2007-oldenc.accdb" << "Test123" << withLength(rc4, 40);
        QTest::newRow("binary header cut before its version") << "db2007-oldenc.accdb" << "Test123" << withLength(rc4, 3);
        QTest::newRow("binary header cut inside the verifier hash") << "db2007-oldenc.accdb" << "Test123" << withLength(rc4, 180);
        QTest::newRow("empty header with a database key") << "db2007-oldenc.accdb" << "Test123" << withLength(rc4, 0);
        QTest::newRow("header longer than the page") << "db2007-oldenc.accdb" << "Test123" << withLength(rc4, 0xFFFF);
        QByteArray salt = rc4;
        put32(salt, 0x29B + 12 + 0x76, 12);
        QTest::newRow("verifier salt of 12 bytes") << "db2007-oldenc.accdb" << "Test123" << salt;
        QByteArray hashSize = rc4;
        put32(hashSize, 0x29B + 12 + 0x76 + 36, 16);
        QTest::newRow("verifier hash of 16 bytes") << "db2007-oldenc.accdb" << "Test123" << hashSize;
        QTest::newRow("agile XML cut in half") << "db2007-enc.accdb" << "Test123" << withLength(agile, 450);
        QByteArray reserved = agile;
        put32(reserved, 0x29B + 4, 0x41);
        QTest::newRow("agile reserved value not 0x40") << "db2007-enc.accdb" << "Test123" << reserved;
        QTest::newRow("agile salt not base64")
            << "db2007-enc.accdb" << "Test123" << withXmlReplaced(agile, R"(saltValue="Dp)", R"(saltValue="*p)");
        QTest::newRow("agile spin count beyond ten million")
            << "db2007-enc.accdb" << "Test123"
            << withXmlReplaced(agile, R"(spinCount="100000")", R"(spinCount="4000000000")");
        QTest::newRow("agile verifier not whole blocks")
            << "db2007-enc.accdb" << "Test123"
            << withXmlReplaced(agile, R"(encryptedKeyValue="o0cj94OxoyHGQ6CDwqTdBg==")",
                               R"(encryptedKeyValue="o0cj94OxoyHGQ6CDwqTd")");
    }
    void refusesADamagedEncryptionHeader()
    {
        QFETCH(QString, file);
        QFETCH(QString, password);
        QFETCH(QByteArray, bytes);
        const Refusal refusal = refusalOfCopy(file, bytes, password);
        QCOMPARE(refusal.number, DataErrors::DamagedFile);
        QVERIFY2(refusal.description.startsWith(u"La base de dades «%1» està malmesa o incompleta: "_s.arg(file)),
                 qPrintable(refusal.description));
        QVERIFY2(refusal.description.contains(u"xifratge"_s), qPrintable(refusal.description));
    }
};

QTEST_GUILESS_MAIN(TestAccessEncryption)
#include "test_access_encryption.moc"
