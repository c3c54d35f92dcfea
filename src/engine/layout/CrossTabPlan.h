#pragma once

#include "engine/definition/CrossTabDefinition.h"
#include "engine/layout/CrossTabSheetCache.h"
#include "engine/layout/PropertyPlan.h"
#include "engine/layout/ReportPlan.h"

#include <vector>

namespace velmora {

/// A cross-tab compiled for laying out: the values each record gives its
/// row and column levels and its summaries.
struct CrossTabPlan {
    struct Summary {
        SummaryOperation operation = SummaryOperation::Sum;
        Operand operand;
        double argument = 0;
        std::optional<Operand> weight;
    };
    const CrossTabDefinition *definition = nullptr;
    std::vector<Operand> rows;
    std::vector<Operand> columns;
    std::vector<Summary> summaries;
    /// The background formulas of the cell and total styles.
    std::vector<PropertyPlan> cellBackground;
    std::vector<PropertyPlan> totalBackground;
    /// The sheets laid out from it while the report is laid out.
    std::shared_ptr<CrossTabSheetCache> sheets = std::make_shared<CrossTabSheetCache>();
};

} // namespace velmora
