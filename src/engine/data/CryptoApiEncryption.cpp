#include "engine/data/CryptoApiEncryption.h"

#include "engine/data/Cryptography.h"
#include "engine/data/EncryptionInfoCursor.h"
#include "engine/data/OfficeKeys.h"

namespace velmora::CryptoApiEncryption {

namespace {

using Cryptography::Aes;
using Cryptography::Digest;
using Cryptography::Hash;

constexpr qsizetype verifierSaltLength = 16;
constexpr qsizetype sha1Length = 20;
constexpr quint32 standardRounds = 50000;

struct Parameters {
    quint32 flags = 0;
    quint32 algorithm = 0;
    quint32 keyBits = 0;
    QByteArray salt;
    QByteArray encryptedVerifier;
    QByteArray encryptedVerifierHash;
};

QString hex(quint32 value)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

// An algorithm id of 0 leaves the choice to the flags.
quint32 algorithmOf(quint32 id, quint32 flags, const QString &fileName)
{
    if (id == 0 && (flags & externalFlag) == 0 && (flags & cryptoApiFlag) != 0)
        return (flags & aesFlag) != 0 ? aes128Algorithm : rc4Algorithm;
    if (id == rc4Algorithm || id == aes128Algorithm || id == aes192Algorithm || id == aes256Algorithm)
        return id;
    throw DataErrors::unsupportedEncryption(fileName, QStringLiteral("l'algorisme de xifratge %1").arg(hex(id)));
}

quint32 keyBitsOf(quint32 algorithm, quint32 keyBits, const QString &fileName)
{
    if (algorithm == rc4Algorithm) {
        if (keyBits == 0)
            return 40;
        if (keyBits >= 40 && keyBits <= 128 && keyBits % 8 == 0)
            return keyBits;
    } else {
        const quint32 expected = algorithm == aes128Algorithm ? 128 : algorithm == aes192Algorithm ? 192 : 256;
        if (keyBits == 0 || keyBits == expected)
            return expected;
    }
    throw DataErrors::unsupportedEncryption(
        fileName, QStringLiteral("una clau de %1 bits per a l'algorisme %2").arg(keyBits).arg(hex(algorithm)));
}

Parameters read(QByteArrayView info, const QString &fileName)
{
    EncryptionInfoCursor cursor(info, fileName);
    Parameters parameters;
    cursor.u32(); // the header's flags, repeated
    const quint32 headerLength = cursor.u32();
    EncryptionInfoCursor header(cursor.take(headerLength), fileName);
    parameters.flags = header.u32();
    header.u32(); // size of extra data, always 0
    parameters.algorithm = algorithmOf(header.u32(), parameters.flags, fileName);
    const quint32 hash = header.u32();
    if (hash != 0 && hash != sha1Algorithm)
        throw DataErrors::unsupportedEncryption(fileName, QStringLiteral("l'algorisme de resum %1").arg(hex(hash)));
    parameters.keyBits = keyBitsOf(parameters.algorithm, header.u32(), fileName);

    if (cursor.u32() != verifierSaltLength)
        throw DataErrors::damagedFile(fileName, QStringLiteral("la capçalera de xifratge no és vàlida: la sal "
                                                               "del verificador no té 16 bytes"));
    parameters.salt = cursor.take(verifierSaltLength).toByteArray();
    parameters.encryptedVerifier = cursor.take(verifierSaltLength).toByteArray();
    if (cursor.u32() != sha1Length)
        throw DataErrors::damagedFile(fileName, QStringLiteral("la capçalera de xifratge no és vàlida: el resum "
                                                               "del verificador no té 20 bytes"));
    const qsizetype storedHash = parameters.algorithm == rc4Algorithm ? sha1Length : 32;
    parameters.encryptedVerifierHash = cursor.take(storedHash).toByteArray();
    return parameters;
}

class Rc4Cipher : public PageCipher {
public:
    Rc4Cipher(const Parameters &parameters, quint32 databaseKey, const QByteArray &password)
        : m_baseHash(m_digest.of({parameters.salt, password})),
          m_keyBytes(int(parameters.keyBits / 8)),
          m_databaseKey(databaseKey)
    {
    }

    bool accepts(const Parameters &parameters)
    {
        Cryptography::Rc4 rc4(key(QByteArray(4, '\0')));
        QByteArray verifier = parameters.encryptedVerifier + parameters.encryptedVerifierHash;
        rc4.apply(reinterpret_cast<unsigned char *>(verifier.data()), verifier.size());
        return m_digest.of({verifier.first(verifierSaltLength)}) == verifier.sliced(verifierSaltLength);
    }

    void decrypt(quint32 page, unsigned char *data, qsizetype length) override
    {
        Cryptography::Rc4(key(pageBlock(m_databaseKey, page))).apply(data, length);
    }

private:
    // A 40-bit key is used as 128 bits whose last 88 are zero.
    QByteArray key(const QByteArray &block)
    {
        QByteArray key = m_digest.of({m_baseHash, block}).left(m_keyBytes);
        return m_keyBytes == 5 ? OfficeKeys::fitted(key, 16, '\0') : key;
    }

    Digest m_digest{Hash::Sha1};
    QByteArray m_baseHash;
    int m_keyBytes;
    quint32 m_databaseKey;
};

class AesCipher : public PageCipher {
public:
    AesCipher(const Parameters &parameters, quint32 databaseKey, const QByteArray &password)
        : m_spunHash(OfficeKeys::spunHash(m_digest, parameters.salt, password,
                                          (parameters.flags & aesFlag) != 0 ? standardRounds : 0)),
          m_keyBytes(int(parameters.keyBits / 8)),
          m_databaseKey(databaseKey)
    {
    }

    bool accepts(const Parameters &parameters)
    {
        Aes aes(key(QByteArray(4, '\0')), Aes::Mode::Ecb, Aes::Direction::Decrypt);
        const QByteArray verifier = aes.applied({}, parameters.encryptedVerifier);
        const QByteArray hash = aes.applied({}, parameters.encryptedVerifierHash);
        return m_digest.of({verifier}) == hash.first(sha1Length);
    }

    void decrypt(quint32 page, unsigned char *data, qsizetype length) override
    {
        Aes(key(pageBlock(m_databaseKey, page)), Aes::Mode::Ecb, Aes::Direction::Decrypt)
            .apply({}, data, length - length % 16);
    }

private:
    // The CryptoAPI key derivation: the hash, XORed into 64 bytes of 0x36
    // and of 0x5C, hashed again and joined.
    QByteArray key(const QByteArray &block)
    {
        const QByteArray final = m_digest.of({m_spunHash, block});
        QByteArray inner(64, '\x36');
        QByteArray outer(64, '\x5C');
        for (qsizetype i = 0; i < final.size(); ++i) {
            inner[i] = char(inner[i] ^ final[i]);
            outer[i] = char(outer[i] ^ final[i]);
        }
        return QByteArray(m_digest.of({inner}) + m_digest.of({outer})).left(m_keyBytes);
    }

    Digest m_digest{Hash::Sha1};
    QByteArray m_spunHash;
    int m_keyBytes;
    quint32 m_databaseKey;
};

template<typename Cipher>
std::unique_ptr<PageCipher> checked(const Parameters &parameters, quint32 databaseKey, const QByteArray &password,
                                    const QString &fileName)
{
    auto cipher = std::make_unique<Cipher>(parameters, databaseKey, password);
    if (!cipher->accepts(parameters))
        throw DataErrors::wrongPassword(fileName);
    return cipher;
}

} // namespace

std::unique_ptr<PageCipher> unlock(QByteArrayView info, quint32 databaseKey, const QByteArray &password,
                                   const QString &fileName)
{
    const Parameters parameters = read(info, fileName);
    if (parameters.algorithm == rc4Algorithm)
        return checked<Rc4Cipher>(parameters, databaseKey, password, fileName);
    return checked<AesCipher>(parameters, databaseKey, password, fileName);
}

} // namespace velmora::CryptoApiEncryption
