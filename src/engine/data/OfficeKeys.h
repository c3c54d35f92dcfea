#pragma once

#include "engine/data/Cryptography.h"

#include <QByteArray>
#include <QString>

namespace velmora::OfficeKeys {

/// The password as Office encryption hashes it: UTF-16LE, at most 255
/// characters.
QByteArray passwordBytes(const QString &password);

/// H(salt + password), then `spins` rounds of H(round number as four
/// little-endian bytes + previous hash).
QByteArray spunHash(Cryptography::Digest &digest, QByteArrayView salt, QByteArrayView password, quint32 spins);

/// `bytes` cut to `length`, or padded to it with `pad`.
QByteArray fitted(QByteArray bytes, qsizetype length, char pad);

} // namespace velmora::OfficeKeys
