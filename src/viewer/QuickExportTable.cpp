#include "viewer/QuickExportTable.h"

#include "engine/core/Failure.h"
#include "engine/page/ExportFormat.h"
#include "viewer/ViewerErrors.h"

namespace velmora {

const std::array<QuickExportRow, 3> &QuickExportTable::rows()
{
    static const std::array<QuickExportRow, 3> table{{
        {1, QStringLiteral("ZelExport.xls"), 1, ExportFormat::ExcelData},
        {2, QStringLiteral("ZelExport.doc"), 2, ExportFormat::Word},
        {3, QStringLiteral("ZelExport.pdf"), 3, ExportFormat::PDF},
    }};
    return table;
}

const QuickExportRow &QuickExportTable::row(int index)
{
    for (const QuickExportRow &candidate : rows())
        if (candidate.index == index)
            return candidate;
    throw Failure(ViewerErrors::UnknownQuickExport,
                  QStringLiteral("No hi ha cap botó d'exportació ràpida número %1.").arg(index));
}

} // namespace velmora
