#include "engine/core/Failure.h"
#include "engine/data/Cryptography.h"
#include "engine/data/DataErrors.h"
#include "engine/data/OfficeKeys.h"

#include <QTest>

using namespace velmora;
using namespace velmora::Cryptography;

namespace {

QByteArray rc4Of(const QByteArray &key, QByteArray text)
{
    Rc4(key).apply(reinterpret_cast<unsigned char *>(text.data()), text.size());
    return text;
}

} // namespace

// Published test vectors: the library unit must give OpenSSL's answers
// through every way the data layer calls it.
class TestCryptography : public QObject {
    Q_OBJECT

private slots:
    void hashesKnownAnswers_data()
    {
        QTest::addColumn<int>("hash");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("SHA-1") << int(Hash::Sha1) << QByteArray("a9993e364706816aba3e25717850c26c9cd0d89d");
        QTest::newRow("SHA-256") << int(Hash::Sha256)
                                 << QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
        QTest::newRow("SHA-512") << int(Hash::Sha512)
                                 << QByteArray("ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
                                               "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f");
    }
    void hashesKnownAnswers()
    {
        QFETCH(int, hash);
        QFETCH(QByteArray, expected);
        Digest digest(static_cast<Hash>(hash));
        QCOMPARE(digest.of({"abc"}).toHex(), expected);
        // Parts are hashed as one message, and the digest is reusable.
        QCOMPARE(digest.of({"a", "", "bc"}).toHex(), expected);
        QCOMPARE(digest.size(), expected.size() / 2);
    }

    void rc4KnownAnswers_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("Key / Plaintext") << QByteArray("Key") << QByteArray("Plaintext") << QByteArray("bbf316e8d940af0ad3");
        QTest::newRow("Wiki / pedia") << QByteArray("Wiki") << QByteArray("pedia") << QByteArray("1021bf0420");
        QTest::newRow("Secret / Attack at dawn")
            << QByteArray("Secret") << QByteArray("Attack at dawn") << QByteArray("45a01f645fc35b383552544b9bf5");
    }
    void rc4KnownAnswers()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(rc4Of(key, text).toHex(), expected);
        QCOMPARE(rc4Of(key, QByteArray::fromHex(expected)), text);
    }

    void rc4ContinuesItsKeyStream()
    {
        QByteArray text("Attack at dawn");
        Rc4 rc4(QByteArray("Secret"));
        rc4.apply(reinterpret_cast<unsigned char *>(text.data()), 5);
        rc4.apply(reinterpret_cast<unsigned char *>(text.data()) + 5, text.size() - 5);
        QCOMPARE(text.toHex(), QByteArray("45a01f645fc35b383552544b9bf5"));
    }

    void aesKnownAnswers_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("iv");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("cipher");
        const QByteArray fipsPlain("00112233445566778899aabbccddeeff");
        QTest::newRow("AES-128 ECB") << QByteArray("000102030405060708090a0b0c0d0e0f") << int(Aes::Mode::Ecb)
                                     << QByteArray() << fipsPlain << QByteArray("69c4e0d86a7b0430d8cdb78070b4c55a");
        QTest::newRow("AES-256 ECB")
            << QByteArray("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f") << int(Aes::Mode::Ecb)
            << QByteArray() << fipsPlain << QByteArray("8ea2b7ca516745bfeafc49904b496089");
        QTest::newRow("AES-128 CBC, two blocks chained")
            << QByteArray("2b7e151628aed2a6abf7158809cf4f3c") << int(Aes::Mode::Cbc)
            << QByteArray("000102030405060708090a0b0c0d0e0f")
            << QByteArray("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51")
            << QByteArray("7649abac8119b246cee98e9b12e9197d5086cb9b507219ee95db113a917678b2");
    }
    void aesKnownAnswers()
    {
        QFETCH(QByteArray, key);
        QFETCH(int, mode);
        QFETCH(QByteArray, iv);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, cipher);
        const auto aesMode = static_cast<Aes::Mode>(mode);
        Aes encrypt(QByteArray::fromHex(key), aesMode, Aes::Direction::Encrypt);
        QCOMPARE(encrypt.applied(QByteArray::fromHex(iv), QByteArray::fromHex(plain)).toHex(), cipher);
        // Each call starts again from the IV it is given: pages are independent.
        QCOMPARE(encrypt.applied(QByteArray::fromHex(iv), QByteArray::fromHex(plain)).toHex(), cipher);
        Aes decrypt(QByteArray::fromHex(key), aesMode, Aes::Direction::Decrypt);
        QCOMPARE(decrypt.applied(QByteArray::fromHex(iv), QByteArray::fromHex(cipher)).toHex(), plain);
    }

    void refusesWhatAesCannotTake_data()
    {
        QTest::addColumn<int>("keyLength");
        QTest::addColumn<int>("dataLength");
        QTest::newRow("a 20-byte key") << 20 << 16;
        QTest::newRow("an empty key") << 0 << 16;
        QTest::newRow("data not in whole blocks") << 16 << 17;
    }
    void refusesWhatAesCannotTake()
    {
        QFETCH(int, keyLength);
        QFETCH(int, dataLength);
        try {
            Aes aes(QByteArray(keyLength, 'k'), Aes::Mode::Ecb, Aes::Direction::Decrypt);
            aes.applied({}, QByteArray(dataLength, 'd'));
            QFAIL("AES took it");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), DataErrors::UnsupportedEncryption);
        }
    }

    void officePasswordIsUtf16LittleEndianUpTo255Characters()
    {
        QCOMPARE(OfficeKeys::passwordBytes(QStringLiteral("Aé")), QByteArray("A\0\xE9\0", 4));
        QCOMPARE(OfficeKeys::passwordBytes(QString(300, QLatin1Char('x'))).size(), 510);
        QCOMPARE(OfficeKeys::passwordBytes(QString()), QByteArray());
    }

    void fitsKeysToTheirLength()
    {
        QCOMPARE(OfficeKeys::fitted("abcdef", 4, '\x36'), QByteArray("abcd"));
        QCOMPARE(OfficeKeys::fitted("ab", 4, '\x36'), QByteArray("ab\x36\x36"));
    }
};

QTEST_GUILESS_MAIN(TestCryptography)
#include "test_cryptography.moc"
