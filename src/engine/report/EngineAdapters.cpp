#include "engine/report/EngineAdapters.h"

#include "engine/control/ReportViewerWidget.h"
#include "engine/definition/ReportReader.h"
#include "engine/render/PagePainter.h"
#include "engine/writers/WriteExport.h"

namespace velmora::adapters {

ReportDefinition loadDefinition(const QString &path)
{
    return readReportFile(path);
}

ReportLayout layOut(LayoutInput input)
{
    return createReportLayout(std::move(input));
}

void runExport(const ExportJob &job, const CancelToken &cancel, const ProgressCallback &progress)
{
    ExportRequest request;
    request.formatType = job.formatType;
    request.path = job.path;
    request.pdfFirstOption = job.pdfFirstOption;
    request.pdfSecondOption = job.pdfSecondOption;
    request.pages = job.pages.get();
    request.records = job.records.get();
    request.title = job.title;
    writeExport(request, cancel, progress);
}

void paintPage(QPainter &painter, const Page &page, const QRectF &target)
{
    painter.save();
    painter.translate(target.topLeft());
    PagePainter::paint(painter, page, page.size.width() > 0 ? target.width() / page.size.width() : 1.0);
    painter.restore();
}

ReportViewerControl *newViewerControl(QWidget *parent)
{
    return new ReportViewerWidget(parent);
}

} // namespace velmora::adapters
