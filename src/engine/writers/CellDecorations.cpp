#include "engine/writers/CellDecorations.h"

#include <cstdlib>

namespace velmora {

namespace {

/// How far a line may stand from a text's side and still be its border:
/// an object's border is drawn round its frame, 40 twips outside the text.
constexpr int sideTolerance = 80;

CellEdge::Style edgeStyle(Twips width, LineStyle style)
{
    switch (style) {
    case LineStyle::Dash: return CellEdge::Style::Dashed;
    case LineStyle::Dot: return CellEdge::Style::Dotted;
    case LineStyle::Solid: break;
    }
    if (width <= 20)
        return CellEdge::Style::Thin;
    return width <= 40 ? CellEdge::Style::Medium : CellEdge::Style::Thick;
}

} // namespace

CellDecorations::CellDecorations(const Page &page)
{
    for (const PageItem &item : page.items) {
        if (const auto *line = std::get_if<LineItem>(&item)) {
            addEdge(line->from, line->to, line->width, line->color, line->style);
        } else if (const auto *box = std::get_if<BoxItem>(&item)) {
            if (box->filled)
                m_fills.push_back(box);
            if (box->borderWidth <= 0)
                continue;
            const QRect &r = box->rect;
            const QPoint topRight(r.left() + r.width(), r.top()), bottomLeft(r.left(), r.top() + r.height());
            const QPoint bottomRight(topRight.x(), bottomLeft.y());
            addEdge(r.topLeft(), topRight, box->borderWidth, box->borderColor, box->style);
            addEdge(bottomLeft, bottomRight, box->borderWidth, box->borderColor, box->style);
            addEdge(r.topLeft(), bottomLeft, box->borderWidth, box->borderColor, box->style);
            addEdge(topRight, bottomRight, box->borderWidth, box->borderColor, box->style);
        }
    }
}

void CellDecorations::addEdge(QPoint from, QPoint to, Twips width, QRgb colour, LineStyle style)
{
    // Only lines along an axis can be a cell's side.
    Edge edge;
    edge.look = CellEdge{edgeStyle(width, style), colour};
    if (from.y() == to.y()) {
        edge.horizontal = true;
        edge.at = from.y();
        edge.from = std::min(from.x(), to.x());
        edge.to = std::max(from.x(), to.x());
    } else if (from.x() == to.x()) {
        edge.horizontal = false;
        edge.at = from.x();
        edge.from = std::min(from.y(), to.y());
        edge.to = std::max(from.y(), to.y());
    } else {
        return;
    }
    m_edges.push_back(edge);
}

CellEdge CellDecorations::edgeAlong(bool horizontal, int at, int middle) const
{
    // The last one painted wins, as on the page.
    for (auto it = m_edges.rbegin(); it != m_edges.rend(); ++it)
        if (it->horizontal == horizontal && std::abs(it->at - at) <= sideTolerance && it->from <= middle
            && middle <= it->to)
            return it->look;
    return {};
}

void CellDecorations::decorate(const TextItem &item, CellStyle &style) const
{
    const QRect &b = item.box;
    const QPoint middle(b.left() + b.width() / 2, b.top() + b.height() / 2);
    for (auto it = m_fills.rbegin(); it != m_fills.rend(); ++it) {
        if ((*it)->rect.contains(middle)) {
            style.fill = (*it)->fillColor;
            break;
        }
    }
    if (m_edges.empty())
        return;
    style.edges[CellStyle::Top] = edgeAlong(true, b.top(), middle.x());
    style.edges[CellStyle::Bottom] = edgeAlong(true, b.top() + b.height(), middle.x());
    style.edges[CellStyle::Left] = edgeAlong(false, b.left(), middle.y());
    style.edges[CellStyle::Right] = edgeAlong(false, b.left() + b.width(), middle.y());
}

} // namespace velmora
