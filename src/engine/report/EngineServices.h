#pragma once

#include "engine/definition/ReportDefinition.h"
#include "engine/layout/ReportLayout.h"
#include "engine/report/ExportJob.h"
#include "engine/report/ParameterPrompt.h"
#include "engine/report/ProgressMonitor.h"
#include "engine/seam/ReportEngine.h"

#include <QPainter>
#include <QPrinter>
#include <QRectF>

#include <functional>
#include <memory>

namespace velmora {

/// Why the printer dialog is shown: to set the report's printer up, or to
/// print now (which also offers a page range).
enum class PrinterDialogPurpose { Setup, Print };

/// Everything the report objects use from outside themselves: the other
/// parts of the engine, the dialogs and the system's default printer. The
/// engine takes one of these at creation, so that tests can replace any
/// member; standard() gives the real ones.
struct EngineServices {
    std::function<ReportDefinition(const QString &path)> loadDefinition;
    std::function<ReportLayout(LayoutInput input)> layOut;
    std::function<void(const ExportJob &, const CancelToken &, const ProgressCallback &)> runExport;
    std::function<void(QPainter &, const Page &, const QRectF &target)> paintPage;
    std::function<ReportViewerControl *(QWidget *parent)> newViewerControl;
    /// The system's default printer; empty when there is none.
    std::function<QString()> defaultPrinterName;
    /// Lets the user change `printer`; false when the user cancels.
    std::function<bool(QPrinter &printer, QWidget *owner, PrinterDialogPurpose purpose)> choosePrinter;
    /// The engine's own export dialog over `options`; false when cancelled.
    std::function<bool(EngineExportOptions &options)> askExportSettings;
    /// The engine's parameter prompt over `rows`; false when cancelled.
    std::function<bool(std::vector<PromptRow> &rows, QWidget *owner)> askParameterValues;
    /// Who shows the progress of an export or print run; may return null,
    /// and may itself be empty (no progress shown).
    std::function<std::unique_ptr<ProgressMonitor>()> newProgressMonitor;

    static EngineServices standard();
};

} // namespace velmora
