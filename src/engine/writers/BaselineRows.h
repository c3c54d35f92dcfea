#pragma once

#include "engine/page/Page.h"

#include <vector>

namespace velmora {

/// The text of one page gathered into rows: items whose baselines lie within
/// `tolerance` twips of the row's first baseline share the row (so a bold
/// label and a smaller field on one printed line stay together). Rows are in
/// top-to-bottom order, the items of a row in left-to-right order. Shared by
/// the text and the Excel layout writers so both read a page the same way.
class BaselineRows {
public:
    struct Row {
        Twips baseline = 0;
        std::vector<const TextItem *> items;
    };

    static constexpr Twips defaultTolerance = 40;

    /// The returned rows point into `page`, which must outlive them.
    static std::vector<Row> of(const Page &page, Twips tolerance = defaultTolerance);
};

} // namespace velmora
