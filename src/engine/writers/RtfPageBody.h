#pragma once

#include "engine/page/Page.h"
#include "engine/writers/BaselineRows.h"
#include "engine/writers/RtfStyleTables.h"

#include <QByteArray>

#include <map>

namespace velmora {

/// One page of the Word export as RTF. Each printed line of the page
/// (BaselineRows) becomes a paragraph of exact height, moved down to its
/// place by the space before it, its texts set at tab stops where the
/// page shows them: left tabs at left edges, right tabs at the right edges
/// of right-aligned texts, centre tabs for centred ones. Readers lay such
/// paragraphs out in linear time, and the text stays editable. A text whose
/// stop would not come after the one before it (overlapping boxes, or a
/// text at the paper's left edge) goes into a frame placed on the page
/// instead. Pictures are PNG pictures in frames of their own; lines and
/// boxes become drawing objects anchored to the page's first paragraph.
/// Text from the data is escaped (RtfText); a tab in it becomes a blank.
/// Limits: a line's baseline sits where a reader puts it in a line of exact
/// height, within about a point of the page's; texts of one printed line
/// share one baseline; a picture is stored again on every page showing it.
class RtfPageBody {
public:
    explicit RtfPageBody(RtfStyleTables &tables) : m_tables(tables) {}

    QByteArray of(const Page &page);

private:
    /// One printed line as a paragraph starting at `flowBottom`, which it
    /// moves down; texts that cannot take a tab stop are added to `shapes`.
    QByteArray rowParagraph(const BaselineRows::Row &row, QByteArray &shapes, Twips &flowBottom);
    QByteArray run(const TextItem &text);
    QByteArray textShape(const TextItem &text, Twips leftRoom, Twips rightRoom);
    QByteArray pictureShape(const PictureItem &picture);

    RtfStyleTables &m_tables;
    std::map<qint64, QByteArray> m_pictureHex; ///< PNG encodings by image
};

} // namespace velmora
