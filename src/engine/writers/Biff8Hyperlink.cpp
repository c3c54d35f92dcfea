#include "engine/writers/Biff8Hyperlink.h"

#include "engine/writers/Biff8Record.h"

namespace velmora {

namespace {

constexpr quint16 hlinkType = 0x01B8;
constexpr quint32 hasMoniker = 0x01;
constexpr quint32 isAbsolute = 0x02;
/// The class ids of the standard hyperlink object and of the URL moniker.
constexpr quint8 hyperlinkClass[16] = {0xD0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                                       0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};
constexpr quint8 urlMonikerClass[16] = {0xE0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                                        0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};
/// Room for the fixed fields, so that the record stays whole.
constexpr qsizetype fixedBytes = 8 + 16 + 8 + 16 + 4;

void appendClass(Biff8Record &record, const quint8 (&id)[16])
{
    for (const quint8 byte : id)
        record.u8(byte);
}

} // namespace

QByteArray biff8HyperlinkRecord(quint32 row, quint16 column, const QString &address)
{
    const qsizetype urlBytes = (address.size() + 1) * 2; // UTF-16 with its terminating zero
    if (row > 0xFFFF || address.isEmpty() || fixedBytes + urlBytes > Biff8Record::maxDataSize)
        return {};
    Biff8Record record(hlinkType);
    record.u16(quint16(row)).u16(quint16(row)).u16(column).u16(column);
    appendClass(record, hyperlinkClass);
    record.u32(2).u32(hasMoniker | isAbsolute); // stream version, flags
    appendClass(record, urlMonikerClass);
    record.u32(quint32(urlBytes));
    for (const QChar c : address)
        record.u16(c.unicode());
    record.u16(0);
    return record.bytes();
}

} // namespace velmora
