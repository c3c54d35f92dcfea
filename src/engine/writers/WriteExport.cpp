#include "engine/writers/WriteExport.h"

#include "engine/core/Failure.h"
#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/Biff8WorkbookWriter.h"
#include "engine/writers/CsvWriter.h"
#include "engine/writers/ExportErrors.h"
#include "engine/writers/PdfWriter.h"
#include "engine/writers/PlainTextWriter.h"
#include "engine/writers/RtfWriter.h"
#include "engine/writers/XlsDataWriter.h"
#include "engine/writers/XlsLayoutWriter.h"
#include "engine/writers/XlsxWorkbookWriter.h"

#include <memory>

namespace velmora {

namespace {

PageSource &requirePages(const ExportRequest &request)
{
    if (!request.pages)
        throw Failure(ExportErrors::MissingInput,
                      QStringLiteral("No hi ha cap informe per exportar."));
    return *request.pages;
}

const RecordTable &requireRecords(const ExportRequest &request)
{
    if (!request.records)
        throw Failure(ExportErrors::MissingInput,
                      QStringLiteral("No hi ha cap taula de registres per exportar."));
    return *request.records;
}

void checkFormat(qint32 formatType)
{
    switch (formatType) {
    case ExportFormat::Text:
    case ExportFormat::Word:
    case ExportFormat::ExcelLayout:
    case ExportFormat::PDF:
    case ExportFormat::ExcelData:
    case ExportFormat::Csv:
    case ExportFormat::CsvSemicolon:
    case ExportFormat::XlsxLayout:
    case ExportFormat::XlsxData:
        return;
    default:
        throw Failure(ExportErrors::UnknownFormat,
                      QStringLiteral("El format d'exportació %1 no és conegut.").arg(formatType));
    }
}

/// The workbook of an Excel format: Office Open XML or Excel 97.
std::unique_ptr<WorkbookSink> workbookFor(qint32 formatType, AtomicFileWriter &file)
{
    if (formatType == ExportFormat::XlsxLayout || formatType == ExportFormat::XlsxData)
        return std::make_unique<XlsxWorkbookWriter>(file);
    return std::make_unique<Biff8WorkbookWriter>();
}

QString documentTitle(const ExportRequest &request)
{
    if (!request.title.isEmpty() || !request.pages)
        return request.title;
    return request.pages->title();
}

} // namespace

void writeExport(const ExportRequest &request, const CancelToken &cancel,
                 const ProgressCallback &progress)
{
    checkFormat(request.formatType);
    // Options and inputs are checked before the file is touched.
    const PdfWriter::Options pdfOptions = request.formatType == ExportFormat::PDF
        ? PdfWriter::Options::fromCodes(request.pdfFirstOption, request.pdfSecondOption)
        : PdfWriter::Options{};
    if (ExportFormat::readsRecords(request.formatType))
        requireRecords(request);
    else
        requirePages(request);

    AtomicFileWriter file(request.path);
    switch (request.formatType) {
    case ExportFormat::Text:
        PlainTextWriter().write(*request.pages, file, cancel, progress);
        break;
    case ExportFormat::Word:
        RtfWriter(documentTitle(request)).write(*request.pages, file, cancel, progress);
        break;
    case ExportFormat::ExcelLayout:
    case ExportFormat::XlsxLayout:
        XlsLayoutWriter().write(*request.pages, *workbookFor(request.formatType, file), file, cancel, progress);
        break;
    case ExportFormat::PDF:
        PdfWriter(pdfOptions, documentTitle(request)).write(*request.pages, file, cancel, progress);
        break;
    case ExportFormat::ExcelData:
    case ExportFormat::XlsxData:
        XlsDataWriter().write(*request.records, *workbookFor(request.formatType, file), file, cancel, progress);
        break;
    case ExportFormat::Csv:
        CsvWriter(',').write(*request.records, file, cancel, progress);
        break;
    case ExportFormat::CsvSemicolon:
        CsvWriter(';').write(*request.records, file, cancel, progress);
        break;
    }
    file.commit();
}

} // namespace velmora
