#include "engine/pdf/TrueTypeFileWriter.h"

#include "engine/pdf/TrueTypeTableDirectory.h"

#include <QtEndian>

#include <algorithm>

namespace velmora {

namespace {

constexpr qsizetype HeaderSize = 12;
constexpr qsizetype RecordSize = 16;
constexpr qsizetype HeadChecksumAdjustment = 8;
constexpr quint32 ChecksumMagic = 0xB1B0AFBA;

void padToFourBytes(QByteArray &data)
{
    data.append((4 - data.size() % 4) % 4, '\0');
}

quint32 checksum(const char *data, qsizetype size)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i + 4 <= size; i += 4)
        sum += qFromBigEndian<quint32>(data + i);
    return sum;
}

int largestPowerOfTwoAtMost(int n)
{
    int power = 1;
    while (power * 2 <= n)
        power *= 2;
    return power;
}

int log2(int powerOfTwo)
{
    int exponent = 0;
    while ((1 << exponent) < powerOfTwo)
        ++exponent;
    return exponent;
}

} // namespace

void TrueTypeFileWriter::addTable(quint32 tag, QByteArray data)
{
    m_tables.push_back({tag, std::move(data)});
}

void TrueTypeFileWriter::putU16(QByteArray &data, qsizetype offset, quint16 value)
{
    qToBigEndian(value, data.data() + offset);
}

void TrueTypeFileWriter::putU32(QByteArray &data, qsizetype offset, quint32 value)
{
    qToBigEndian(value, data.data() + offset);
}

QByteArray TrueTypeFileWriter::write() const
{
    std::vector<const Table *> tables;
    for (const Table &table : m_tables)
        tables.push_back(&table);
    std::sort(tables.begin(), tables.end(), [](const Table *a, const Table *b) { return a->tag < b->tag; });

    const int count = int(tables.size());
    const int power = largestPowerOfTwoAtMost(count);
    QByteArray file(HeaderSize + RecordSize * count, '\0');
    putU32(file, 0, 0x00010000);
    putU16(file, 4, quint16(count));
    putU16(file, 6, quint16(power * RecordSize));
    putU16(file, 8, quint16(log2(power)));
    putU16(file, 10, quint16((count - power) * RecordSize));

    qsizetype headOffset = -1;
    for (int i = 0; i < count; ++i) {
        QByteArray data = tables[i]->data;
        const qsizetype length = data.size();
        if (tables[i]->tag == trueTypeTag("head")) {
            putU32(data, HeadChecksumAdjustment, 0);
            headOffset = file.size();
        }
        padToFourBytes(data);
        const qsizetype record = HeaderSize + RecordSize * i;
        putU32(file, record, tables[i]->tag);
        putU32(file, record + 4, checksum(data.constData(), data.size()));
        putU32(file, record + 8, quint32(file.size()));
        putU32(file, record + 12, quint32(length));
        file.append(data);
    }
    if (headOffset >= 0)
        putU32(file, headOffset + HeadChecksumAdjustment, ChecksumMagic - checksum(file.constData(), file.size()));
    return file;
}

} // namespace velmora
