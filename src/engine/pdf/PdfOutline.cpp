#include "engine/pdf/PdfOutline.h"

#include "engine/pdf/PdfObjectWriter.h"
#include "engine/pdf/PdfSyntax.h"

namespace velmora::pdf {

namespace {

struct Item {
    const ContentsEntry *entry = nullptr;
    int object = 0;
    int parent = -1; ///< index of the parent item; -1: the root
    int level = 0;
    std::vector<int> children;
};

/// The items as a tree: `items[0]` is the root, children in report order.
std::vector<Item> buildTree(PdfObjectWriter &writer, const std::vector<ContentsEntry> &contents, size_t pageCount)
{
    std::vector<Item> items(1);
    items[0].object = writer.reserve();
    std::vector<int> open{0}; // the chain of items an entry may hang under
    for (const ContentsEntry &entry : contents) {
        if (entry.pageIndex < 0 || size_t(entry.pageIndex) >= pageCount)
            continue;
        while (open.size() > 1 && items[size_t(open.back())].level >= entry.level)
            open.pop_back();
        Item item;
        item.entry = &entry;
        item.object = writer.reserve();
        item.parent = open.back();
        item.level = entry.level;
        const int index = int(items.size());
        items[size_t(item.parent)].children.push_back(index);
        items.push_back(std::move(item));
        open.push_back(index);
    }
    return items;
}

void appendEntry(QByteArray &out, const char *key, int object)
{
    out.append(key);
    appendReference(out, object);
}

QByteArray itemDictionary(const std::vector<Item> &items, const Item &item, size_t position,
                          const std::vector<PageTarget> &pages)
{
    const std::vector<int> &siblings = items[size_t(item.parent)].children;
    QByteArray out("<< /Title ");
    out.append(textString(item.entry->title));
    appendEntry(out, " /Parent ", items[size_t(item.parent)].object);
    if (position > 0)
        appendEntry(out, " /Prev ", items[size_t(siblings[position - 1])].object);
    if (position + 1 < siblings.size())
        appendEntry(out, " /Next ", items[size_t(siblings[position + 1])].object);
    if (!item.children.empty()) {
        appendEntry(out, " /First ", items[size_t(item.children.front())].object);
        appendEntry(out, " /Last ", items[size_t(item.children.back())].object);
        out.append(" /Count -"); // closed, with this many children
        appendInteger(out, qint64(item.children.size()));
    }
    const PageTarget &page = pages[size_t(item.entry->pageIndex)];
    appendEntry(out, " /Dest [", page.objectNumber);
    out.append(" /XYZ 0 ");
    appendNumber(out, (page.height - item.entry->y) / twipsPerPoint);
    out.append(" null] >>");
    return out;
}

} // namespace

int PdfOutline::write(PdfObjectWriter &writer, const std::vector<ContentsEntry> &contents,
                      const std::vector<PageTarget> &pages)
{
    const bool anyTarget = std::any_of(contents.begin(), contents.end(), [&](const ContentsEntry &entry) {
        return entry.pageIndex >= 0 && size_t(entry.pageIndex) < pages.size();
    });
    if (!anyTarget)
        return 0;
    const std::vector<Item> items = buildTree(writer, contents, pages.size());
    const Item &root = items[0];
    QByteArray rootDictionary("<< /Type /Outlines");
    appendEntry(rootDictionary, " /First ", items[size_t(root.children.front())].object);
    appendEntry(rootDictionary, " /Last ", items[size_t(root.children.back())].object);
    rootDictionary.append(" /Count ");
    appendInteger(rootDictionary, qint64(root.children.size()));
    rootDictionary.append(" >>");
    writer.writeObject(root.object, rootDictionary);
    for (const Item &parent : items)
        for (size_t position = 0; position < parent.children.size(); ++position) {
            const Item &item = items[size_t(parent.children[position])];
            writer.writeObject(item.object, itemDictionary(items, item, position, pages));
        }
    return root.object;
}

} // namespace velmora::pdf
