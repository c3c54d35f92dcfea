#include "engine/writers/WriteExport.h"

#include "engine/core/Failure.h"
#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/ExportErrors.h"
#include "engine/writers/PdfWriter.h"
#include "engine/writers/PlainTextWriter.h"
#include "engine/writers/RtfWriter.h"
#include "engine/writers/XlsDataWriter.h"
#include "engine/writers/XlsLayoutWriter.h"

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
        return;
    default:
        throw Failure(ExportErrors::UnknownFormat,
                      QStringLiteral("El format d'exportació %1 no és conegut.").arg(formatType));
    }
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
    if (request.formatType == ExportFormat::ExcelData)
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
        XlsLayoutWriter().write(*request.pages, file, cancel, progress);
        break;
    case ExportFormat::PDF:
        PdfWriter(pdfOptions, documentTitle(request)).write(*request.pages, file, cancel, progress);
        break;
    case ExportFormat::ExcelData:
        XlsDataWriter().write(*request.records, file, cancel, progress);
        break;
    }
    file.commit();
}

} // namespace velmora
