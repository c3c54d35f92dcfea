#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <initializer_list>
#include <memory>

namespace velmora {

/// The only part of the program that calls OpenSSL's libcrypto: the hashes
/// and ciphers Access uses to hide its files. Everything here throws Failure
/// 3007 when the installed library cannot give the algorithm asked for.
///
/// RC4 is taken from OpenSSL 3's "legacy" provider, loaded into a library
/// context of our own rather than into the process-wide default one: the
/// low-level RC4 functions are deprecated and may go in a later OpenSSL,
/// and enabling the legacy provider globally would hand obsolete algorithms
/// to every other user of libcrypto in the process (Qt's network code).
namespace Cryptography {

enum class Hash { Sha1, Sha256, Sha384, Sha512 };

/// A hash function kept ready for many short messages (a spun password
/// key is 100,000 hashes).
class Digest {
public:
    explicit Digest(Hash hash);
    ~Digest();
    Digest(const Digest &) = delete;
    Digest &operator=(const Digest &) = delete;

    int size() const;
    /// The hash of the concatenation of `parts`.
    QByteArray of(std::initializer_list<QByteArrayView> parts);
    /// The same, written to `into` (size() bytes), which may overlap the
    /// parts: long chains of hashes need no allocation per link.
    void write(std::initializer_list<QByteArrayView> parts, char *into);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

/// The RC4 stream cipher: each `apply` XORs with the next bytes of the key
/// stream, so applying it twice with the same key restores the text.
class Rc4 {
public:
    explicit Rc4(QByteArrayView key);
    ~Rc4();
    Rc4(Rc4 &&) noexcept;
    Rc4 &operator=(Rc4 &&) noexcept;

    void apply(unsigned char *data, qsizetype length);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

/// AES with a 128, 192 or 256-bit key, without padding: lengths must be
/// whole 16-byte blocks. The key schedule is made once; `apply` takes a
/// fresh initialisation vector each time (ignored in ECB mode).
class Aes {
public:
    enum class Mode { Ecb, Cbc };
    enum class Direction { Decrypt, Encrypt };

    Aes(QByteArrayView key, Mode mode, Direction direction);
    ~Aes();
    Aes(const Aes &) = delete;
    Aes &operator=(const Aes &) = delete;

    static bool supportsKeyLength(qsizetype bytes) { return bytes == 16 || bytes == 24 || bytes == 32; }

    /// Transforms `length` bytes at `data` in place.
    void apply(QByteArrayView iv, unsigned char *data, qsizetype length);
    QByteArray applied(QByteArrayView iv, QByteArray data);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

/// Bytes from the library's cryptographic random generator.
QByteArray randomBytes(int count);

} // namespace Cryptography
} // namespace velmora
