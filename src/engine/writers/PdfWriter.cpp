#include "engine/writers/PdfWriter.h"

#include "engine/core/Failure.h"
#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/CairoFontCache.h"
#include "engine/writers/CairoPagePainter.h"
#include "engine/writers/ExportErrors.h"
#include "engine/writers/PageStream.h"

#include <cairo-pdf.h>

#include <exception>
#include <map>
#include <memory>
#include <optional>

namespace velmora {

namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t *surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t *cr) const { cairo_destroy(cr); }
};

/// Where cairo's output goes; a C callback cannot throw, so the failure
/// waits here until the writer can raise it.
struct OutputSink {
    AtomicFileWriter *file = nullptr;
    std::optional<Failure> failure;
    bool discarding = false;

    static cairo_status_t write(void *closure, const unsigned char *data, unsigned int length)
    {
        auto *sink = static_cast<OutputSink *>(closure);
        if (sink->failure || sink->discarding)
            return CAIRO_STATUS_WRITE_ERROR;
        try {
            sink->file->write(QByteArrayView(reinterpret_cast<const char *>(data), length));
        } catch (const Failure &failure) {
            sink->failure = failure;
            return CAIRO_STATUS_WRITE_ERROR;
        }
        return CAIRO_STATUS_SUCCESS;
    }
};

qint32 checkedOption(qint32 code, int which)
{
    if (code < 0 || code > 2)
        throw Failure(ExportErrors::InvalidPdfOption,
                      QStringLiteral("L'opció %1 de l'exportació PDF val %2: només s'accepten 0, 1 i 2.")
                          .arg(which)
                          .arg(code));
    return code;
}

void raiseIfBroken(cairo_surface_t *surface, const OutputSink &sink)
{
    if (sink.failure)
        throw *sink.failure;
    const cairo_status_t status = cairo_surface_status(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw Failure(ExportErrors::PdfRenderingFailed,
                      QStringLiteral("No s'ha pogut generar el PDF «%1»: %2.")
                          .arg(sink.file->displayName(), QString::fromUtf8(cairo_status_to_string(status))));
}

void addOutline(cairo_surface_t *surface, const std::vector<ContentsEntry> &contents, int pageCount)
{
    // The id of the latest entry at each level: an entry hangs under the
    // nearest shallower one, even when the report skips a level.
    std::map<int, int> parentAtLevel;
    for (const ContentsEntry &entry : contents) {
        if (entry.pageIndex < 0 || entry.pageIndex >= pageCount)
            continue;
        parentAtLevel.erase(parentAtLevel.lower_bound(entry.level), parentAtLevel.end());
        const int parent = parentAtLevel.empty() ? CAIRO_PDF_OUTLINE_ROOT : parentAtLevel.rbegin()->second;
        const QByteArray target = QStringLiteral("page=%1 pos=[0 %2]")
                                      .arg(entry.pageIndex + 1)
                                      .arg(entry.y / twipsPerPoint, 0, 'f', 2)
                                      .toUtf8();
        parentAtLevel[entry.level] = cairo_pdf_surface_add_outline(
            surface, parent, entry.title.toUtf8().constData(), target.constData(),
            cairo_pdf_outline_flags_t(0));
    }
}

/// A surface destroyed while a failure unwinds would still write out the
/// rest of the document; the file is being thrown away, so nothing is kept.
struct DiscardOnFailure {
    OutputSink &sink;
    int exceptionsAtStart = std::uncaught_exceptions();
    ~DiscardOnFailure()
    {
        if (std::uncaught_exceptions() > exceptionsAtStart)
            sink.discarding = true;
    }
};

QSizeF pageSizeInPoints(const Page &page)
{
    const QSize size = page.size.isValid() && !page.size.isEmpty() ? page.size : Page().size;
    return QSizeF(size) / twipsPerPoint;
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
    OutputSink sink{&file, std::nullopt};
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_pdf_surface_create_for_stream(&OutputSink::write, &sink, 595.0, 842.0));
    cairo_pdf_surface_restrict_to_version(surface.get(),
                                          m_options.pdf14 ? CAIRO_PDF_VERSION_1_4 : CAIRO_PDF_VERSION_1_5);
    if (!m_title.isEmpty())
        cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, m_title.toUtf8().constData());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Velmora");

    const DiscardOnFailure discardOnFailure{sink};
    std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface.get()));
    std::unique_ptr<cairo_font_options_t, decltype(&cairo_font_options_destroy)> fontOptions(
        cairo_font_options_create(), &cairo_font_options_destroy);
    // Unhinted metrics: the advance widths the layout measured.
    cairo_font_options_set_hint_metrics(fontOptions.get(), CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(fontOptions.get(), CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr.get(), fontOptions.get());

    CairoFontCache fonts;
    CairoPagePainter painter(fonts);
    const int pageCount = PageStream::forEachPage(pages, cancel, progress, [&](const Page &page, int) {
        const QSizeF size = pageSizeInPoints(page);
        cairo_pdf_surface_set_size(surface.get(), size.width(), size.height());
        painter.paint(cr.get(), page);
        cairo_show_page(cr.get());
        raiseIfBroken(surface.get(), sink);
    });

    if (m_options.outline)
        addOutline(surface.get(), pages.contents(), pageCount);
    cr.reset();
    cairo_surface_finish(surface.get());
    raiseIfBroken(surface.get(), sink);
}

} // namespace velmora
