#pragma once

#include "engine/page/Page.h"
#include "engine/writers/BaselineRows.h"

namespace velmora {

/// How far a text's frame (a text box placed on the page) may reach beyond
/// its box on either side. A reader
/// whose widths differ by a hair from the layout's would wrap or cut a line
/// measured to fit, so a frame gets some slack on the side its text grows
/// towards (left of right-aligned text, both sides of centred text, right of
/// the rest); but never over the text next to it on the same printed line,
/// since a reader paints a frame over whatever it covers. Two texts that
/// both want a gap share it.
struct TextFrameRoom {
    Twips left = 0;
    Twips right = 0;

    /// The room of text `index` of a printed line, wanting `slack` twips.
    static TextFrameRoom within(const BaselineRows::Row &row, size_t index, Twips slack);
};

} // namespace velmora
