#pragma once

#include "engine/page/PageSource.h"

#include <QString>

namespace velmora {

class AtomicFileWriter;

/// Export format 14: a Word document written as RTF, which Word and
/// LibreOffice open. Each report page becomes a section of the page's own
/// size and orientation with no margins, its content written by
/// RtfPageBody: printed lines as paragraphs with tab stops, in their fonts
/// (through FontResolver), sizes, colours, weights, slants, underline and
/// strike-out. The document's title goes to its properties.
/// Limits: dashed lines are drawn solid.
class RtfWriter {
public:
    /// `title` goes to the document's properties.
    explicit RtfWriter(QString title);

    void write(PageSource &pages, AtomicFileWriter &file, const CancelToken &cancel,
               const ProgressCallback &progress) const;

private:
    QString m_title;
};

} // namespace velmora
