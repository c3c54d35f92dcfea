#include "export/ExportFormatTable.h"

#include "engine/seam/ReportEngine.h"

#include <algorithm>

namespace velmora {

const std::array<ExportFormatEntry, ExportFormatTable::count> &ExportFormatTable::entries()
{
    static const std::array<ExportFormatEntry, count> table{{
        {QStringLiteral("Arxiu de text (txt)"), QStringLiteral(".TXT"), QStringLiteral(".txt"),
         ExportFormat::Text, false, QStringLiteral("ZelExport.txt")},
        {QStringLiteral("Full de càlcul Excel (xls)"), QStringLiteral(".XLS"), QStringLiteral(".xls"),
         ExportFormat::ExcelLayout, false, QStringLiteral("ZelExport.xls")},
        {QStringLiteral("Document de Word (doc)"), QStringLiteral(".DOC"), QStringLiteral(".doc"),
         ExportFormat::Word, false, QStringLiteral("ZelExport.doc")},
        {QStringLiteral("Portable Document File (pdf)"), QStringLiteral(".PDF"), QStringLiteral(".pdf"),
         ExportFormat::PDF, true, QStringLiteral("ZelExport.pdf")},
    }};
    return table;
}

const ExportFormatEntry *ExportFormatTable::findByCaption(const QString &caption)
{
    const auto &table = entries();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const ExportFormatEntry &e) { return e.caption == caption; });
    return found == table.end() ? nullptr : &*found;
}

const ExportFormatEntry *ExportFormatTable::findByEnding(const QString &ending)
{
    const auto &table = entries();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const ExportFormatEntry &e) { return e.ending == ending; });
    return found == table.end() ? nullptr : &*found;
}

} // namespace velmora
