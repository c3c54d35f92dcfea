#pragma once

#include "engine/page/Page.h"
#include "engine/writers/Biff8CellStyles.h"

#include <vector>

namespace velmora {

/// What the boxes and lines of one page give the cells of the Excel layout,
/// where each text is a cell: the fill of the filled box the text stands on
/// (the topmost, as painted), and a border on each side of the cell where
/// a line, a box's edge or an object's border runs along that side of the
/// text. Lines that run along no text are not in the sheet.
class CellDecorations {
public:
    explicit CellDecorations(const Page &page);

    /// Puts the page's fill and border for `item` into `style`.
    void decorate(const TextItem &item, CellStyle &style) const;

private:
    struct Edge {
        bool horizontal = true;
        int at = 0;             ///< y of a horizontal edge, x of a vertical one
        int from = 0, to = 0;   ///< its extent along the other axis
        CellEdge look;
    };

    void addEdge(QPoint from, QPoint to, Twips width, QRgb colour, LineStyle style);
    CellEdge edgeAlong(bool horizontal, int at, int middle) const;

    std::vector<const BoxItem *> m_fills;
    std::vector<Edge> m_edges;
};

} // namespace velmora
