#pragma once

#include "engine/page/PageSource.h"

#include <QString>

namespace velmora {

class AtomicFileWriter;

/// Export format 31: the pages streamed into a PDF document (pdf::PdfDocument),
/// one PDF page per report page at that page's own size and orientation,
/// text in embedded TrueType subsets with ToUnicode maps (it copies and
/// searches), lines, boxes and pictures. The document's title is the
/// report's; its creator is "Velmora". The outline (bookmarks) follows the
/// report's groups.
/// Limits: as PdfPageContent; pictures are embedded losslessly at their own
/// resolution.
class PdfWriter {
public:
    /// The two numeric PDF options of an export, given a meaning here.
    struct Options {
        bool pdf14 = false;   ///< first option 1: the file says PDF 1.4 (else 1.5)
        bool outline = true;  ///< second option 1: no outline (else bookmarks)

        /// First option: 0 or 2 = PDF 1.5, 1 = PDF 1.4. Second option: 0 or
        /// 2 = bookmarks from the groups, 1 = none. Any other value throws
        /// Failure (ExportErrors::InvalidPdfOption).
        static Options fromCodes(qint32 first, qint32 second);
    };

    PdfWriter(Options options, QString title);

    void write(PageSource &pages, AtomicFileWriter &file, const CancelToken &cancel,
               const ProgressCallback &progress) const;

private:
    Options m_options;
    QString m_title;
};

} // namespace velmora
