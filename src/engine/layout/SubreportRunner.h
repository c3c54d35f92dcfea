#pragma once

#include "engine/layout/BandBuilder.h"
#include "engine/layout/BandStream.h"
#include "engine/layout/PreparedRecords.h"
#include "engine/layout/ReportPlan.h"

#include <QDateTime>

#include <unordered_map>

namespace velmora {

class TextMeasurer;

/// The records a subreport reads for a given record of its container: it is
/// prepared once, sorted first by its link fields, so that the records of
/// each link value lie together and its totals are worked out per link value
/// (its "report" totals are the totals of what one container record shows).
class SubreportRunner {
public:
    using RecordSource = std::function<std::shared_ptr<const RecordSet>(
        const ReportDefinition &definition, const std::vector<FieldKey> &fields)>;

    /// `object` is the subreport object in the container's definition.
    SubreportRunner(const ReportObject &object, const RecordSource &source, const ParameterValues &parameters,
                    QDateTime printTime, const CancelToken &cancel);

    /// The bands the subreport shows for the container record `container`
    /// stands on. Thread-safe: each call works with its own state.
    /// `linkPlan` holds the container's compiled link fields.
    std::vector<Band> bandsFor(const ObjectPlan &linkPlan, RecordContext &container, TextMeasurer &measurer) const;

    const ReportPlan &plan() const { return *m_plan; }

private:
    struct KeyHash {
        std::size_t operator()(const std::vector<Value> &k) const;
    };
    struct KeyEqual {
        bool operator()(const std::vector<Value> &a, const std::vector<Value> &b) const;
    };

    std::shared_ptr<ReportDefinition> m_definition; ///< with the link groups put first
    std::unique_ptr<ReportPlan> m_plan;
    PreparedRecords m_records;
    std::unique_ptr<BandStream> m_stream;
    int m_linkLevels = 0;
    std::unordered_map<std::vector<Value>, int, KeyHash, KeyEqual> m_groupOfKey;
    QDateTime m_printTime;
};

} // namespace velmora
