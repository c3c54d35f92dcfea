#include "AgileEncryptedCopy.h"

#include "engine/core/Failure.h"
#include "engine/data/AccessFileHeader.h"
#include "engine/data/AgileEncryption.h"
#include "engine/data/Cryptography.h"
#include "engine/data/DataErrors.h"
#include "engine/data/OfficeEncryption.h"
#include "engine/data/OfficeKeys.h"
#include "engine/data/PageCipher.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

namespace velmora::bench {

namespace {

using Cryptography::Aes;
using Cryptography::Digest;
using Cryptography::Hash;

constexpr int keyBytes = 32;
constexpr int saltBytes = 16;
constexpr quint32 spins = 100000;
constexpr int versionOffset = 0x14;
constexpr char aceVersion = 0x03;
constexpr int databaseKeyOffset = 0x3E;

Failure refusal(const QString &what)
{
    return Failure(DataErrors::FileUnreadable, QStringLiteral("No es pot fer la còpia xifrada: %1.").arg(what));
}

struct AgileSecrets {
    QByteArray pageKey = Cryptography::randomBytes(keyBytes);
    QByteArray keySalt = Cryptography::randomBytes(saltBytes);
    QByteArray passwordSalt = Cryptography::randomBytes(saltBytes);
};

QByteArray enciphered(const QByteArray &key, const QByteArray &iv, const QByteArray &plain)
{
    return Aes(key, Aes::Mode::Cbc, Aes::Direction::Encrypt).applied(iv, plain);
}

QByteArray descriptor(const AgileSecrets &secrets, const QString &password)
{
    Digest digest(Hash::Sha512);
    const QByteArray spun = OfficeKeys::spunHash(digest, secrets.passwordSalt, OfficeKeys::passwordBytes(password), spins);
    const auto keyFor = [&](const QByteArray &block) {
        return AgileEncryption::passwordKey(digest, spun, block, keyBytes);
    };
    const QByteArray verifierInput = Cryptography::randomBytes(saltBytes);
    const QByteArray &iv = secrets.passwordSalt;
    const QByteArray cipher = R"(saltSize="16" blockSize="16" keyBits="256" hashSize="64" cipherAlgorithm="AES" )"
                              R"(cipherChaining="ChainingModeCBC" hashAlgorithm="SHA512" saltValue=")";
    return QByteArray(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)" "\r\n"
                      R"(<encryption xmlns="http://schemas.microsoft.com/office/2006/encryption" )"
                      R"(xmlns:p="http://schemas.microsoft.com/office/2006/keyEncryptor/password">)")
           + "<keyData " + cipher + secrets.keySalt.toBase64() + R"("/><keyEncryptors>)"
           + R"(<keyEncryptor uri="http://schemas.microsoft.com/office/2006/keyEncryptor/password">)"
           + R"(<p:encryptedKey spinCount=")" + QByteArray::number(spins) + "\" " + cipher
           + secrets.passwordSalt.toBase64() + R"(" encryptedVerifierHashInput=")"
           + enciphered(keyFor(AgileEncryption::verifierInputBlock), iv, verifierInput).toBase64()
           + R"(" encryptedVerifierHashValue=")"
           + enciphered(keyFor(AgileEncryption::verifierHashBlock), iv, digest.of({verifierInput})).toBase64()
           + R"(" encryptedKeyValue=")"
           + enciphered(keyFor(AgileEncryption::keyValueBlock), iv, secrets.pageKey).toBase64()
           + R"("/></keyEncryptor></keyEncryptors></encryption>)";
}

// Page 0 relabelled as ACE, with a database key in its hidden part and the
// encryption header at 0x299.
QByteArray headerPage(QByteArray page, quint32 databaseKey, const QByteArray &info)
{
    page[versionOffset] = aceVersion;
    AccessFileHeader::toggleHiddenPart(page, AccessFormat::Ace);
    qToLittleEndian<quint32>(databaseKey, page.data() + databaseKeyOffset);
    AccessFileHeader::toggleHiddenPart(page, AccessFormat::Ace);
    const int at = OfficeEncryption::headerOffset;
    if (at + 2 + info.size() > page.size() || page.mid(at, 2 + info.size()).count('\0') != 2 + info.size())
        throw refusal(QStringLiteral("la primera pàgina ja fa servir el lloc de la capçalera de xifratge"));
    qToLittleEndian<quint16>(quint16(info.size()), page.data() + at);
    page.replace(at + 2, info.size(), info);
    return page;
}

} // namespace

void writeAgileEncryptedCopy(const QString &source, const QString &target, const QString &password)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw refusal(QStringLiteral("no es pot llegir «%1»").arg(source));
    const AccessFileHeader header = AccessFileHeader::parse(in.read(4096), in.size(), source);
    if (header.pageSize() != 4096 || header.databaseKey() != 0)
        throw refusal(QStringLiteral("l'original ha de ser Jet 4 o ACE i no estar codificat"));

    const AgileSecrets secrets;
    quint32 databaseKey = 0;
    while (databaseKey == 0)
        databaseKey = qFromLittleEndian<quint32>(Cryptography::randomBytes(4).constData());
    QByteArray info(8, '\0');
    qToLittleEndian<quint16>(4, info.data());
    qToLittleEndian<quint16>(4, info.data() + 2);
    qToLittleEndian<quint32>(AgileEncryption::reservedValue, info.data() + 4);
    info += descriptor(secrets, password);

    // A copy cut short by a failure is never left behind.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw refusal(QStringLiteral("no es pot escriure «%1»").arg(target));
    in.seek(0);
    out.write(headerPage(in.read(4096), databaseKey, info));
    Digest digest(Hash::Sha512);
    Aes aes(secrets.pageKey, Aes::Mode::Cbc, Aes::Direction::Encrypt);
    for (quint32 page = 1; !in.atEnd(); ++page) {
        QByteArray bytes = in.read(4096);
        const QByteArray iv = AgileEncryption::pageIv(digest, secrets.keySalt, PageCipher::pageBlock(databaseKey, page), 16);
        aes.apply(iv, reinterpret_cast<unsigned char *>(bytes.data()), bytes.size());
        if (out.write(bytes) != bytes.size())
            throw refusal(QStringLiteral("no s'ha pogut escriure «%1» sencer").arg(target));
    }
    if (!out.commit())
        throw refusal(QStringLiteral("no s'ha pogut escriure «%1» sencer").arg(target));
}

} // namespace velmora::bench
