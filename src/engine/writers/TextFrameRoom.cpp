#include "engine/writers/TextFrameRoom.h"

#include <algorithm>

namespace velmora {

namespace {

TextFrameRoom wanted(HorizontalAlignment alignment, Twips slack)
{
    switch (alignment) {
    case HorizontalAlignment::Right:
        return {slack, 0};
    case HorizontalAlignment::Center:
        return {slack / 2, slack / 2};
    case HorizontalAlignment::Left:
    case HorizontalAlignment::Justify:
        break;
    }
    return {0, slack};
}

} // namespace

TextFrameRoom TextFrameRoom::within(const BaselineRows::Row &row, size_t index, Twips slack)
{
    // Items of a row come left to right; the gap to each neighbour caps the
    // slack on that side, halved when the neighbour wants it too.
    const auto wantedOf = [&](size_t i) { return wanted(row.items[i]->alignment, slack); };
    const QRect &box = row.items[index]->box;
    TextFrameRoom room = wantedOf(index);
    if (index > 0) {
        const Twips gap = box.left() - (row.items[index - 1]->box.right() + 1);
        room.left = std::clamp(wantedOf(index - 1).right > 0 ? gap / 2 : gap, 0, room.left);
    }
    if (index + 1 < row.items.size()) {
        const Twips gap = row.items[index + 1]->box.left() - (box.right() + 1);
        room.right = std::clamp(wantedOf(index + 1).left > 0 ? gap / 2 : gap, 0, room.right);
    }
    return room;
}

} // namespace velmora
