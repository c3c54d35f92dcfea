#include "engine/writers/TextFrameRoom.h"

#include "engine/writers/BaselineRows.h"

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

std::unordered_map<const TextItem *, TextFrameRoom> TextFrameRoom::of(const Page &page, Twips slack)
{
    std::unordered_map<const TextItem *, TextFrameRoom> rooms;
    for (const BaselineRows::Row &row : BaselineRows::of(page)) {
        // Items of a row come left to right; the gap to each neighbour caps
        // the slack on that side, halved when the neighbour wants it too.
        const auto wantedOf = [&](size_t i) { return wanted(row.items[i]->alignment, slack); };
        for (size_t i = 0; i < row.items.size(); ++i) {
            const QRect &box = row.items[i]->box;
            TextFrameRoom room = wantedOf(i);
            if (i > 0) {
                const Twips gap = box.left() - (row.items[i - 1]->box.right() + 1);
                room.left = std::clamp(wantedOf(i - 1).right > 0 ? gap / 2 : gap, 0, room.left);
            }
            if (i + 1 < row.items.size()) {
                const Twips gap = row.items[i + 1]->box.left() - (box.right() + 1);
                room.right = std::clamp(wantedOf(i + 1).left > 0 ? gap / 2 : gap, 0, room.right);
            }
            rooms.emplace(row.items[i], room);
        }
    }
    return rooms;
}

} // namespace velmora
