#include "engine/data/RowCracker.h"

#include <QtEndian>

namespace velmora {

RowCracker::RowCracker(AccessFormat format, bool tableHasVariableColumns)
    : m_jet3(format == AccessFormat::Jet3),
      m_hasVariableColumns(tableHasVariableColumns),
      m_countSize(m_jet3 ? 1 : 2)
{
}

bool RowCracker::crack(const unsigned char *row, int length,
                       const std::vector<const StoredColumn *> &columns, std::vector<FieldSlice> &slices)
{
    if (length < m_countSize)
        return false;
    const int columnCount = m_jet3 ? row[0] : qFromLittleEndian<quint16>(row);
    const int maskBytes = (columnCount + 7) / 8;
    if (length < m_countSize + maskBytes)
        return false;
    const unsigned char *nullMask = row + length - maskBytes;

    if (!readVariableOffsets(row, length, maskBytes))
        return false;

    slices.resize(columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        const StoredColumn &column = *columns[i];
        FieldSlice &slice = slices[i];
        slice = FieldSlice{};
        if (column.nullBit < 0 || column.nullBit >= columnCount)
            continue;
        slice.present = nullMask[column.nullBit / 8] & (1 << (column.nullBit % 8));
        if (column.schema.accessType == AccessType::YesNo || !slice.present)
            continue;
        if (column.fixed) {
            const int start = m_countSize + column.fixedOffset;
            if (column.fixedOffset < 0 || start + column.schema.size > m_fixedEnd) {
                slice.present = false;
                continue;
            }
            slice.start = start;
            slice.length = column.schema.size;
        } else if (column.variableIndex >= 0 && column.variableIndex < m_variableCount) {
            slice.start = m_offsets[size_t(column.variableIndex)];
            slice.length = m_offsets[size_t(column.variableIndex) + 1] - slice.start;
        } else {
            slice.present = false;
        }
    }
    return true;
}

bool RowCracker::readVariableOffsets(const unsigned char *row, int length, int maskBytes)
{
    m_variableCount = 0;
    m_offsets.clear();
    if (!m_hasVariableColumns) {
        m_fixedEnd = length - maskBytes;
        return true;
    }
    int count = 0;
    int tableStart = 0;
    if (m_jet3) {
        if (length < m_countSize + maskBytes + 1)
            return false;
        count = row[length - maskBytes - 1];
        tableStart = readJet3Offsets(row, length, maskBytes, count);
    } else {
        if (length < m_countSize + maskBytes + 2)
            return false;
        count = qFromLittleEndian<quint16>(row + length - maskBytes - 2);
        tableStart = length - maskBytes - 4 - 2 * count;
        if (tableStart >= m_countSize) {
            m_offsets.resize(size_t(count) + 1);
            for (int i = 0; i <= count; ++i)
                m_offsets[size_t(i)] = qFromLittleEndian<quint16>(row + length - maskBytes - 4 - 2 * i);
        }
    }
    if (tableStart < m_countSize)
        return false;
    for (int i = 0; i <= count; ++i) {
        const int offset = m_offsets[size_t(i)];
        if (offset < m_countSize || offset > tableStart || (i > 0 && offset < m_offsets[size_t(i) - 1]))
            return false;
    }
    m_variableCount = count;
    m_fixedEnd = m_offsets.front();
    return true;
}

// Jet 3 offsets are single bytes; the jump table lists, for each further
// 256 bytes of row, the first variable column that lies beyond them.
// Returns where the offset table starts, -1 when it does not fit.
int RowCracker::readJet3Offsets(const unsigned char *row, int length, int maskBytes, int count)
{
    const int last = length - 1;
    int jumps = (length - 1) / 256;
    const int tableEnd = last - maskBytes - jumps - 1;
    if (tableEnd - count < 1)
        return -1;
    if ((tableEnd - count) / 256 < jumps)
        --jumps;
    m_offsets.resize(size_t(count) + 1);
    int jumpsUsed = 0;
    for (int i = 0; i <= count; ++i) {
        while (jumpsUsed < jumps && i == row[last - maskBytes - jumpsUsed - 1])
            ++jumpsUsed;
        m_offsets[size_t(i)] = row[tableEnd - i] + 256 * jumpsUsed;
    }
    return tableEnd - count;
}

} // namespace velmora
