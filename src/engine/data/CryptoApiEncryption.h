#pragma once

#include "engine/data/PageCipher.h"

namespace velmora {

/// The binary CryptoAPI encryption header (versions 2.2 to 4.2): flags, an
/// EncryptionHeader naming the cipher, hash and key size, and a verifier.
/// Three kinds are read: RC4 (40 to 128-bit keys), standard AES (the AES
/// flag set: 50,000 SHA-1 rounds) and the AES Access writes with Office's
/// compatibility mode off (no AES flag, an AES algorithm, no rounds). Each
/// page's key is derived from the password hash and the page block; AES
/// pages are enciphered block by block (ECB).
namespace CryptoApiEncryption {

constexpr quint32 cryptoApiFlag = 0x04;
constexpr quint32 externalFlag = 0x10;
constexpr quint32 aesFlag = 0x20;
constexpr quint32 rc4Algorithm = 0x6801;
constexpr quint32 aes128Algorithm = 0x660E;
constexpr quint32 aes192Algorithm = 0x660F;
constexpr quint32 aes256Algorithm = 0x6610;
constexpr quint32 sha1Algorithm = 0x8004;

/// `info` is what follows the version. Throws Failure 3005, 3007 or 3004.
std::unique_ptr<PageCipher> unlock(QByteArrayView info, quint32 databaseKey, const QByteArray &password,
                                   const QString &fileName);

} // namespace CryptoApiEncryption
} // namespace velmora
