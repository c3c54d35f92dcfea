#pragma once

#include "engine/page/Page.h"

#include <vector>

namespace velmora::pdf {

class PdfObjectWriter;

/// Where each page of the document stands, for destinations into it.
struct PageTarget {
    int objectNumber = 0;
    Twips height = 0;
};

/// The document outline (bookmarks) from the report's contents: entries
/// nested by level, an entry hanging under the nearest shallower one even
/// when the report skips a level, each jumping to its group header's page
/// and height. Every entry with children starts closed, so a report of
/// thousands of groups opens on the short list of its outermost groups.
class PdfOutline {
public:
    /// Writes the outline; returns its root object, or 0 when no entry
    /// points at an existing page.
    static int write(PdfObjectWriter &writer, const std::vector<ContentsEntry> &contents,
                     const std::vector<PageTarget> &pages);
};

} // namespace velmora::pdf
