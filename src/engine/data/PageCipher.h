#pragma once

#include "engine/data/AccessFileHeader.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>

namespace velmora {

/// What hides the pages after the first of an Access file: the RC4 of
/// "encoded" Jet files, or the Office document encryption Access 2007 and
/// later apply when a database has a password. Page 0 is never hidden.
class PageCipher {
public:
    virtual ~PageCipher() = default;

    /// Reveals page `page` (never 0) in place: `length` bytes at `data`.
    virtual void decrypt(quint32 page, unsigned char *data, qsizetype length) = 0;

    /// The cipher a file needs, once `password` has been checked against
    /// the file (its verifier, or the password its header keeps); null when
    /// the pages are stored plainly. Throws Failure 3005 for a wrong or
    /// missing password, 3007 for an encryption this reader does not know
    /// and 3004 for a damaged encryption header.
    static std::unique_ptr<PageCipher> unlock(const AccessFileHeader &header, const QString &password,
                                              const QString &fileName);

    /// The four bytes Access mixes into the key of page `page`: the database
    /// key XOR the page number, both little-endian.
    static QByteArray pageBlock(quint32 databaseKey, quint32 page);
};

} // namespace velmora
