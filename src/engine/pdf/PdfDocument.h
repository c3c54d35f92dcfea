#pragma once

#include "engine/page/Page.h"
#include "engine/pdf/PdfFontSet.h"
#include "engine/pdf/PdfImageSet.h"
#include "engine/pdf/PdfObjectWriter.h"
#include "engine/pdf/PdfOutline.h"
#include "engine/pdf/PdfPageContent.h"

#include <QString>

#include <vector>

namespace velmora::pdf {

/// A PDF document written page by page from the page model: each page at
/// its own size and orientation, its content deflated, all pages sharing
/// one resource dictionary of fonts and pictures. Fonts are embedded as
/// subsets when the document finishes, with the outline and the document
/// information. Only the page objects' numbers and sizes are kept per page,
/// so a report of any length streams through.
class PdfDocument {
public:
    struct Settings {
        QByteArray version = "1.5";
        QString title;
        QString creator = QStringLiteral("Velmora");
        bool outline = true;
    };

    PdfDocument(PdfObjectWriter::Sink sink, Settings settings);

    void addPage(const Page &page);
    int pageCount() const { return int(m_pages.size()); }
    /// Writes fonts, resources, page tree, outline (from `contents`),
    /// information and trailer.
    void finish(const std::vector<ContentsEntry> &contents);

private:
    int pageTreeNodeForNextPage();
    void writePageTree();
    int writeInformation();
    QByteArray fileIdentifier() const;

    Settings m_settings;
    PdfObjectWriter m_writer;
    PdfFontSet m_fonts;
    PdfImageSet m_images;
    PdfPageContent m_content;
    int m_pageTreeRoot;
    int m_resources;
    std::vector<PageTarget> m_pages;
    std::vector<int> m_pageTreeNodes; ///< each holds pagesPerNode pages
};

} // namespace velmora::pdf
