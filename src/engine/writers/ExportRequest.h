#pragma once

#include "engine/page/ExportFormat.h"
#include "engine/page/PageSource.h"

#include <QString>
#include <QtGlobal>

namespace velmora {

/// Everything one export needs. `pages` serves every format but Excel data
/// only (36), which reads `records`; neither is owned.
/// PDF options: first = PDF version (1: 1.4, 2 or 0: 1.5); second = outline
/// (1: none, 2 or 0: bookmarks from the report's groups).
struct ExportRequest {
    qint32 formatType = ExportFormat::PDF;
    QString path{};
    qint32 pdfFirstOption = 2;
    qint32 pdfSecondOption = 2;
    PageSource *pages = nullptr;
    const RecordTable *records = nullptr;
    QString title{};
};

} // namespace velmora
