#include "engine/writers/LayoutColumns.h"

#include <algorithm>

namespace velmora {

void LayoutColumns::add(Twips left, Twips right)
{
    Twips &rightmost = m_rightmostByLeft[left];
    rightmost = std::max(rightmost, right);
    m_rightmost = std::max(m_rightmost, right);
}

void LayoutColumns::settle(int maxColumns)
{
    for (Twips tolerance = initialTolerance;; tolerance *= 2) {
        m_starts.clear();
        for (const auto &[left, right] : m_rightmostByLeft) {
            if (m_starts.empty() || left - m_starts.back() > tolerance)
                m_starts.push_back(left);
        }
        if (int(m_starts.size()) <= maxColumns)
            return;
    }
}

int LayoutColumns::columnOf(Twips left) const
{
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), left);
    return std::max(0, int(after - m_starts.begin()) - 1);
}

Twips LayoutColumns::width(int column) const
{
    if (column < 0 || column >= count())
        return 0;
    const Twips start = m_starts[size_t(column)];
    const Twips end = column + 1 < count() ? m_starts[size_t(column) + 1] : m_rightmost;
    return std::max<Twips>(end - start, 144);
}

} // namespace velmora
