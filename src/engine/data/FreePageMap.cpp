#include "engine/data/FreePageMap.h"

#include "engine/data/DataPage.h"
#include "engine/data/PageReader.h"

#include <QtEndian>

namespace velmora {

namespace {

constexpr quint32 mapPage = 1;

// `bitmap` covers the pages from `firstPage`; a clear bit is a page in use.
void checkRange(const unsigned char *bitmap, qsizetype bytes, quint64 firstPage, const PageReader &pages)
{
    for (quint64 page = qMax<quint64>(firstPage, pages.pageCount()); page < firstPage + quint64(bytes) * 8; ++page) {
        const quint64 bit = page - firstPage;
        if (!(bitmap[bit / 8] & (1 << (bit % 8))))
            throw pages.damaged(QStringLiteral("li falten pàgines al final (la pàgina %1 és en ús)").arg(page));
    }
}

} // namespace

void FreePageMap::checkFileIsWhole(PageReader &pages, AccessFormat format)
{
    QByteArray bytes;
    pages.read(mapPage, bytes);
    const DataPage page(bytes, format);
    const auto row = page.row(0);
    if (!page.isData() || !row || row->end - row->start < 5)
        return;
    const unsigned char *map = page.bytes() + row->start;
    const qsizetype length = row->end - row->start;
    if (map[0] == 0) {
        checkRange(map + 5, length - 5, qFromLittleEndian<quint32>(map + 1), pages);
        return;
    }
    if (map[0] != 1)
        return;
    const QByteArray mapCopy(reinterpret_cast<const char *>(map), length);
    const quint64 pagesPerBitmap = quint64(pages.pageSize() - 4) * 8;
    QByteArray bitmapPage;
    for (qsizetype slot = 0; 1 + 4 * slot + 4 <= length; ++slot) {
        const quint32 bitmapPageNumber = qFromLittleEndian<quint32>(mapCopy.constData() + 1 + 4 * slot);
        if (bitmapPageNumber == 0 || quint64(slot + 1) * pagesPerBitmap <= pages.pageCount())
            continue;
        pages.read(bitmapPageNumber, bitmapPage);
        checkRange(reinterpret_cast<const unsigned char *>(bitmapPage.constData()) + 4, bitmapPage.size() - 4,
                   quint64(slot) * pagesPerBitmap, pages);
    }
}

} // namespace velmora
