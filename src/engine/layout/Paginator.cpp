#include "engine/layout/Paginator.h"

#include "engine/formula/ValueFormatter.h"
#include "engine/layout/LayoutErrors.h"

namespace velmora {

using Stage = StreamPosition::Stage;

Paginator::Paginator(const ReportPlan &plan, const PreparedRecords &records, const BandStream &stream,
                     BandBuilder &builder, RecordContext &context)
    : m_plan(plan), m_records(records), m_stream(stream), m_builder(builder), m_context(context),
      m_pageSize(plan.definition().page.pageSize()), m_margins(plan.definition().page.margins)
{
}

qint64 Paginator::clampRecord(qint64 record) const
{
    if (m_records.size() == 0)
        return -1;
    return std::clamp<qint64>(record, 0, m_records.size() - 1);
}

void Paginator::standOn(const StreamPosition &position)
{
    m_context.setPosition(clampRecord(position.record));
}

Band Paginator::bandAt(const StreamPosition &position, bool withItems)
{
    standOn(position);
    return m_builder.build(m_stream.sectionAt(position), withItems);
}

void Paginator::place(Band &band, Twips y, Page &page) const
{
    const QPoint offset(m_margins.left(), y);
    // No reserve here: to the exact size band after band, it would move
    // every item already on the page each time; the vector grows by itself.
    for (PageItem &item : band.items) {
        translateItem(item, offset);
        page.items.push_back(std::move(item));
    }
    band.items.clear();
    band.appendSheetItems(offset, page.items);
}

Twips Paginator::placeAreas(const std::vector<int> &sections, Twips y, bool withItems, Page &page)
{
    for (int section : sections) {
        Band band = m_builder.build(section, withItems);
        if (band.suppressed)
            continue;
        if (withItems)
            place(band, y, page);
        y += band.height;
    }
    return y;
}

bool Paginator::keepsGroupTogether(const StreamPosition &p) const
{
    return p.stage == Stage::GroupHeader && p.part == 0
        && m_plan.definition().groups[size_t(p.level)].keepTogether;
}

Twips Paginator::groupHeight(const StreamPosition &header, Twips limit)
{
    const GroupLevel &level = m_records.levels[size_t(header.level)];
    const qint64 lastRecord = level.endOf(level.groupAt(header.record), m_records.size()) - 1;
    Twips height = 0;
    for (StreamPosition p = header; p.stage != Stage::End && height <= limit; p = m_stream.next(p)) {
        const bool pastGroup = p.record > lastRecord
                            || (p.record == lastRecord && p.stage == Stage::GroupFooter && p.level < header.level);
        if (pastGroup || p.stage == Stage::ReportFooter)
            break;
        const Band band = bandAt(p, false);
        if (!band.suppressed)
            height += band.height;
    }
    return height;
}

void Paginator::noteGroups(const StreamPosition &p, int pageIndex, Twips y, std::vector<ContentsEntry> *contents)
{
    if (!contents || (p.stage != Stage::GroupHeader && p.stage != Stage::Details) || p.record == m_lastNotedRecord
        || m_records.size() == 0)
        return;
    m_lastNotedRecord = p.record;
    const int firstLevel = m_records.firstStartingLevel[size_t(p.record)];
    for (int l = firstLevel; l < int(m_records.levels.size()); ++l) {
        const GroupLevel &level = m_records.levels[size_t(l)];
        const Value &key = level.keys[size_t(level.groupAt(p.record))];
        contents->push_back({formatValue(key, QString()), l, pageIndex, y});
    }
}

Paginator::Result Paginator::layOutPage(const PageStart &start, int pageIndex, int totalPages, bool withItems,
                                        std::vector<ContentsEntry> *contents)
{
    Result result;
    result.page.number = pageIndex + 1;
    result.page.size = m_pageSize;
    m_context.setPage(pageIndex + 1, totalPages);

    const Twips bodyTop = m_margins.top();
    const Twips pageBottom = m_pageSize.height() - m_margins.bottom();
    StreamPosition position = start.position;
    Twips offset = start.offset;

    standOn(position);
    Twips y = placeAreas(m_stream.pageHeaders(), bodyTop, withItems, result.page);
    // The page footer's room is kept from the start; its text is made last,
    // on the page's last record.
    Page scratch;
    const Twips footerHeight = placeAreas(m_stream.pageFooters(), 0, false, scratch);
    const Twips footerTop = pageBottom - footerHeight;
    const Twips bodyHeight = footerTop - y;
    for (int level = 0; level < m_stream.openLevels(position); ++level)
        if (m_plan.definition().groups[size_t(level)].repeatHeader && offset == 0)
            y = placeAreas(m_stream.groupHeaders(level), y, withItems, result.page);

    bool bodyEmpty = true;
    StreamPosition lastPlaced = position;
    while (true) {
        if (position.stage == Stage::End) {
            result.last = true;
            break;
        }
        Band band = bandAt(position, withItems || offset > 0);
        if (band.suppressed) {
            position = m_stream.next(position);
            offset = 0;
            continue;
        }
        if (offset > 0)
            band = band.continuation(offset);
        if (!bodyEmpty && offset == 0) {
            if (band.newPageBefore)
                break;
            if (keepsGroupTogether(position)) {
                const Twips h = groupHeight(position, bodyHeight);
                if (h <= bodyHeight && y + h > footerTop)
                    break;
            }
        }
        const Twips room = footerTop - y;
        // A sheet (a cross-tab's next band of columns) may ask for a fresh page.
        const Twips forced = band.forcedBreak();
        const bool forcedHere = forced > 0 && forced <= room;
        if (band.height > room || forcedHere) {
            // A sheet goes on at the top of the next page rather than moving there whole.
            const bool fitsOnFreshPage = band.height <= bodyHeight && band.sheets.empty();
            if (!bodyEmpty && (band.keepTogether || fitsOnFreshPage))
                break;
            Band full = (withItems || offset > 0) ? band : bandAt(position, true);
            const Twips cut = band.keepTogether ? 0
                            : forcedHere        ? std::min(forced, full.splitPoint(room))
                                                : full.splitPoint(room);
            if (cut <= 0) {
                if (!bodyEmpty)
                    break;
                // Nothing of it fits on an empty page and it may not be cut:
                // another page would be no different.
                throw Failure(LayoutErrors::SectionTooTall,
                              QStringLiteral("La secció %1 no cap en una pàgina (fa %2 twips i la pàgina en deixa %3)%4.")
                                  .arg(m_plan.definition().sections[size_t(m_stream.sectionAt(position))].name)
                                  .arg(band.height)
                                  .arg(room)
                                  .arg(band.keepTogether ? QStringLiteral(" i s'ha de mantenir sencera") : QString()));
            }
            noteGroups(position, pageIndex, y, contents);
            if (withItems) {
                Band head = full.head(cut);
                place(head, y, result.page);
            }
            lastPlaced = position;
            result.next = {position, offset + cut - band.insertedAbove};
            standOn(lastPlaced);
            placeAreas(m_stream.pageFooters(), footerTop, withItems, result.page);
            return result;
        }
        noteGroups(position, pageIndex, y, contents);
        if (withItems)
            place(band, y, result.page);
        y += band.height;
        bodyEmpty = false;
        lastPlaced = position;
        position = m_stream.next(position);
        offset = 0;
        if (band.newPageAfter && position.stage != Stage::End)
            break;
    }
    result.next = {position, offset};
    standOn(lastPlaced);
    placeAreas(m_stream.pageFooters(), footerTop, withItems, result.page);
    return result;
}

} // namespace velmora
