#pragma once

#include "engine/data/AccessFileHeader.h"

#include <QString>

namespace velmora {

/// The database password an Access header keeps, and the check Access makes
/// when a file is opened. Jet 3 keeps up to 20 bytes of code-page text at
/// 0x42 of the revealed header; Jet 4 and ACE keep 20 UTF-16 characters
/// there, each byte further XORed with the low four bytes of the whole part
/// of the creation date (a double at 0x72).
class DatabasePassword {
public:
    static constexpr int offset = 0x42;
    static constexpr int creationDateOffset = 0x72;
    static int storedLength(AccessFormat format) { return format == AccessFormat::Jet3 ? 20 : 40; }

    /// The password kept in the header; empty when the file has none.
    static QString storedIn(const AccessFileHeader &header);

    /// Throws Failure 3005 naming `fileName` when the file has a password
    /// and `given` is not exactly it. A file without one accepts any text.
    static void verify(const AccessFileHeader &header, const QString &given, const QString &fileName);

    /// The four bytes Jet 4 XORs over the stored password, from the
    /// creation date of the revealed header.
    static QByteArray jet4Mask(const QByteArray &decodedHeader);
};

} // namespace velmora
