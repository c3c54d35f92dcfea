#pragma once

// The points where the report objects meet the rest of the engine: reading a
// report file, laying a report out, writing an export, painting a page and
// making the viewer control. Each is one function so that wiring in a part of
// the engine touches one line.

#include "engine/definition/ReportDefinition.h"
#include "engine/layout/ReportLayout.h"
#include "engine/report/ExportJob.h"
#include "engine/seam/ReportEngine.h"

#include <QPainter>
#include <QRectF>

namespace velmora::adapters {

ReportDefinition loadDefinition(const QString &path);
ReportLayout layOut(LayoutInput input);
void runExport(const ExportJob &job, const CancelToken &cancel, const ProgressCallback &progress);
/// Paints `page` scaled to fill `target` (device coordinates of `painter`).
void paintPage(QPainter &painter, const Page &page, const QRectF &target);
ReportViewerControl *newViewerControl(QWidget *parent);

} // namespace velmora::adapters
