#include "engine/layout/ReportPageSource.h"

#include "engine/layout/LayoutErrors.h"
#include "engine/layout/RecordContext.h"
#include "engine/layout/RecordPreparation.h"
#include "engine/layout/TextMeasurer.h"

#include <climits>

namespace velmora {

namespace {
/// No report has this many pages; a layout that gets here is running away.
constexpr int pageLimit = 5'000'000;
} // namespace

struct ReportPageSource::Counting {
    TextMeasurer measurer;
    std::unique_ptr<RecordContext> context;
    std::unique_ptr<BandBuilder> builder;
    std::unique_ptr<Paginator> paginator;
};

ReportPageSource::ReportPageSource(std::unique_ptr<ReportPlan> plan, RecordProvider provider,
                                   ParameterValues parameters, QDateTime printTime)
    : m_plan(std::move(plan)), m_provider(std::move(provider)), m_parameters(std::move(parameters)),
      m_printTime(std::move(printTime))
{
}

ReportPageSource::~ReportPageSource() = default;

SubreportBands ReportPageSource::subreportBands() const
{
    return [this](const ReportObject &object, const ObjectPlan &plan, RecordContext &context,
                  TextMeasurer &measurer) -> std::vector<Band> {
        const auto it = m_subreports.find(&object);
        if (it == m_subreports.end())
            return {};
        return it->second->bandsFor(plan, context, measurer);
    };
}

void ReportPageSource::prepare(const CancelToken &cancel, const ProgressCallback &progress)
{
    const ReportDefinition &definition = m_plan->definition();
    auto records = m_provider(definition, QString(), m_plan->fields(), cancel, progress);
    PreparedRecords prepared = prepareRecords(*m_plan, std::move(records), m_printTime, cancel, progress);
    std::map<const ReportObject *, std::unique_ptr<SubreportRunner>> subreports;
    for (const SectionDefinition &section : definition.sections)
        for (const ReportObject &object : section.objects) {
            if (object.kind != ReportObject::Kind::Subreport || !object.subreport)
                continue;
            const SubreportRunner::RecordSource source = [&, name = object.name](const ReportDefinition &d,
                                                                                 const std::vector<FieldKey> &fields) {
                return m_provider(d, name, fields, cancel, {});
            };
            subreports.emplace(&object,
                               std::make_unique<SubreportRunner>(object, source, m_parameters, m_printTime, cancel));
        }

    std::lock_guard lock(m_mutex);
    m_records = std::move(prepared);
    m_subreports = std::move(subreports);
    m_stream = std::make_unique<BandStream>(definition, m_records);
    m_pageStarts = {PageStart{m_stream->first(), 0}};
    m_counting = std::make_unique<Counting>();
    m_counting->context = std::make_unique<RecordContext>(*m_plan, m_records, m_printTime);
    m_counting->builder =
        std::make_unique<BandBuilder>(*m_plan, *m_counting->context, m_counting->measurer, subreportBands());
    m_counting->paginator =
        std::make_unique<Paginator>(*m_plan, m_records, *m_stream, *m_counting->builder, *m_counting->context);
    m_prepared = true;
}

void ReportPageSource::ensurePrepared(const CancelToken &cancel, const ProgressCallback &progress)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_prepared)
            return;
    }
    prepare(cancel, progress);
}

const PreparedRecords &ReportPageSource::preparedRecords(const CancelToken &cancel)
{
    std::lock_guard layoutLock(m_layoutMutex);
    ensurePrepared(cancel, {});
    return m_records;
}

int ReportPageSource::layOutUntil(int index, const CancelToken &cancel, const ProgressCallback &progress)
{
    std::lock_guard layoutLock(m_layoutMutex);
    ensurePrepared(cancel, progress);
    const int target = (index < 0 || m_plan->needsPageCount()) ? INT_MAX : index;
    while (true) {
        PageStart start;
        int pageIndex;
        {
            std::lock_guard lock(m_mutex);
            pageIndex = int(m_pageStarts.size()) - 1;
            if (m_complete || pageIndex > target)
                return pageIndex;
            start = m_pageStarts.back();
        }
        if (cancel.isCancelled())
            throw Failure(LayoutErrors::Stopped, QStringLiteral("S'ha aturat la paginació de l'informe."));
        if (pageIndex >= pageLimit)
            throw Failure(LayoutErrors::TooManyPages,
                          QStringLiteral("L'informe passa de %1 pàgines: la paginació s'ha aturat.").arg(pageLimit));
        std::vector<ContentsEntry> found;
        const Paginator::Result result = m_counting->paginator->layOutPage(start, pageIndex, 0, false, &found);
        {
            std::lock_guard lock(m_mutex);
            m_pageStarts.push_back(result.next);
            m_contents.insert(m_contents.end(), found.begin(), found.end());
            m_complete = result.last;
        }
        if (progress && (pageIndex % 64 == 0 || result.last))
            progress({m_records.size(), pageIndex + 1, QStringLiteral("Paginant")});
    }
}

bool ReportPageSource::isComplete() const
{
    std::lock_guard lock(m_mutex);
    return m_complete;
}

int ReportPageSource::pagesLaidOut() const
{
    std::lock_guard lock(m_mutex);
    return m_prepared ? int(m_pageStarts.size()) - 1 : 0;
}

TextMeasurer &ReportPageSource::measurerForThisThread() const
{
    std::lock_guard lock(m_measurersMutex);
    auto &measurer = m_measurers[std::this_thread::get_id()];
    if (!measurer)
        measurer = std::make_unique<TextMeasurer>();
    return *measurer;
}

Page ReportPageSource::makePage(const PageStart &start, int index, int totalPages) const
{
    TextMeasurer &measurer = measurerForThisThread();
    RecordContext context(*m_plan, m_records, m_printTime);
    BandBuilder builder(*m_plan, context, measurer, subreportBands());
    Paginator paginator(*m_plan, m_records, *m_stream, builder, context);
    return paginator.layOutPage(start, index, totalPages, true, nullptr).page;
}

Page ReportPageSource::page(int index) const
{
    PageStart start;
    int total = 0;
    {
        std::lock_guard lock(m_mutex);
        if (!m_prepared || index < 0 || index >= int(m_pageStarts.size()) - 1)
            throw Failure(LayoutErrors::TooManyPages, QStringLiteral("La pàgina %1 no existeix.").arg(index + 1));
        start = m_pageStarts[size_t(index)];
        total = m_complete ? int(m_pageStarts.size()) - 1 : 0;
    }
    return makePage(start, index, total);
}

std::vector<ContentsEntry> ReportPageSource::contents() const
{
    std::lock_guard lock(m_mutex);
    return m_contents;
}

qint64 ReportPageSource::recordCount() const
{
    std::lock_guard lock(m_mutex);
    return m_prepared ? m_records.size() : 0;
}

QString ReportPageSource::title() const { return m_plan->definition().title; }

} // namespace velmora
