#include "engine/writers/PdfWriter.h"

#include "engine/core/Failure.h"
#include "engine/pdf/PdfDocument.h"
#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/ExportErrors.h"
#include "engine/writers/PageStream.h"

namespace velmora {

namespace {

qint32 checkedOption(qint32 code, int which)
{
    if (code < 0 || code > 2)
        throw Failure(ExportErrors::InvalidPdfOption,
                      QStringLiteral("L'opció %1 de l'exportació PDF val %2: només s'accepten 0, 1 i 2.")
                          .arg(which)
                          .arg(code));
    return code;
}

} // namespace

PdfWriter::Options PdfWriter::Options::fromCodes(qint32 first, qint32 second)
{
    Options options;
    options.pdf14 = checkedOption(first, 1) == 1;
    options.outline = checkedOption(second, 2) != 1;
    return options;
}

PdfWriter::PdfWriter(Options options, QString title) : m_options(options), m_title(std::move(title)) {}

void PdfWriter::write(PageSource &pages, AtomicFileWriter &file, const CancelToken &cancel,
                      const ProgressCallback &progress) const
{
    pdf::PdfDocument::Settings settings;
    settings.version = m_options.pdf14 ? "1.4" : "1.5";
    settings.title = m_title;
    settings.outline = m_options.outline;
    pdf::PdfDocument document([&file](QByteArrayView bytes) { file.write(bytes); }, settings);
    PageStream::forEachPage(pages, cancel, progress, [&](const Page &page, int) { document.addPage(page); });
    document.finish(pages.contents());
}

} // namespace velmora
