#pragma once

#include <QString>

namespace velmora::bench {

/// Writes an encrypted copy of a plain Access file with 4 KB pages, as
/// Access 2010 and later encrypt a database given a password: agile
/// encryption, AES-256-CBC pages, SHA-512 with 100,000 spins.
///
/// Jet 4 has no place for such encryption (it knows only the RC4 page
/// encoding, which needs no password), so a Jet 4 source is relabelled as
/// ACE (version byte 0x03): the two share the page layout, and only ACE
/// files are read as Office-encrypted. The encryption header goes where
/// Access puts it, at 0x299 of page 0, which must be unused.
///
/// For benchmarks only; the real fixtures, not this copy, prove that the
/// reader decrypts what Access writes. Throws Failure on any problem.
void writeAgileEncryptedCopy(const QString &source, const QString &target, const QString &password);

} // namespace velmora::bench
