#pragma once

#include <QtGlobal>

#include <vector>

namespace velmora {

/// One table's row numbers for every joined row, stored as narrowly as the
/// numbers allow: nothing at all when joined row i is row i of the table
/// (the driving table of a join that neither drops nor repeats its rows),
/// 16 bits when every number fits, 32 bits otherwise. `missing` (the absent
/// side of an outer join) is kept as such in every width.
class RowNumberColumn {
public:
    static constexpr quint32 missing = 0xFFFFFFFFu;

    RowNumberColumn() = default;
    /// The numbers at `rows[first]`, `rows[first + stride]`, ..., `count` of them.
    RowNumberColumn(const std::vector<quint32> &rows, size_t first, size_t stride, size_t count);

    quint32 at(size_t row) const
    {
        switch (m_width) {
        case Width::Identity: return quint32(row);
        case Width::Narrow: return m_narrow[row] == narrowMissing ? missing : m_narrow[row];
        case Width::Wide: break;
        }
        return m_wide[row];
    }
    qint64 storedBytes() const { return qint64(m_narrow.size() * 2 + m_wide.size() * 4); }

private:
    static constexpr quint16 narrowMissing = 0xFFFFu;
    enum class Width { Identity, Narrow, Wide };

    Width m_width = Width::Identity;
    std::vector<quint16> m_narrow;
    std::vector<quint32> m_wide;
};

} // namespace velmora
