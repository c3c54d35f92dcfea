#include "engine/data/UsageMap.h"

#include "engine/data/PageReader.h"

#include <QtEndian>

namespace velmora {

namespace {

constexpr unsigned char bitmapPageType = 0x05;

void addBitmapPages(const unsigned char *bitmap, qsizetype bytes, quint64 firstPage,
                    const PageReader &reader, std::vector<quint32> &into)
{
    for (qsizetype byte = 0; byte < bytes; ++byte) {
        if (bitmap[byte] == 0)
            continue;
        for (int bit = 0; bit < 8; ++bit) {
            if (!(bitmap[byte] & (1 << bit)))
                continue;
            const quint64 page = firstPage + quint64(byte) * 8 + quint64(bit);
            if (page > 0xFFFFFFFFull || !reader.contains(quint32(page)))
                throw reader.damaged(QStringLiteral("una taula diu tenir la pàgina %1, fora del fitxer")
                                         .arg(page));
            into.push_back(quint32(page));
        }
    }
}

} // namespace

std::vector<quint32> UsageMap::pages(const QByteArray &map, PageReader &reader)
{
    std::vector<quint32> result;
    const auto *bytes = reinterpret_cast<const unsigned char *>(map.constData());
    if (map.size() >= 5 && bytes[0] == 0) {
        addBitmapPages(bytes + 5, map.size() - 5, qFromLittleEndian<quint32>(bytes + 1), reader, result);
        return result;
    }
    if (map.size() >= 1 && bytes[0] == 1) {
        const quint64 pagesPerBitmap = quint64(reader.pageSize() - 4) * 8;
        QByteArray bitmapPage;
        for (qsizetype slot = 0; 1 + 4 * slot + 4 <= map.size(); ++slot) {
            const quint32 page = qFromLittleEndian<quint32>(bytes + 1 + 4 * slot);
            if (page == 0)
                continue;
            reader.read(page, bitmapPage);
            if (static_cast<unsigned char>(bitmapPage[0]) != bitmapPageType)
                throw reader.damaged(QStringLiteral("la pàgina %1 no és un mapa de pàgines").arg(page));
            addBitmapPages(reinterpret_cast<const unsigned char *>(bitmapPage.constData()) + 4,
                           bitmapPage.size() - 4, quint64(slot) * pagesPerBitmap, reader, result);
        }
        return result;
    }
    for (quint32 page = 1; page < reader.pageCount(); ++page)
        result.push_back(page);
    return result;
}

} // namespace velmora
