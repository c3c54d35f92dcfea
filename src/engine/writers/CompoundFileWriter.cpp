#include "engine/writers/CompoundFileWriter.h"

#include "engine/core/Failure.h"
#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/ExportErrors.h"

#include <QtEndian>

#include <algorithm>

namespace velmora {

namespace {

constexpr quint32 freeSector = 0xFFFFFFFF;
constexpr quint32 endOfChain = 0xFFFFFFFE;
constexpr quint32 fatSectorMark = 0xFFFFFFFD;
constexpr quint32 difatSectorMark = 0xFFFFFFFC;
constexpr quint32 noStream = 0xFFFFFFFF;
constexpr quint32 idsPerSector = CompoundFileWriter::sectorSize / 4;
constexpr quint32 idsInHeader = 109;
constexpr quint32 maximumStreamSize = 0x7FFFFFFF;

void put16(QByteArray &bytes, int offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void put32(QByteArray &bytes, int offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

quint32 sectorsFor(quint64 count, quint64 perSector)
{
    return quint32((count + perSector - 1) / perSector);
}

QByteArray directoryEntry(const QString &name, quint8 type, quint32 child, quint32 start, quint32 size)
{
    QByteArray entry(128, '\0');
    const QString limited = name.left(31);
    for (int i = 0; i < limited.size(); ++i)
        put16(entry, i * 2, limited.at(i).unicode());
    put16(entry, 64, quint16(name.isEmpty() ? 0 : (limited.size() + 1) * 2));
    entry[66] = char(type);
    entry[67] = char(1); // black: a one-entry tree is trivially balanced
    put32(entry, 68, noStream);
    put32(entry, 72, noStream);
    put32(entry, 76, child);
    put32(entry, 116, start);
    put32(entry, 120, size);
    return entry;
}

} // namespace

CompoundFileWriter::Layout CompoundFileWriter::layoutFor(quint32 streamSize)
{
    Layout layout;
    layout.streamSectors = sectorsFor(streamSize, sectorSize);
    layout.fatSectors = 1;
    // The FAT must also describe its own sectors and the DIFAT's, so its
    // size is found by growing until it covers everything.
    for (;;) {
        const quint32 fat = sectorsFor(layout.totalSectors(), idsPerSector);
        const quint32 difat = fat > idsInHeader ? sectorsFor(fat - idsInHeader, idsPerSector - 1) : 0;
        if (fat == layout.fatSectors && difat == layout.difatSectors)
            return layout;
        layout.fatSectors = fat;
        layout.difatSectors = difat;
    }
}

CompoundFileWriter::CompoundFileWriter(AtomicFileWriter &file, const QString &streamName,
                                       quint32 streamSize)
    : m_file(file), m_streamName(streamName), m_streamSize(streamSize)
{
    if (streamSize < minimumStreamSize || streamSize > maximumStreamSize)
        throw Failure(ExportErrors::WorkbookTooLarge,
                      QStringLiteral("El llibre d'Excel «%1» tindria %2 bytes, fora del que admet el "
                                     "format (fins a 2 GB).")
                          .arg(file.displayName())
                          .arg(streamSize));
    m_layout = layoutFor(streamSize);
    m_file.write(header());
}

QByteArray CompoundFileWriter::header() const
{
    QByteArray bytes(int(sectorSize), '\0');
    static constexpr char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    std::copy(signature, signature + 8, bytes.begin());
    put16(bytes, 24, 0x003E);
    put16(bytes, 26, 0x0003);
    put16(bytes, 28, 0xFFFE);
    put16(bytes, 30, 9);
    put16(bytes, 32, 6);
    put32(bytes, 44, m_layout.fatSectors);
    put32(bytes, 48, m_layout.directorySector());
    put32(bytes, 56, minimumStreamSize);
    put32(bytes, 60, endOfChain);
    put32(bytes, 68, m_layout.difatSectors > 0 ? m_layout.firstDifatSector() : endOfChain);
    put32(bytes, 72, m_layout.difatSectors);
    for (quint32 i = 0; i < idsInHeader; ++i)
        put32(bytes, int(76 + i * 4), i < m_layout.fatSectors ? m_layout.firstFatSector() + i : freeSector);
    return bytes;
}

void CompoundFileWriter::append(QByteArrayView bytes)
{
    m_appended += quint32(bytes.size());
    m_file.write(bytes);
}

void CompoundFileWriter::finish()
{
    if (m_appended != m_streamSize)
        throw Failure(ExportErrors::SpoolFailed,
                      QStringLiteral("El llibre d'Excel «%1» no s'ha pogut completar: s'esperaven %2 "
                                     "bytes i se n'han escrit %3.")
                          .arg(m_file.displayName())
                          .arg(m_streamSize)
                          .arg(m_appended));
    const quint32 padding = m_layout.streamSectors * sectorSize - m_streamSize;
    m_file.write(QByteArray(int(padding), '\0'));
    m_file.write(directory());
    m_file.write(fat());
    m_file.write(difat());
}

QByteArray CompoundFileWriter::directory() const
{
    QByteArray sector;
    sector += directoryEntry(QStringLiteral("Root Entry"), 5, 1, endOfChain, 0);
    sector += directoryEntry(m_streamName, 2, noStream, 0, m_streamSize);
    sector += directoryEntry(QString(), 0, noStream, 0, 0);
    sector += directoryEntry(QString(), 0, noStream, 0, 0);
    return sector;
}

QByteArray CompoundFileWriter::fat() const
{
    QByteArray bytes(int(m_layout.fatSectors * sectorSize), '\xFF');
    quint32 sector = 0;
    for (; sector + 1 < m_layout.streamSectors; ++sector)
        put32(bytes, int(sector * 4), sector + 1);
    put32(bytes, int(sector++ * 4), endOfChain);
    put32(bytes, int(sector++ * 4), endOfChain); // the directory's one sector
    for (quint32 i = 0; i < m_layout.fatSectors; ++i)
        put32(bytes, int(sector++ * 4), fatSectorMark);
    for (quint32 i = 0; i < m_layout.difatSectors; ++i)
        put32(bytes, int(sector++ * 4), difatSectorMark);
    return bytes;
}

QByteArray CompoundFileWriter::difat() const
{
    QByteArray bytes(int(m_layout.difatSectors * sectorSize), '\xFF');
    quint32 fatSector = idsInHeader;
    for (quint32 d = 0; d < m_layout.difatSectors; ++d) {
        const int base = int(d * sectorSize);
        for (quint32 slot = 0; slot < idsPerSector - 1 && fatSector < m_layout.fatSectors; ++slot)
            put32(bytes, base + int(slot * 4), m_layout.firstFatSector() + fatSector++);
        const bool last = d + 1 == m_layout.difatSectors;
        put32(bytes, base + int((idsPerSector - 1) * 4), last ? endOfChain : m_layout.firstDifatSector() + d + 1);
    }
    return bytes;
}

} // namespace velmora
