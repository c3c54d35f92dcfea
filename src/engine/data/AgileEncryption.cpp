#include "engine/data/AgileEncryption.h"

#include "engine/data/AgileDescriptor.h"
#include "engine/data/EncryptionInfoCursor.h"
#include "engine/data/OfficeKeys.h"

#include <optional>

namespace velmora::AgileEncryption {

namespace {

using Cryptography::Aes;
using Cryptography::Digest;

class AgilePageCipher : public PageCipher {
public:
    AgilePageCipher(const AgileDescriptor &descriptor, const QByteArray &key, quint32 databaseKey)
        : m_digest(descriptor.keyData.hash),
          m_aes(key, Aes::Mode::Cbc, Aes::Direction::Decrypt),
          m_keySalt(descriptor.keyData.salt),
          m_blockSize(descriptor.keyData.blockSize),
          m_databaseKey(databaseKey)
    {
    }

    void decrypt(quint32 page, unsigned char *data, qsizetype length) override
    {
        m_aes.apply(pageIv(m_digest, m_keySalt, pageBlock(m_databaseKey, page), m_blockSize), data,
                    length - length % m_blockSize);
    }

private:
    Digest m_digest;
    Aes m_aes;
    QByteArray m_keySalt;
    int m_blockSize;
    quint32 m_databaseKey;
};

// The page key when `password` is right, else nothing.
std::optional<QByteArray> unlockedKey(const AgileDescriptor &descriptor, const QByteArray &password)
{
    const AgileCipher &encryptor = descriptor.passwordKey;
    Digest digest(encryptor.hash);
    const QByteArray spun = OfficeKeys::spunHash(digest, encryptor.salt, password, descriptor.spinCount);
    const QByteArray iv = OfficeKeys::fitted(encryptor.salt, encryptor.blockSize, '\x36');
    const auto decrypted = [&](const QByteArray &block, const QByteArray &value) {
        return Aes(passwordKey(digest, spun, block, encryptor.keyBytes), Aes::Mode::Cbc, Aes::Direction::Decrypt)
            .applied(iv, value);
    };
    const QByteArray input = decrypted(verifierInputBlock, descriptor.encryptedVerifierHashInput)
                                 .left(encryptor.salt.size());
    const QByteArray hash = decrypted(verifierHashBlock, descriptor.encryptedVerifierHashValue);
    const QByteArray expected = digest.of({input});
    if (hash.size() < expected.size() || hash.first(expected.size()) != expected)
        return std::nullopt;
    const QByteArray key = decrypted(keyValueBlock, descriptor.encryptedKeyValue);
    return key.left(descriptor.keyData.keyBytes);
}

} // namespace

QByteArray passwordKey(Digest &digest, const QByteArray &spunHash, const QByteArray &block, int keyBytes)
{
    return OfficeKeys::fitted(digest.of({spunHash, block}), keyBytes, '\x36');
}

QByteArray pageIv(Digest &digest, QByteArrayView keySalt, const QByteArray &pageBlock, int blockSize)
{
    return OfficeKeys::fitted(digest.of({keySalt, pageBlock}), blockSize, '\x36');
}

std::unique_ptr<PageCipher> unlock(QByteArrayView info, quint32 databaseKey, const QByteArray &password,
                                   const QString &fileName)
{
    EncryptionInfoCursor cursor(info, fileName);
    const quint32 reserved = cursor.u32();
    if (reserved != reservedValue)
        throw DataErrors::damagedFile(fileName, QStringLiteral("la capçalera de xifratge àgil té el valor "
                                                               "reservat %1 en lloc de 64")
                                                    .arg(reserved));
    const AgileDescriptor descriptor = AgileDescriptor::parse(cursor.rest(), fileName);
    const std::optional<QByteArray> key = unlockedKey(descriptor, password);
    if (!key)
        throw DataErrors::wrongPassword(fileName);
    if (key->size() != descriptor.keyData.keyBytes)
        throw DataErrors::damagedFile(fileName, QStringLiteral("la clau xifrada és més curta que la de les pàgines"));
    return std::make_unique<AgilePageCipher>(descriptor, *key, databaseKey);
}

} // namespace velmora::AgileEncryption
