#include "engine/writers/SharedStringTable.h"

#include "engine/writers/Biff8Record.h"

#include <QHash>
#include <QtEndian>

namespace velmora {

namespace {

constexpr quint16 sstType = 0x00FC;
constexpr quint16 continueType = 0x003C;
constexpr quint16 extSstType = 0x00FF;

/// Packs records of at most Biff8Record::maxDataSize bytes, starting a
/// CONTINUE record whenever the current one is full.
class RecordPacker {
public:
    RecordPacker(quint32 streamOffset, QByteArray &out) : m_streamOffset(streamOffset), m_out(out)
    {
        m_data.reserve(Biff8Record::maxDataSize);
    }

    int room() const { return Biff8Record::maxDataSize - int(m_data.size()); }
    void append(const QByteArray &bytes) { m_data.append(bytes); }
    void appendU16(quint16 value)
    {
        char bytes[2];
        qToLittleEndian(value, bytes);
        m_data.append(bytes, 2);
    }
    void appendU32(quint32 value)
    {
        char bytes[4];
        qToLittleEndian(value, bytes);
        m_data.append(bytes, 4);
    }
    /// Absolute stream position of the next byte, and its offset within
    /// the current record counted from the record's header.
    quint32 position() const { return m_streamOffset + quint32(m_out.size() + 4 + m_data.size()); }
    quint16 offsetInRecord() const { return quint16(4 + m_data.size()); }

    void startContinue()
    {
        flush();
        m_type = continueType;
    }
    void flush()
    {
        char header[4];
        qToLittleEndian(m_type, header);
        qToLittleEndian(quint16(m_data.size()), header + 2);
        m_out.append(header, 4);
        m_out.append(m_data);
        m_data.clear();
    }

private:
    quint32 m_streamOffset;
    QByteArray &m_out;
    QByteArray m_data;
    quint16 m_type = sstType;
};

struct BucketStart {
    quint32 position;
    quint16 offsetInRecord;
};

void packString(RecordPacker &packer, QStringView text)
{
    const bool compressed = Biff8Record::compressible(text);
    const int characterSize = compressed ? 1 : 2;
    qsizetype done = 0;
    while (done < text.size()) {
        const qsizetype fit = std::min<qsizetype>(text.size() - done, packer.room() / characterSize);
        if (fit == 0) {
            packer.startContinue();
            packer.append(QByteArray(1, compressed ? '\0' : '\1'));
            continue;
        }
        packer.append(Biff8Record::characters(text.mid(done, fit), compressed));
        done += fit;
        if (done < text.size()) {
            packer.startContinue();
            packer.append(QByteArray(1, compressed ? '\0' : '\1'));
        }
    }
}

} // namespace

QStringView SharedStringTable::at(quint32 index) const
{
    return QStringView(m_characters.data() + m_starts[index], qsizetype(m_lengths[index]));
}

quint32 SharedStringTable::indexOf(const QString &text)
{
    ++m_references;
    const QStringView limited = QStringView(text).left(maxCharacters);
    const size_t hash = qHash(limited);
    const auto [first, last] = m_byHash.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        if (at(it->second) == limited)
            return it->second;
    }
    const auto index = quint32(m_starts.size());
    m_starts.push_back(quint32(m_characters.size()));
    m_lengths.push_back(quint32(limited.size()));
    m_characters.insert(m_characters.end(), limited.utf16(), limited.utf16() + limited.size());
    m_byHash.emplace(hash, index);
    return index;
}

QByteArray SharedStringTable::records(quint32 streamOffset) const
{
    QByteArray out;
    RecordPacker packer(streamOffset, out);
    packer.appendU32(m_references);
    packer.appendU32(uniqueCount());

    const quint32 bucketSize = std::max<quint32>(8, (uniqueCount() + 127) / 128);
    std::vector<BucketStart> buckets;
    for (quint32 index = 0; index < uniqueCount(); ++index) {
        const QStringView text = at(index);
        const int firstCharacterSize = Biff8Record::compressible(text) ? 1 : 2;
        // The count and flags may not be split from the first character.
        if (packer.room() < 3 + firstCharacterSize)
            packer.startContinue();
        if (index % bucketSize == 0)
            buckets.push_back(BucketStart{packer.position(), packer.offsetInRecord()});
        packer.appendU16(quint16(text.size()));
        packer.append(QByteArray(1, Biff8Record::compressible(text) ? '\0' : '\1'));
        packString(packer, text);
    }
    packer.flush();

    Biff8Record extSst(extSstType);
    extSst.u16(quint16(bucketSize));
    for (const BucketStart &bucket : buckets)
        extSst.u32(bucket.position).u16(bucket.offsetInRecord).u16(0);
    out.append(extSst.bytes());
    return out;
}

} // namespace velmora
