#include "engine/data/LongValueReader.h"

#include "engine/data/DataPage.h"
#include "engine/data/PageReader.h"

#include <QtEndian>

namespace velmora {

namespace {
constexpr quint32 lengthMask = 0x3FFFFFFF;
constexpr quint32 inlineFlag = 0x80000000;
constexpr quint32 singleRowFlag = 0x40000000;
} // namespace

LongValueReader::LongValueReader(PageReader &pages, AccessFormat format)
    : m_pages(pages), m_format(format)
{
}

QByteArray LongValueReader::readRow(quint32 pointer)
{
    m_pages.read(pointer >> 8, m_page);
    const DataPage page(m_page, m_format);
    const std::optional<DataPage::Row> row = page.row(int(pointer & 0xFF));
    if (!page.isData() || !row)
        throw m_pages.damaged(QStringLiteral("falta una part d'un camp llarg a la pàgina %1").arg(pointer >> 8));
    return QByteArray(reinterpret_cast<const char *>(page.bytes()) + row->start, row->end - row->start);
}

QByteArray LongValueReader::read(const unsigned char *field, int length)
{
    if (length < headerSize)
        throw m_pages.damaged(QStringLiteral("un camp llarg té una capçalera incompleta"));
    const quint32 header = qFromLittleEndian<quint32>(field);
    const qint64 valueLength = header & lengthMask;
    const quint32 pointer = qFromLittleEndian<quint32>(field + 4);
    const qint64 fileSize = qint64(m_pages.pageCount()) * m_pages.pageSize();
    if (valueLength > fileSize)
        throw m_pages.damaged(QStringLiteral("un camp llarg diu tenir %1 bytes").arg(valueLength));
    if (valueLength == 0)
        return QByteArray("");

    if (header & inlineFlag) {
        if (headerSize + valueLength > length)
            throw m_pages.damaged(QStringLiteral("un camp llarg és més curt del que diu"));
        return QByteArray(reinterpret_cast<const char *>(field) + headerSize, valueLength);
    }
    if (header & singleRowFlag) {
        QByteArray value = readRow(pointer);
        if (value.size() < valueLength)
            throw m_pages.damaged(QStringLiteral("un camp llarg és més curt del que diu"));
        value.truncate(valueLength);
        return value;
    }

    QByteArray value;
    value.reserve(valueLength);
    quint32 next = pointer;
    while (value.size() < valueLength) {
        if (next == 0)
            throw m_pages.damaged(QStringLiteral("un camp llarg s'acaba abans d'hora"));
        const QByteArray chunk = readRow(next);
        // Each link must add data, so a chain that loops runs out of length.
        if (chunk.size() <= 4)
            throw m_pages.damaged(QStringLiteral("un camp llarg té una part buida"));
        next = qFromLittleEndian<quint32>(chunk.constData());
        value.append(chunk.constData() + 4, qMin<qint64>(chunk.size() - 4, valueLength - value.size()));
    }
    return value;
}

} // namespace velmora
