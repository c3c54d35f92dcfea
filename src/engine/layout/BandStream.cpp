#include "engine/layout/BandStream.h"

namespace velmora {

using Stage = StreamPosition::Stage;

BandStream::BandStream(const ReportDefinition &definition, const PreparedRecords &records)
    : m_records(records), m_groupHeaders(definition.groups.size()), m_groupFooters(definition.groups.size())
{
    for (size_t i = 0; i < definition.sections.size(); ++i) {
        const SectionDefinition &s = definition.sections[i];
        const int index = int(i);
        const bool validLevel = s.groupLevel >= 0 && size_t(s.groupLevel) < definition.groups.size();
        switch (s.kind) {
        case SectionKind::ReportHeader: m_reportHeaders.push_back(index); break;
        case SectionKind::PageHeader: m_pageHeaders.push_back(index); break;
        case SectionKind::Details: m_details.push_back(index); break;
        case SectionKind::ReportFooter: m_reportFooters.push_back(index); break;
        case SectionKind::PageFooter: m_pageFooters.push_back(index); break;
        case SectionKind::GroupHeader:
            if (validLevel)
                m_groupHeaders[size_t(s.groupLevel)].push_back(index);
            break;
        case SectionKind::GroupFooter:
            if (validLevel)
                m_groupFooters[size_t(s.groupLevel)].push_back(index);
            break;
        }
    }
}

const std::vector<int> &BandStream::area(const StreamPosition &p) const
{
    switch (p.stage) {
    case Stage::ReportHeader: return m_reportHeaders;
    case Stage::GroupHeader: return m_groupHeaders[size_t(p.level)];
    case Stage::Details: return m_details;
    case Stage::GroupFooter: return m_groupFooters[size_t(p.level)];
    case Stage::ReportFooter: return m_reportFooters;
    case Stage::End: break;
    }
    return m_reportFooters;
}

bool BandStream::exists(const StreamPosition &p) const
{
    return p.stage == Stage::End || size_t(p.part) < area(p).size();
}

int BandStream::sectionAt(const StreamPosition &p) const { return area(p)[size_t(p.part)]; }

StreamPosition BandStream::startOfRecord(qint64 record) const
{
    if (record >= m_records.size())
        return {Stage::ReportFooter, qMax<qint64>(0, m_records.size() - 1), 0, 0};
    const int level = m_records.firstStartingLevel[size_t(record)];
    if (level < groupCount())
        return {Stage::GroupHeader, record, level, 0};
    return {Stage::Details, record, 0, 0};
}

StreamPosition BandStream::afterDetails(qint64 record) const
{
    const int ending = m_records.firstEndingLevel[size_t(record)];
    if (ending < groupCount())
        return {Stage::GroupFooter, record, groupCount() - 1, 0};
    return startOfRecord(record + 1);
}

StreamPosition BandStream::step(StreamPosition p) const
{
    if (p.stage != Stage::End && size_t(p.part + 1) < area(p).size()) {
        ++p.part;
        return p;
    }
    switch (p.stage) {
    case Stage::ReportHeader: return startOfRecord(0);
    case Stage::GroupHeader:
        if (p.level + 1 < groupCount())
            return {Stage::GroupHeader, p.record, p.level + 1, 0};
        return {Stage::Details, p.record, 0, 0};
    case Stage::Details: return afterDetails(p.record);
    case Stage::GroupFooter:
        if (p.level - 1 >= m_records.firstEndingLevel[size_t(p.record)])
            return {Stage::GroupFooter, p.record, p.level - 1, 0};
        return startOfRecord(p.record + 1);
    case Stage::ReportFooter:
    case Stage::End: break;
    }
    return {Stage::End, p.record, 0, 0};
}

StreamPosition BandStream::next(StreamPosition position) const
{
    do
        position = step(position);
    while (!exists(position));
    return position;
}

StreamPosition BandStream::first() const
{
    const StreamPosition start{Stage::ReportHeader, 0, 0, 0};
    return exists(start) ? start : next(start);
}

int BandStream::openLevels(const StreamPosition &p) const
{
    switch (p.stage) {
    case Stage::GroupHeader: return p.level;
    case Stage::Details: return groupCount();
    case Stage::GroupFooter: return p.level + 1;
    default: return 0;
    }
}

} // namespace velmora
