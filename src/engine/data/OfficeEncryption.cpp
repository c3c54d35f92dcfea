#include "engine/data/OfficeEncryption.h"

#include "engine/data/AgileEncryption.h"
#include "engine/data/CryptoApiEncryption.h"
#include "engine/data/EncryptionInfoCursor.h"
#include "engine/data/OfficeKeys.h"

namespace velmora::OfficeEncryption {

namespace {

QByteArrayView encryptionInfo(const QByteArray &page, const QString &fileName)
{
    EncryptionInfoCursor cursor(page, fileName);
    cursor.take(headerOffset);
    const quint16 length = cursor.u16();
    if (length == 0)
        throw DataErrors::damagedFile(fileName, QStringLiteral("té clau de xifratge però la capçalera de "
                                                               "xifratge és buida"));
    if (length > cursor.remaining())
        throw DataErrors::damagedFile(fileName, QStringLiteral("la capçalera de xifratge (%1 bytes) no cap a "
                                                               "la primera pàgina")
                                                    .arg(length));
    return cursor.take(length);
}

QString versionText(quint16 major, quint16 minor)
{
    return QStringLiteral("%1.%2").arg(major).arg(minor);
}

} // namespace

std::unique_ptr<PageCipher> unlock(const AccessFileHeader &header, const QString &password,
                                   const QString &fileName)
{
    EncryptionInfoCursor cursor(encryptionInfo(header.decoded(), fileName), fileName);
    const quint16 major = cursor.u16();
    const quint16 minor = cursor.u16();
    const QByteArray passwordBytes = OfficeKeys::passwordBytes(password);
    const quint32 databaseKey = header.databaseKey();
    if (major == 4 && minor == 4)
        return AgileEncryption::unlock(cursor.rest(), databaseKey, passwordBytes, fileName);
    if (major >= 2 && major <= 4 && minor == 2)
        return CryptoApiEncryption::unlock(cursor.rest(), databaseKey, passwordBytes, fileName);
    if ((major == 3 || major == 4) && minor == 3)
        throw DataErrors::unsupportedEncryption(
            fileName, QStringLiteral("xifratge extensible d'un proveïdor extern (versió %1)").arg(versionText(major, minor)));
    throw DataErrors::unsupportedEncryption(
        fileName, QStringLiteral("versió %1 de la capçalera de xifratge").arg(versionText(major, minor)));
}

} // namespace velmora::OfficeEncryption
