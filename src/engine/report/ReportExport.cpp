#include "engine/report/ReportExport.h"

#include "engine/page/PageReadAhead.h"
#include "engine/report/ExportFormats.h"
#include "engine/seam/SeamErrors.h"

namespace velmora {

void checkExportOptions(const EngineExportOptions &options)
{
    if (options.destinationType() != ExportDestination::DiskFile)
        throw Failure(SeamErrors::UnknownDestination,
                      QStringLiteral("El motor d'informes només exporta a un arxiu de disc (destinació 1), no a la destinació %1.")
                          .arg(options.destinationType()));
    if (!exportFormatByType(options.formatType()))
        throw Failure(SeamErrors::UnknownExportFormat,
                      QStringLiteral("El format d'exportació %1 no existeix.").arg(options.formatType()));
    if (options.diskFileName().trimmed().isEmpty())
        throw Failure(SeamErrors::MissingExportFileName,
                      QStringLiteral("No s'ha indicat el nom de l'arxiu on s'ha d'exportar l'informe."));
}

void writeReportExport(const ReportSession &session)
{
    const EngineExportOptions &options = *session.exportOptions();
    checkExportOptions(options);
    const ReportLayout layout = session.layOut();

    ExportJob job;
    job.formatType = options.formatType();
    job.path = options.diskFileName();
    job.pdfFirstOption = options.pdfFirstOption();
    job.pdfSecondOption = options.pdfSecondOption();
    job.pages = std::make_shared<PageReadAhead>(layout.pages);
    job.records = layout.records;
    job.title = layout.pages->title();

    const std::unique_ptr<ProgressMonitor> monitor = session.newProgressMonitor();
    CancelToken cancel;
    session.services().runExport(job, cancel, progressCallbackFor(monitor.get(), cancel));
}

} // namespace velmora
