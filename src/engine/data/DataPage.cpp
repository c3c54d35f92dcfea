#include "engine/data/DataPage.h"

#include <QtEndian>

namespace velmora {

namespace {
constexpr unsigned char dataPageType = 0x01;
constexpr int offsetMask = 0x1FFF;
constexpr int deletedFlag = 0x8000;
constexpr int overflowFlag = 0x4000;
} // namespace

DataPage::DataPage(const QByteArray &page, AccessFormat format)
    : m_bytes(reinterpret_cast<const unsigned char *>(page.constData())),
      m_size(int(page.size())),
      m_rowCountOffset(format == AccessFormat::Jet3 ? 8 : 12)
{
}

bool DataPage::isData() const
{
    return m_bytes[0] == dataPageType;
}

quint32 DataPage::owner() const
{
    return qFromLittleEndian<quint32>(m_bytes + 4);
}

int DataPage::rowCount() const
{
    const int count = qFromLittleEndian<quint16>(m_bytes + m_rowCountOffset);
    const int room = (m_size - m_rowCountOffset - 2) / 2;
    return qMin(count, room);
}

bool DataPage::isDeleted(int index) const
{
    return (offsetEntry(index) & deletedFlag) != 0;
}

int DataPage::offsetEntry(int index) const
{
    return qFromLittleEndian<quint16>(m_bytes + m_rowCountOffset + 2 + 2 * index);
}

std::optional<DataPage::Row> DataPage::row(int index) const
{
    if (index < 0 || index >= rowCount())
        return std::nullopt;
    const int entry = offsetEntry(index);
    Row row;
    row.start = entry & offsetMask;
    row.end = index == 0 ? m_size : (offsetEntry(index - 1) & offsetMask);
    row.deleted = (entry & deletedFlag) != 0;
    row.overflow = (entry & overflowFlag) != 0;
    const int tableEnd = m_rowCountOffset + 2 + 2 * rowCount();
    if (row.start < tableEnd || row.end > m_size || row.start >= row.end)
        return std::nullopt;
    return row;
}

} // namespace velmora
