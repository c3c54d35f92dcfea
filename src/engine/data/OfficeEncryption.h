#pragma once

#include "engine/data/PageCipher.h"

namespace velmora {

/// The Office document encryption of an .accdb with a password: its
/// encryption header sits at 0x299 of page 0 (a 16-bit length, then a
/// version and the header the version calls for). Versions 2.2, 3.2 and 4.2
/// are the binary CryptoAPI header (RC4 or AES); 4.4 is the XML descriptor
/// of agile encryption.
namespace OfficeEncryption {

constexpr int headerOffset = 0x299;

/// Checks `password` against the header's verifier and gives the cipher of
/// the pages. Throws Failure 3005, 3007 or 3004 (see PageCipher::unlock).
std::unique_ptr<PageCipher> unlock(const AccessFileHeader &header, const QString &password,
                                   const QString &fileName);

} // namespace OfficeEncryption
} // namespace velmora
