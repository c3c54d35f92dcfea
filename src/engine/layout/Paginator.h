#pragma once

#include "engine/layout/BandBuilder.h"
#include "engine/layout/BandStream.h"

#include <optional>

namespace velmora {

/// Where a page begins: a place in the band stream, and how far into that
/// band a page break cut it.
struct PageStart {
    StreamPosition position;
    Twips offset = 0;
};

/// Fills one page from a page start. The same walk serves counting pages
/// (no items, only heights) and making a page (every item), so a page made
/// later from its start is exactly the page that was counted.
class Paginator {
public:
    Paginator(const ReportPlan &plan, const PreparedRecords &records, const BandStream &stream,
              BandBuilder &builder, RecordContext &context);

    struct Result {
        Page page;          ///< items only when asked for
        PageStart next;     ///< where the following page begins
        bool last = false;  ///< nothing follows
    };

    /// `contents`, when given, receives the groups that begin on this page.
    Result layOutPage(const PageStart &start, int pageIndex, int totalPages, bool withItems,
                      std::vector<ContentsEntry> *contents);

private:
    Band bandAt(const StreamPosition &position, bool withItems);
    void standOn(const StreamPosition &position);
    /// Moves the band's items onto the page at `y`; the band keeps its
    /// height and flags.
    void place(Band &band, Twips y, Page &page) const;
    Twips placeAreas(const std::vector<int> &sections, Twips y, bool withItems, Page &page);
    Twips groupHeight(const StreamPosition &header, Twips limit);
    bool keepsGroupTogether(const StreamPosition &position) const;
    void noteGroups(const StreamPosition &position, int pageIndex, Twips y, std::vector<ContentsEntry> *contents);
    qint64 clampRecord(qint64 record) const;

    const ReportPlan &m_plan;
    const PreparedRecords &m_records;
    const BandStream &m_stream;
    BandBuilder &m_builder;
    RecordContext &m_context;
    QSize m_pageSize;
    QMargins m_margins;
    qint64 m_lastNotedRecord = -1;
};

} // namespace velmora
