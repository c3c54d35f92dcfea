#pragma once

#include <QByteArray>
#include <QStringView>

namespace velmora {

/// The order reports sort text in, as a Catalan reader expects it. Letters
/// compare by their base letter first, ignoring case and accents (à with a,
/// ç with c, ñ with n), and the middle dot of l·l is ignored at that level
/// (col·lecció sorts with colleccio). Where the base letters tie, unaccented
/// comes before accented (and the middle dot counts as an accent), then
/// lower case before upper case, and last the exact characters, so that the
/// order is total: two texts compare equal only when they are identical.
/// Other characters sort by code point on their base letter: spaces and
/// punctuation before digits, digits before letters.
class CatalanCollation {
public:
    /// Negative, zero or positive as `a` sorts before, with or after `b`.
    static int compareText(QStringView a, QStringView b);

    /// Bytes whose plain byte order (memcmp, QByteArray's operator<) is the
    /// order above: sort many texts by building each key once.
    static QByteArray sortKey(QStringView text);
};

} // namespace velmora
