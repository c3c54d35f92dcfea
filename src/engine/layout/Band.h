#pragma once

#include "engine/page/Page.h"

#include <memory>
#include <vector>

namespace velmora {

/// Rows too many to hold as page items (a cross-tab's): a band shows a
/// window onto them, draws them when a page is made, and is cut only
/// between them.
class BandSheet {
public:
    virtual ~BandSheet() = default;
    virtual Twips height() const = 0;
    /// The lowest boundary between rows at or above `y`.
    virtual Twips rowBoundaryAtOrAbove(Twips y) const = 0;
    /// Where the stretches begin that must start a fresh page, ascending.
    virtual const std::vector<Twips> &pageStarts() const = 0;
    /// The heading repeated over a part that goes on at `y`: its top and
    /// height in the sheet (height 0: none).
    virtual std::pair<Twips, Twips> headingOver(Twips y) const = 0;
    /// The items of the rows that start in [from, to), moved by `offset`.
    virtual void appendItems(Twips from, Twips to, QPoint offset, std::vector<PageItem> &items) const = 0;
};

/// The part of a sheet a band shows: a heading repeated from above, then
/// the rows from `from` to `to`, with its top-left corner at `at`.
struct SheetWindow {
    std::shared_ptr<const BandSheet> sheet;
    QPoint at;
    Twips from = 0;
    Twips to = 0;
    Twips headingTop = 0;
    Twips headingHeight = 0;
    Twips rowsTop() const { return at.y() + headingHeight; }
    Twips bottom() const { return rowsTop() + to - from; }
};

/// One printed occurrence of a section: its height and what it shows, with
/// positions relative to the band's top-left corner.
struct Band {
    Twips height = 0;
    bool suppressed = false;
    bool keepTogether = false;
    bool newPageBefore = false;
    bool newPageAfter = false;
    std::vector<PageItem> items;
    std::vector<SheetWindow> sheets;
    /// In a continuation: how much repeated heading was put above what
    /// follows the cut, so that a later cut maps back to the whole band.
    Twips insertedAbove = 0;

    /// The lowest cut at or above `limit` that splits no line of text, or 0
    /// when the band cannot be cut there.
    Twips splitPoint(Twips limit) const;
    /// The band from `offset` down, moved up by `offset`; items that start
    /// above the cut stay with the part already printed.
    Band continuation(Twips offset) const;
    /// The part above `offset`.
    Band head(Twips offset) const;
    /// The first place below the top where a sheet asks for a fresh page, or 0.
    Twips forcedBreak() const;
    /// Moves down by `by` every item and sheet window that starts at or
    /// below `from`.
    void pushDown(Twips from, Twips by);
    /// The items of every sheet window, moved by `offset`.
    void appendSheetItems(QPoint offset, std::vector<PageItem> &into) const;
};

/// Moves a page item by `offset`.
void translateItem(PageItem &item, QPoint offset);

} // namespace velmora
