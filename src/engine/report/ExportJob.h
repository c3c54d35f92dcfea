#pragma once

#include "engine/page/PageSource.h"

#include <QString>

#include <memory>

namespace velmora {

/// One export as the report hands it to the export writers: the format code,
/// the target file, the PDF options and the laid-out report to read.
struct ExportJob {
    qint32 formatType = 0;
    QString path;
    qint32 pdfFirstOption = 0;
    qint32 pdfSecondOption = 0;
    std::shared_ptr<PageSource> pages;
    std::shared_ptr<RecordTable> records;
    QString title;
};

} // namespace velmora
