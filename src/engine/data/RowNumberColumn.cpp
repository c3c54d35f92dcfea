#include "engine/data/RowNumberColumn.h"

namespace velmora {

RowNumberColumn::RowNumberColumn(const std::vector<quint32> &rows, size_t first, size_t stride, size_t count)
{
    bool identity = true;
    bool narrow = true;
    for (size_t i = 0; i < count; ++i) {
        const quint32 row = rows[first + i * stride];
        identity = identity && row == i;
        narrow = narrow && (row == missing || row < narrowMissing);
    }
    if (identity)
        return;
    m_width = narrow ? Width::Narrow : Width::Wide;
    if (narrow)
        m_narrow.resize(count);
    else
        m_wide.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const quint32 row = rows[first + i * stride];
        if (narrow)
            m_narrow[i] = row == missing ? narrowMissing : quint16(row);
        else
            m_wide[i] = row;
    }
}

} // namespace velmora
