#include "engine/data/PageReader.h"

#include "engine/data/DataErrors.h"
#include "engine/data/Rc4.h"

#include <QtEndian>

namespace velmora {

PageReader::PageReader(const QString &path, const AccessFileHeader &header, const QString &fileName)
    : m_file(path),
      m_fileName(fileName),
      m_pageSize(header.pageSize()),
      m_pageCount(0),
      m_databaseKey(header.databaseKey())
{
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw Failure(DataErrors::FileUnreadable,
                      QStringLiteral("No es pot llegir el fitxer «%1».").arg(fileName));
    m_pageCount = quint32(m_file.size() / m_pageSize);
}

Failure PageReader::damaged(const QString &detail) const
{
    return Failure(DataErrors::DamagedFile,
                   QStringLiteral("La base de dades «%1» està malmesa o incompleta: %2.")
                       .arg(m_fileName, detail));
}

void PageReader::read(quint32 page, QByteArray &buffer)
{
    if (!contains(page))
        throw damaged(QStringLiteral("fa referència a la pàgina %1, però el fitxer només en té %2")
                          .arg(page)
                          .arg(m_pageCount));
    buffer.resize(m_pageSize);
    if (!m_file.seek(qint64(page) * m_pageSize) || m_file.read(buffer.data(), m_pageSize) != m_pageSize)
        throw damaged(QStringLiteral("no s'ha pogut llegir la pàgina %1").arg(page));
    if (page == 0 || m_databaseKey == 0)
        return;
    QByteArray key(4, Qt::Uninitialized);
    qToLittleEndian<quint32>(m_databaseKey ^ page, key.data());
    Rc4(key).apply(reinterpret_cast<unsigned char *>(buffer.data()), m_pageSize);
}

} // namespace velmora
