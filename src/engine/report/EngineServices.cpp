#include "engine/report/EngineServices.h"

#include "engine/report/EngineAdapters.h"
#include "engine/report/ExportPromptDialog.h"
#include "engine/report/ParameterDialog.h"
#include "engine/report/PrinterDialog.h"
#include "engine/report/ProgressDialogMonitor.h"

#include <QPrinterInfo>

namespace velmora {

EngineServices EngineServices::standard()
{
    EngineServices services;
    services.loadDefinition = adapters::loadDefinition;
    services.layOut = adapters::layOut;
    services.runExport = adapters::runExport;
    services.paintPage = adapters::paintPage;
    services.newViewerControl = adapters::newViewerControl;
    services.defaultPrinterName = [] { return QPrinterInfo::defaultPrinterName(); };
    services.choosePrinter = showPrinterDialog;
    services.askExportSettings = ExportPromptDialog::ask;
    services.askParameterValues = ParameterDialog::ask;
    services.newProgressMonitor = ProgressDialogMonitor::forActiveWindow;
    return services;
}

} // namespace velmora
