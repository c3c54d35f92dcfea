#pragma once

#include "engine/data/AccessFormat.h"

#include <QByteArray>

namespace velmora {

class PageReader;

/// Reads memo and OLE values. A row holds a 12-byte header for them: the
/// length (30 bits) with two flag bits, and a pointer (page << 8 | row).
/// The value follows the header inline, fills one row of a long-value page,
/// or runs through a chain of such rows, each starting with the pointer to
/// the next. Lengths and chains are checked against the file, so a damaged
/// value is reported instead of read past its end or around a loop.
class LongValueReader {
public:
    LongValueReader(PageReader &pages, AccessFormat format);

    static constexpr int headerSize = 12;

    /// The value whose header is `field` (`length` bytes of the row);
    /// throws Failure 3004 when it is damaged.
    QByteArray read(const unsigned char *field, int length);

private:
    QByteArray readRow(quint32 pointer);

    PageReader &m_pages;
    AccessFormat m_format;
    QByteArray m_page;
};

} // namespace velmora
