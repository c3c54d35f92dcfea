#include "engine/layout/ReportLayout.h"

#include "engine/layout/AccessRecordProvider.h"
#include "engine/layout/DetailRecordTable.h"

namespace velmora {

ReportLayout createReportLayout(LayoutInput input)
{
    auto plan = std::make_unique<ReportPlan>(input.definition, input.parameters);
    auto source = std::make_shared<ReportPageSource>(std::move(plan), accessRecordProvider(std::move(input.tables)),
                                                     input.parameters, input.printTime);
    return ReportLayout{source, std::make_shared<DetailRecordTable>(source)};
}

} // namespace velmora
