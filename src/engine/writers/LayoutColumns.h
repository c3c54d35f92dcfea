#pragma once

#include "engine/page/Page.h"

#include <map>
#include <vector>

namespace velmora {

/// The spreadsheet columns of a laid-out report: the distinct left edges of
/// its text boxes, those closer than a tolerance to a column's first edge
/// merged into it (fields a hair apart share a column), and the tolerance
/// doubled until the report fits in `maxColumns`. A column is as wide as
/// the gap to the next one; the last reaches the rightmost box edge seen.
class LayoutColumns {
public:
    static constexpr Twips initialTolerance = 90;

    void add(Twips left, Twips right);
    /// Groups the edges seen; call once, after every add().
    void settle(int maxColumns);

    int count() const { return int(m_starts.size()); }
    /// The column of a left edge that was added before settle().
    int columnOf(Twips left) const;
    Twips width(int column) const;

private:
    std::map<Twips, Twips> m_rightmostByLeft;
    std::vector<Twips> m_starts;
    Twips m_rightmost = 0;
};

} // namespace velmora
