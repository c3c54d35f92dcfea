#include "engine/report/ExportFormats.h"

#include "engine/seam/ReportEngine.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {
constexpr std::array<ExportFormatInfo, 9> formats{{
    {ExportFormat::Text, u"Text pla (txt)", u"txt", u"txt"},
    {ExportFormat::ExcelLayout, u"Full de càlcul Excel (xls)", u"xls", u"xls"},
    {ExportFormat::ExcelData, u"Full de càlcul Excel, només dades (xls)", u"xls", u"xls-data"},
    {ExportFormat::Word, u"Document de Word (doc)", u"doc", u"doc"},
    {ExportFormat::PDF, u"Portable Document File (pdf)", u"pdf", u"pdf"},
    {ExportFormat::XlsxLayout, u"Llibre d'Excel (xlsx)", u"xlsx", u"xlsx"},
    {ExportFormat::XlsxData, u"Llibre d'Excel, només dades (xlsx)", u"xlsx", u"xlsx-data"},
    {ExportFormat::Csv, u"Valors separats per comes (csv)", u"csv", u"csv"},
    {ExportFormat::CsvSemicolon, u"Valors separats per punt i coma (csv)", u"csv", u"csv-semicolon"},
}};

template<typename Predicate>
const ExportFormatInfo *findFormat(Predicate matches)
{
    const auto found = std::find_if(formats.begin(), formats.end(), matches);
    return found == formats.end() ? nullptr : &*found;
}
} // namespace

std::span<const ExportFormatInfo> exportFormats()
{
    return formats;
}

const ExportFormatInfo *exportFormatByType(qint32 formatType)
{
    return findFormat([formatType](const ExportFormatInfo &f) { return f.formatType == formatType; });
}

const ExportFormatInfo *exportFormatByCommandName(QStringView commandName)
{
    return findFormat([commandName](const ExportFormatInfo &f) { return f.commandName == commandName; });
}

} // namespace velmora
