#include "engine/render/PageTextSearch.h"

#include "engine/render/TextGeometry.h"

namespace velmora {

std::vector<TextMatch> PageTextSearch::find(const Page &page, const QString &needle)
{
    std::vector<TextMatch> matches;
    if (needle.isEmpty())
        return matches;
    for (size_t i = 0; i < page.items.size(); ++i) {
        const auto *text = std::get_if<TextItem>(&page.items[i]);
        if (!text)
            continue;
        qsizetype from = text->text.indexOf(needle, 0, Qt::CaseInsensitive);
        if (from < 0)
            continue;
        const TextGeometry geometry(*text);
        for (; from >= 0; from = text->text.indexOf(needle, from + needle.size(), Qt::CaseInsensitive))
            matches.push_back({int(i), geometry.spanRect(from, needle.size())});
    }
    return matches;
}

} // namespace velmora
