#include "engine/data/OfficeKeys.h"

#include <QtEndian>

namespace velmora::OfficeKeys {

QByteArray passwordBytes(const QString &password)
{
    constexpr qsizetype longestPassword = 255;
    const QString used = password.left(longestPassword);
    QByteArray bytes(used.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < used.size(); ++i)
        qToLittleEndian<quint16>(used[i].unicode(), bytes.data() + 2 * i);
    return bytes;
}

QByteArray spunHash(Cryptography::Digest &digest, QByteArrayView salt, QByteArrayView password, quint32 spins)
{
    // One buffer holds the round number and the hash it is followed by;
    // each round's hash is written over the previous one.
    const int size = digest.size();
    QByteArray link(4 + size, Qt::Uninitialized);
    digest.write({salt, password}, link.data() + 4);
    for (quint32 i = 0; i < spins; ++i) {
        qToLittleEndian<quint32>(i, link.data());
        digest.write({link}, link.data() + 4);
    }
    return link.sliced(4);
}

QByteArray fitted(QByteArray bytes, qsizetype length, char pad)
{
    if (bytes.size() > length)
        bytes.truncate(length);
    else
        bytes.append(length - bytes.size(), pad);
    return bytes;
}

} // namespace velmora::OfficeKeys
