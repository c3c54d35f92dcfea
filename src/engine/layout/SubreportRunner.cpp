#include "engine/layout/SubreportRunner.h"

#include "engine/layout/RecordContext.h"
#include "engine/layout/RecordPreparation.h"
#include "engine/layout/ValueOrder.h"

namespace velmora {

namespace {

/// The subreport's definition with one outermost group per link field, so
/// that the records of one link value lie together; every group level moves
/// in by the number of links, and report totals become totals per link value.
std::shared_ptr<ReportDefinition> withLinkGroups(const ReportObject &object)
{
    auto definition = std::make_shared<ReportDefinition>(*object.subreport);
    const int k = int(object.links.size());
    if (k == 0)
        return definition;
    std::vector<GroupDefinition> linkGroups;
    for (const SubreportLink &link : object.links) {
        GroupDefinition group;
        group.field = link.subreportField;
        linkGroups.push_back(group);
    }
    definition->groups.insert(definition->groups.begin(), linkGroups.begin(), linkGroups.end());
    const auto shift = [k](int level) { return level < 0 ? k - 1 : level + k; };
    for (SectionDefinition &section : definition->sections) {
        if (section.kind == SectionKind::GroupHeader || section.kind == SectionKind::GroupFooter)
            section.groupLevel += k;
        for (ReportObject &o : section.objects)
            if (o.kind == ReportObject::Kind::Field && o.field.kind == FieldRef::Kind::Summary)
                o.field.groupLevel = shift(o.field.groupLevel);
    }
    for (RunningTotalDefinition &rt : definition->runningTotals)
        rt.resetGroupLevel = shift(rt.resetGroupLevel);
    return definition;
}

} // namespace

std::size_t SubreportRunner::KeyHash::operator()(const std::vector<Value> &k) const
{
    std::size_t h = 0;
    for (const Value &v : k)
        h = h * 31 + hashValue(v);
    return h;
}

bool SubreportRunner::KeyEqual::operator()(const std::vector<Value> &a, const std::vector<Value> &b) const
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!sameValue(a[i], b[i]))
            return false;
    return true;
}

SubreportRunner::SubreportRunner(const ReportObject &object, const RecordSource &source,
                                 const ParameterValues &parameters, QDateTime printTime,
                                 const CancelToken &cancel)
    : m_definition(withLinkGroups(object)), m_linkLevels(int(object.links.size())), m_printTime(std::move(printTime))
{
    m_plan = std::make_unique<ReportPlan>(m_definition, parameters, m_linkLevels - 1);
    m_records = prepareRecords(*m_plan, source(*m_definition, m_plan->fields()), m_printTime, cancel, {});
    m_stream = std::make_unique<BandStream>(*m_definition, m_records);
    if (m_linkLevels == 0)
        return;
    const GroupLevel &inner = m_records.levels[size_t(m_linkLevels - 1)];
    for (size_t g = 0; g < inner.starts.size(); ++g) {
        std::vector<Value> key;
        for (int l = 0; l < m_linkLevels; ++l) {
            const GroupLevel &level = m_records.levels[size_t(l)];
            key.push_back(level.keys[size_t(level.groupAt(inner.starts[g]))]);
        }
        m_groupOfKey.emplace(std::move(key), int(g));
    }
}

std::vector<Band> SubreportRunner::bandsFor(const ObjectPlan &linkPlan, RecordContext &container,
                                            TextMeasurer &measurer) const
{
    qint64 begin = 0, end = m_records.size();
    if (m_linkLevels > 0) {
        std::vector<Value> key;
        for (const ObjectPlan::Piece &piece : linkPlan.pieces)
            key.push_back(piece.formula ? container.evaluate(*piece.formula) : Value());
        const auto found = m_groupOfKey.find(key);
        if (found == m_groupOfKey.end()) {
            begin = end = 0;
        } else {
            const GroupLevel &inner = m_records.levels[size_t(m_linkLevels - 1)];
            begin = inner.starts[size_t(found->second)];
            end = inner.endOf(found->second, m_records.size());
        }
    }
    RecordContext context(*m_plan, m_records, m_printTime);
    context.setPage(container.specialValue(SpecialValue::PageNumber).asInteger(),
                    int(container.specialValue(SpecialValue::TotalPageCount).asInteger()));
    // A subreport shows no subreports of its own.
    BandBuilder builder(*m_plan, context, measurer, {});
    std::vector<Band> bands;
    const auto add = [&](const std::vector<int> &sections) {
        for (int s : sections) {
            Band band = builder.build(s, true);
            if (!band.suppressed)
                bands.push_back(std::move(band));
        }
    };
    const int levels = m_stream->groupCount();
    context.setPosition(begin < end ? begin : -1);
    add(m_stream->reportHeaders());
    for (qint64 p = begin; p < end; ++p) {
        context.setPosition(p);
        for (int l = std::max<int>(m_records.firstStartingLevel[size_t(p)], m_linkLevels); l < levels; ++l)
            add(m_stream->groupHeaders(l));
        add(m_stream->details());
        for (int l = levels - 1; l >= std::max<int>(m_records.firstEndingLevel[size_t(p)], m_linkLevels); --l)
            add(m_stream->groupFooters(l));
    }
    context.setPosition(end > begin ? end - 1 : -1);
    add(m_stream->reportFooters());
    return bands;
}

} // namespace velmora
