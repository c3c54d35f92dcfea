#pragma once

#include "engine/data/Cryptography.h"
#include "engine/data/PageCipher.h"

namespace velmora {

/// Agile encryption (version 4.4): four reserved bytes (0x40), then an XML
/// descriptor. Its password key encryptor holds a salt, a spin count and
/// three values enciphered under keys spun from the password: a verifier
/// input, the hash of that input, and the key the pages are enciphered
/// with. Each page is AES-CBC under that key, with an initialisation vector
/// hashed from the descriptor's key salt and the page block.
namespace AgileEncryption {

constexpr quint32 reservedValue = 0x40;
constexpr quint32 longestSpin = 10000000;

/// The block keys that tell the three password-derived keys apart.
inline const QByteArray verifierInputBlock = QByteArray::fromHex("fea7d2763b4b9e79");
inline const QByteArray verifierHashBlock = QByteArray::fromHex("d7aa0f6d3061344e");
inline const QByteArray keyValueBlock = QByteArray::fromHex("146e0be7abacd0d6");

/// `info` is what follows the version. Throws Failure 3005, 3007 or 3004.
std::unique_ptr<PageCipher> unlock(QByteArrayView info, quint32 databaseKey, const QByteArray &password,
                                   const QString &fileName);

/// The key for one of the blocks above, from the spun password hash.
QByteArray passwordKey(Cryptography::Digest &digest, const QByteArray &spunHash, const QByteArray &block,
                       int keyBytes);

/// The initialisation vector of one page.
QByteArray pageIv(Cryptography::Digest &digest, QByteArrayView keySalt, const QByteArray &pageBlock, int blockSize);

} // namespace AgileEncryption
} // namespace velmora
