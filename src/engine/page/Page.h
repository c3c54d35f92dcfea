#pragma once

#include "engine/core/Value.h"
#include "engine/page/ChartValuesItem.h"
#include "engine/page/PathItem.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <variant>
#include <vector>

namespace velmora {

/// Lengths in the page model are twips (1/1440 inch), measured from the
/// page's top-left corner, like everything in a report definition.
using Twips = int;

constexpr double twipsPerPoint = 20.0;
constexpr double twipsPerInch = 1440.0;

/// A font as a report names it. The family is the report's own name
/// ("Arial"); outputs map it to an installed, metric-compatible face.
struct FontSpec {
    QString family = QStringLiteral("Arial");
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontSpec &) const = default;
};

enum class HorizontalAlignment : quint8 { Left, Center, Right, Justify };

/// One line of text, already broken and placed by the layout: every output
/// draws exactly these lines, so screen, printer and files agree.
/// `box` is the field's rectangle for this line; the text is aligned
/// horizontally inside it and its baseline sits `baseline` twips below the
/// box's top.
struct TextItem {
    QRect box;
    Twips baseline = 0;
    QString text;
    FontSpec font;
    QRgb color = qRgb(0, 0, 0);
    HorizontalAlignment alignment = HorizontalAlignment::Left;
    /// The typed value behind a field (Null for literal text), and its
    /// format in spreadsheet form ("#,##0.00", "dd/mm/yyyy"), so that
    /// writers that keep types (Excel) can write a typed cell.
    Value value;
    QString cellFormat;
    /// An http, https or mailto address the text links to; empty: none.
    QString link;
};

enum class LineStyle : quint8 { Solid, Dash, Dot };

struct LineItem {
    QPoint from;
    QPoint to;
    Twips width = 20; ///< pen width
    QRgb color = qRgb(0, 0, 0);
    LineStyle style = LineStyle::Solid;
};

struct BoxItem {
    QRect rect;
    Twips borderWidth = 20; ///< 0: no border
    QRgb borderColor = qRgb(0, 0, 0);
    bool filled = false;
    QRgb fillColor = qRgb(255, 255, 255);
    LineStyle style = LineStyle::Solid;
};

struct PictureItem {
    QRect rect;
    QImage image; ///< implicitly shared: copying a page copies no pixels
    QString link; ///< as TextItem::link
};

using PageItem = std::variant<TextItem, LineItem, BoxItem, PictureItem, PathItem, ChartValuesItem>;

/// One laid-out page: its paper size and everything on it, in painting order.
struct Page {
    int number = 1; ///< 1-based, as printed
    QSize size{11906, 16838}; ///< A4 portrait in twips
    std::vector<PageItem> items;
};

/// One entry of the report's contents (group tree, PDF outline): a group
/// value at its nesting level and where its header stands.
struct ContentsEntry {
    QString title;
    int level = 0;       ///< 0 for the outermost group
    int pageIndex = 0;   ///< 0-based page of the group's first record
    Twips y = 0;         ///< top of the group header on that page
};

} // namespace velmora
