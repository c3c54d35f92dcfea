#pragma once

#include "engine/pdf/TrueTypeReader.h"

#include <QtGlobal>

#include <optional>
#include <vector>

namespace velmora {

/// The four-letter tag of a font table as the file stores it.
constexpr quint32 trueTypeTag(const char (&name)[5])
{
    return quint32(quint8(name[0])) << 24 | quint32(quint8(name[1])) << 16
        | quint32(quint8(name[2])) << 8 | quint32(quint8(name[3]));
}

/// The tag as text, for messages ("OS/2", "cvt").
QString trueTypeTagName(quint32 tag);

/// Where each table of one face lies in the file: the offset table of a
/// single font, or the one a collection header ('ttcf') points to for the
/// face asked for. Every table must lie wholly inside the file, and is
/// handed out as a reader of that table alone.
class TrueTypeTableDirectory {
public:
    TrueTypeTableDirectory(const TrueTypeReader &reader, int faceIndex);

    /// The table, if the face has it with at least `minimumSize` bytes.
    std::optional<TrueTypeReader> find(quint32 tag, qint64 minimumSize = 0) const;
    /// The table, or the font's failure saying it is missing or too short.
    TrueTypeReader require(quint32 tag, qint64 minimumSize = 0) const;

private:
    struct Table {
        quint32 tag = 0;
        qint64 offset = 0;
        qint64 length = 0;
    };

    qint64 faceOffset(int faceIndex) const;
    void readTables(qint64 offset);
    const Table *record(quint32 tag) const;

    TrueTypeReader m_reader;
    std::vector<Table> m_tables;
};

} // namespace velmora
