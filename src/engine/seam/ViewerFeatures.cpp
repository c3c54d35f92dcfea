#include "engine/seam/ViewerFeatures.h"

namespace velmora {

namespace {
using Member = bool ViewerFeatures::*;
constexpr std::array<Member, ViewerFeatures::switchCount> designOrder{
    &ViewerFeatures::groupTreeShownAtStart, &ViewerFeatures::groupTreeToggle,
    &ViewerFeatures::toolbarShown,          &ViewerFeatures::toolbarEnabled,
    &ViewerFeatures::viewTabs,              &ViewerFeatures::border,
    &ViewerFeatures::greyEdge,              &ViewerFeatures::navigation,
    &ViewerFeatures::zoomList,              &ViewerFeatures::print,
    &ViewerFeatures::findByFormula,         &ViewerFeatures::exportReport,
    &ViewerFeatures::refresh,               &ViewerFeatures::editRecordSelection,
    &ViewerFeatures::closeView,             &ViewerFeatures::stop,
    &ViewerFeatures::progress,              &ViewerFeatures::busyAnimation,
    &ViewerFeatures::findText,              &ViewerFeatures::drillDown,
    &ViewerFeatures::contextMenu,           &ViewerFeatures::help,
    &ViewerFeatures::webLinks,
};
} // namespace

ViewerFeatures ViewerFeatures::fromSwitches(const Switches &switches, const QString &text)
{
    ViewerFeatures features;
    for (int i = 0; i < switchCount; ++i)
        features.*designOrder[i] = switches[i];
    features.mainViewCaption = text;
    return features;
}

ViewerFeatures::Switches ViewerFeatures::switches() const
{
    Switches result{};
    for (int i = 0; i < switchCount; ++i)
        result[i] = this->*designOrder[i];
    return result;
}

} // namespace velmora
