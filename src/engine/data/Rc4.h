#pragma once

#include <QByteArray>

#include <array>

namespace velmora {

/// The RC4 stream cipher. Access hides its header fields with it under a
/// fixed key, and "encoded" databases scramble every page with a per-page
/// key; both are undone by XORing with the key stream.
class Rc4 {
public:
    explicit Rc4(const QByteArray &key);

    /// XORs `length` bytes at `data` with the next bytes of the key stream.
    void apply(unsigned char *data, qsizetype length);

private:
    std::array<unsigned char, 256> m_state{};
    unsigned char m_i = 0;
    unsigned char m_j = 0;
};

} // namespace velmora
