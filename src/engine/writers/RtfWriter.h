#pragma once

#include "engine/page/PageSource.h"

#include <QString>

namespace velmora {

class AtomicFileWriter;

/// Export format 14: a Word document written as RTF, which Word and
/// LibreOffice open. Each report page becomes a section of the page's own
/// size and orientation with no margins; each line of text becomes a
/// paragraph in a frame placed on the page where the report shows it
/// (\pvpg\phpg\posx\posy), in its font (through FontResolver), size,
/// colour, weight, slant, underline and strike-out, aligned inside its box.
/// Frames reach a little past their boxes (TextFrameRoom), never over a
/// neighbour. Pictures are PNG pictures in frames of their own; lines and
/// boxes become drawing objects anchored to their page. All text is escaped
/// (RtfText), so a field holding RTF stays text.
/// Limits: frames hold one line each, so the text is not editable as
/// flowing paragraphs; dashed lines are drawn solid; a picture is stored
/// again on every page that shows it.
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
