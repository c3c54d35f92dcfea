#pragma once

#include "engine/data/AccessFormat.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace velmora {

/// The first page of an Access file, checked and decoded: which format the
/// file has, its page size and code page, the key that scrambles its pages
/// and the database password it stores. Access hides part of this page with
/// RC4 under a fixed key; `decoded()` has that part undone.
class AccessFileHeader {
public:
    /// Checks that `firstBytes` (at least the first page) and `fileSize`
    /// describe an Access file; throws Failure 3003, 3004 or 3006 naming
    /// `fileName` otherwise.
    static AccessFileHeader parse(const QByteArray &firstBytes, qint64 fileSize,
                                  const QString &fileName);

    /// Offset and length of the part of page 0 that Access hides with RC4.
    static constexpr int hiddenStart = 0x18;
    static int hiddenLength(AccessFormat format);
    /// Hides or reveals (the same operation) that part of a raw first page.
    static void toggleHiddenPart(QByteArray &firstPage, AccessFormat format);

    AccessFormat format() const { return m_format; }
    int pageSize() const { return m_format == AccessFormat::Jet3 ? 2048 : 4096; }
    quint16 codePage() const;
    /// The key whose per-page variants scramble every page after the first;
    /// 0 when the pages are stored plainly.
    quint32 databaseKey() const;
    /// The first page with its hidden part revealed.
    const QByteArray &decoded() const { return m_decoded; }

private:
    AccessFormat m_format = AccessFormat::Jet4;
    QByteArray m_decoded;
};

} // namespace velmora
