#include "engine/data/PageReader.h"

#include "engine/data/DataErrors.h"

namespace velmora {

PageReader::PageReader(const QString &path, const AccessFileHeader &header, const QString &fileName,
                       std::unique_ptr<PageCipher> cipher)
    : m_file(path),
      m_fileName(fileName),
      m_pageSize(header.pageSize()),
      m_pageCount(0),
      m_cipher(std::move(cipher))
{
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw Failure(DataErrors::FileUnreadable,
                      QStringLiteral("No es pot llegir el fitxer «%1».").arg(fileName));
    m_pageCount = quint32(m_file.size() / m_pageSize);
}

Failure PageReader::damaged(const QString &detail) const
{
    return DataErrors::damagedFile(m_fileName, detail);
}

void PageReader::read(quint32 page, QByteArray &buffer)
{
    if (!contains(page))
        throw damaged(QStringLiteral("fa referència a la pàgina %1, però el fitxer només en té %2")
                          .arg(page)
                          .arg(m_pageCount));
    buffer.resize(m_pageSize);
    std::lock_guard lock(m_mutex);
    if (!m_file.seek(qint64(page) * m_pageSize) || m_file.read(buffer.data(), m_pageSize) != m_pageSize)
        throw damaged(QStringLiteral("no s'ha pogut llegir la pàgina %1").arg(page));
    if (page != 0 && m_cipher)
        m_cipher->decrypt(page, reinterpret_cast<unsigned char *>(buffer.data()), m_pageSize);
}

} // namespace velmora
