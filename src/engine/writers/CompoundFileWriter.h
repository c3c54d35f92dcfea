#pragma once

#include <QByteArrayView>
#include <QString>

namespace velmora {

class AtomicFileWriter;

/// Writes an OLE2 compound file (version 3, 512-byte sectors) holding one
/// stream, as Excel 97 expects a workbook: the header first, then the
/// stream's bytes as they are appended, then the directory, the FAT and,
/// for streams over about 7 MB, the DIFAT sectors that list FAT sectors
/// beyond the header's 109. The stream's size must be known in advance and
/// be at least 4096 bytes (pad it), so that no mini stream is needed.
/// Limits: one stream only, no mini stream, no timestamps, at most 2 GB.
class CompoundFileWriter {
public:
    static constexpr quint32 sectorSize = 512;
    static constexpr quint32 minimumStreamSize = 4096;

    /// Writes the header. Throws Failure if the size is out of range.
    CompoundFileWriter(AtomicFileWriter &file, const QString &streamName, quint32 streamSize);

    void append(QByteArrayView bytes);
    /// Writes everything after the stream; throws Failure if the bytes
    /// appended do not add up to the announced size.
    void finish();

private:
    struct Layout {
        quint32 streamSectors = 0;
        quint32 fatSectors = 0;
        quint32 difatSectors = 0;
        quint32 directorySector() const { return streamSectors; }
        quint32 firstFatSector() const { return streamSectors + 1; }
        quint32 firstDifatSector() const { return firstFatSector() + fatSectors; }
        quint32 totalSectors() const { return firstDifatSector() + difatSectors; }
    };
    static Layout layoutFor(quint32 streamSize);

    QByteArray header() const;
    QByteArray directory() const;
    QByteArray fat() const;
    QByteArray difat() const;

    AtomicFileWriter &m_file;
    QString m_streamName;
    quint32 m_streamSize;
    quint32 m_appended = 0;
    Layout m_layout;
};

} // namespace velmora
