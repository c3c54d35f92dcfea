#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <vector>

namespace velmora {

/// Puts tables together into a TrueType font file: the table directory
/// sorted by tag with its binary-search fields, every table on a four-byte
/// boundary and padded with zeros, table checksums, and the whole-file
/// checksum adjustment in 'head'.
class TrueTypeFileWriter {
public:
    void addTable(quint32 tag, QByteArray data);
    QByteArray write() const;

    static void putU16(QByteArray &data, qsizetype offset, quint16 value);
    static void putU32(QByteArray &data, qsizetype offset, quint32 value);

private:
    struct Table {
        quint32 tag;
        QByteArray data;
    };
    std::vector<Table> m_tables;
};

} // namespace velmora
