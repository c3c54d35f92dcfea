#pragma once

#include "engine/definition/ReportDefinition.h"

class QPrinter;

namespace velmora {

/// Puts the report's paper and orientation into `printer`, which then prints
/// on the whole sheet: the report keeps its margins itself.
void applyPageSetup(const PageSetup &page, QPrinter &printer);

/// `current` with the paper and orientation chosen in `printer`; its margins
/// stay. A paper equivalent to the current one keeps its exact size, so a
/// report's own measures are not rounded by a trip through the dialog.
PageSetup pageSetupFromPrinter(const QPrinter &printer, const PageSetup &current);

} // namespace velmora
