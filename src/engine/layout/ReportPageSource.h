#pragma once

#include "engine/layout/BandStream.h"
#include "engine/layout/Paginator.h"
#include "engine/layout/PreparedRecords.h"
#include "engine/layout/ReportPlan.h"
#include "engine/layout/SubreportRunner.h"

#include <QDateTime>

#include <mutex>
#include <thread>

namespace velmora {

class Paginator;
class TextMeasurer;
class RecordContext;

/// Reads a report's (or a subreport's) joined records. `subreportName` is
/// empty for the main report.
using RecordProvider = std::function<std::shared_ptr<const RecordSet>(
    const ReportDefinition &definition, const QString &subreportName, const std::vector<FieldKey> &fields,
    const CancelToken &cancel, const ProgressCallback &progress)>;

/// The laid-out report behind the viewer, the printer and the writers.
/// Reading the data happens on the first call of layOutUntil(); pages are
/// counted as they are asked for, keeping only where each page begins, and
/// each page is made anew from its beginning when it is read.
class ReportPageSource : public PageSource {
public:
    ReportPageSource(std::unique_ptr<ReportPlan> plan, RecordProvider provider, ParameterValues parameters,
                     QDateTime printTime);
    ~ReportPageSource() override;

    int layOutUntil(int index, const CancelToken &cancel, const ProgressCallback &progress = {}) override;
    bool isComplete() const override;
    int pagesLaidOut() const override;
    Page page(int index) const override;
    std::vector<ContentsEntry> contents() const override;
    qint64 recordCount() const override;
    QString title() const override;

    const ReportPlan &plan() const { return *m_plan; }
    /// The report's records, read first if they were not yet.
    const PreparedRecords &preparedRecords(const CancelToken &cancel);

private:
    struct Counting; ///< the walk that counts pages, kept between calls
    void ensurePrepared(const CancelToken &cancel, const ProgressCallback &progress);
    void prepare(const CancelToken &cancel, const ProgressCallback &progress);
    Page makePage(const PageStart &start, int index, int totalPages) const;
    /// One measurer per thread that makes pages, kept with the source: its
    /// font tables are what makes measuring cheap.
    TextMeasurer &measurerForThisThread() const;
    SubreportBands subreportBands() const;

    std::unique_ptr<ReportPlan> m_plan;
    RecordProvider m_provider;
    ParameterValues m_parameters;
    QDateTime m_printTime;

    mutable std::mutex m_mutex; ///< guards what follows
    mutable std::mutex m_layoutMutex; ///< one reading or counting at a time
    bool m_prepared = false;
    PreparedRecords m_records;
    std::unique_ptr<BandStream> m_stream;
    std::map<const ReportObject *, std::unique_ptr<SubreportRunner>> m_subreports;
    std::vector<PageStart> m_pageStarts; ///< one per page laid out, plus where the next begins
    bool m_complete = false;
    std::vector<ContentsEntry> m_contents;
    std::unique_ptr<Counting> m_counting;
    mutable std::mutex m_measurersMutex;
    mutable std::map<std::thread::id, std::unique_ptr<TextMeasurer>> m_measurers;
};

} // namespace velmora
