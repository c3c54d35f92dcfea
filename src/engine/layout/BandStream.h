#pragma once

#include "engine/definition/ReportDefinition.h"
#include "engine/layout/PreparedRecords.h"

#include <vector>

namespace velmora {

/// A place in the sequence of sections a report prints: the report header,
/// then for each record the headers of the groups it opens, its details and
/// the footers of the groups it closes, then the report footer.
struct StreamPosition {
    enum class Stage : quint8 { ReportHeader, GroupHeader, Details, GroupFooter, ReportFooter, End };
    Stage stage = Stage::ReportHeader;
    qint64 record = 0; ///< position in the report's order
    int level = 0;     ///< for group headers and footers
    int part = 0;      ///< which part of the area
    bool operator==(const StreamPosition &) const = default;
};

/// The report's sections sorted by area, and the walk from one position of
/// the stream to the next.
class BandStream {
public:
    BandStream(const ReportDefinition &definition, const PreparedRecords &records);

    StreamPosition first() const;
    StreamPosition next(StreamPosition position) const;
    /// The definition's section printed at `position` (which is not End).
    int sectionAt(const StreamPosition &position) const;

    const std::vector<int> &pageHeaders() const { return m_pageHeaders; }
    const std::vector<int> &pageFooters() const { return m_pageFooters; }
    const std::vector<int> &groupHeaders(int level) const { return m_groupHeaders[size_t(level)]; }
    const std::vector<int> &groupFooters(int level) const { return m_groupFooters[size_t(level)]; }
    const std::vector<int> &reportHeaders() const { return m_reportHeaders; }
    const std::vector<int> &details() const { return m_details; }
    const std::vector<int> &reportFooters() const { return m_reportFooters; }
    int groupCount() const { return int(m_groupHeaders.size()); }
    /// The group levels whose groups are open at `position`: their headers
    /// were printed before it and their footers come after it.
    int openLevels(const StreamPosition &position) const;

private:
    StreamPosition step(StreamPosition position) const;
    StreamPosition startOfRecord(qint64 record) const;
    StreamPosition afterDetails(qint64 record) const;
    bool exists(const StreamPosition &position) const;
    const std::vector<int> &area(const StreamPosition &position) const;

    const PreparedRecords &m_records;
    std::vector<int> m_reportHeaders, m_pageHeaders, m_details, m_reportFooters, m_pageFooters;
    std::vector<std::vector<int>> m_groupHeaders, m_groupFooters;
};

} // namespace velmora
