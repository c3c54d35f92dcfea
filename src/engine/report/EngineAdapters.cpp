#include "engine/report/EngineAdapters.h"

#include "engine/seam/SeamErrors.h"

namespace velmora::adapters {

namespace {
[[noreturn]] void unavailable(const QString &what)
{
    throw Failure(SeamErrors::ComponentUnavailable,
                  QStringLiteral("Aquesta versió del motor d'informes encara no sap %1.").arg(what));
}
} // namespace

ReportDefinition loadDefinition(const QString &path)
{
    unavailable(QStringLiteral("llegir l'informe %1").arg(path));
}

ReportLayout layOut(LayoutInput)
{
    unavailable(QStringLiteral("compondre les pàgines d'un informe"));
}

void runExport(const ExportJob &, const CancelToken &, const ProgressCallback &)
{
    unavailable(QStringLiteral("escriure aquest format d'exportació"));
}

void paintPage(QPainter &, const Page &, const QRectF &)
{
    unavailable(QStringLiteral("dibuixar les pàgines per imprimir-les"));
}

ReportViewerControl *newViewerControl(QWidget *)
{
    unavailable(QStringLiteral("mostrar un informe en pantalla"));
}

} // namespace velmora::adapters
