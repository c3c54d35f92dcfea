#include "engine/data/AccessFileHeader.h"

#include "engine/core/Failure.h"
#include "engine/data/DataErrors.h"
#include "engine/data/Cryptography.h"

#include <QtEndian>

namespace velmora {

namespace {

constexpr int versionOffset = 0x14;
constexpr int codePageOffset = 0x3C;
constexpr int databaseKeyOffset = 0x3E;
// A database always has its header page, the global usage map and the
// definition of the catalog table.
constexpr int minimumPages = 3;

bool hasAccessSignature(const QByteArray &bytes)
{
    static const QByteArray magic("\x00\x01\x00\x00", 4);
    if (!bytes.startsWith(magic))
        return false;
    const QByteArray name = bytes.mid(4, 16);
    return name == QByteArray("Standard Jet DB\0", 16) || name == QByteArray("Standard ACE DB\0", 16);
}

} // namespace

int AccessFileHeader::hiddenLength(AccessFormat format)
{
    return format == AccessFormat::Jet3 ? 126 : 128;
}

void AccessFileHeader::toggleHiddenPart(QByteArray &firstPage, AccessFormat format)
{
    const int length = hiddenLength(format);
    if (firstPage.size() < hiddenStart + length)
        return;
    Cryptography::Rc4(QByteArrayView("\xC7\xDA\x39\x6B", 4))
        .apply(reinterpret_cast<unsigned char *>(firstPage.data()) + hiddenStart, length);
}

AccessFileHeader AccessFileHeader::parse(const QByteArray &firstBytes, qint64 fileSize,
                                         const QString &fileName)
{
    if (firstBytes.size() < 2048 || !hasAccessSignature(firstBytes))
        throw DataErrors::notAnAccessFile(fileName);

    AccessFileHeader header;
    const quint8 version = static_cast<quint8>(firstBytes[versionOffset]);
    if (version == 0)
        header.m_format = AccessFormat::Jet3;
    else if (version == 1)
        header.m_format = AccessFormat::Jet4;
    else if (version <= 6)
        header.m_format = AccessFormat::Ace;
    else
        throw Failure(DataErrors::UnsupportedFormat,
                      QStringLiteral("La base de dades «%1» té una versió de format desconeguda (%2).")
                          .arg(fileName)
                          .arg(version));

    const int pageSize = header.pageSize();
    if (fileSize % pageSize != 0 || fileSize < qint64(pageSize) * minimumPages
        || firstBytes.size() < pageSize)
        throw Failure(DataErrors::DamagedFile,
                      QStringLiteral("La base de dades «%1» està malmesa o incompleta: la mida del "
                                     "fitxer (%2 bytes) no correspon a pàgines senceres de %3 bytes.")
                          .arg(fileName)
                          .arg(fileSize)
                          .arg(pageSize));

    header.m_decoded = firstBytes.left(pageSize);
    toggleHiddenPart(header.m_decoded, header.m_format);
    return header;
}

quint16 AccessFileHeader::codePage() const
{
    return qFromLittleEndian<quint16>(m_decoded.constData() + codePageOffset);
}

quint32 AccessFileHeader::databaseKey() const
{
    return qFromLittleEndian<quint32>(m_decoded.constData() + databaseKeyOffset);
}

} // namespace velmora
