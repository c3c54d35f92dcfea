#pragma once

#include "engine/page/PageSource.h"

#include <QStringList>

namespace velmora {

class AtomicFileWriter;

/// Export format 8: the pages as UTF-8 text on a fixed character grid of
/// 10 characters per inch and 6 lines per inch, so columns stay aligned:
/// a text's column is its x in twips / 144 (left aligned: its left edge;
/// right aligned: its right edge; centred: its centre), its line is its
/// baseline in twips / 240. Each distinct baseline keeps a line of its own
/// (pushed one line down if the grid would merge it with the one above),
/// and a text that would overwrite the one before it on a line moves right
/// past it, one blank between, so no text is lost. Control characters in
/// text become blanks. Lines have no trailing blanks; pages are separated by
/// one form feed. Limits: lines, boxes and pictures are not drawn; every
/// character counts as one column, wide (East Asian) ones too.
class PlainTextWriter {
public:
    static constexpr int twipsPerColumn = 144;
    static constexpr int twipsPerLine = 240;

    void write(PageSource &pages, AtomicFileWriter &file, const CancelToken &cancel,
               const ProgressCallback &progress) const;

    /// The page's text lines, from the top of the page to its last text.
    static QStringList pageLines(const Page &page);
};

} // namespace velmora
