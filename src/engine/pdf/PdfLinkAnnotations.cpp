#include "engine/pdf/PdfLinkAnnotations.h"

#include "engine/pdf/PdfSyntax.h"

namespace velmora::pdf {

namespace {

struct LinkArea {
    QRect rect;
    QString address;
};

std::vector<LinkArea> linkAreas(const Page &page)
{
    std::vector<LinkArea> areas;
    for (const PageItem &item : page.items) {
        if (const auto *text = std::get_if<TextItem>(&item); text && !text->link.isEmpty())
            areas.push_back({text->box, text->link});
        else if (const auto *picture = std::get_if<PictureItem>(&item); picture && !picture->link.isEmpty())
            areas.push_back({picture->rect, picture->link});
    }
    return areas;
}

QByteArray annotation(const LinkArea &area, Twips paperHeight)
{
    // Twips to hundredths of a point, y measured up from the bottom.
    QByteArray a("<< /Type /Annot /Subtype /Link /Rect [");
    appendHundredths(a, qint64(area.rect.left()) * 5);
    a.append(' ');
    appendHundredths(a, qint64(paperHeight - area.rect.top() - area.rect.height()) * 5);
    a.append(' ');
    appendHundredths(a, qint64(area.rect.left() + area.rect.width()) * 5);
    a.append(' ');
    appendHundredths(a, qint64(paperHeight - area.rect.top()) * 5);
    // The address is already percent-encoded, so plain ASCII; a hex string
    // needs no escaping whatever it holds.
    a.append("] /Border [0 0 0] /A << /S /URI /URI <");
    a.append(area.address.toLatin1().toHex());
    a.append("> >> >>");
    return a;
}

} // namespace

QByteArray writeLinkAnnotations(PdfObjectWriter &writer, const Page &page, Twips paperHeight)
{
    const std::vector<LinkArea> areas = linkAreas(page);
    if (areas.empty())
        return {};
    QByteArray entry(" /Annots [");
    for (const LinkArea &area : areas) {
        const int object = writer.reserve();
        writer.writeObject(object, annotation(area, paperHeight));
        appendReference(entry, object);
        entry.append(' ');
    }
    entry.append(']');
    return entry;
}

} // namespace velmora::pdf
