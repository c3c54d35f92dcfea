#include "engine/data/Rc4.h"

#include <utility>

namespace velmora {

Rc4::Rc4(const QByteArray &key)
{
    for (int i = 0; i < 256; ++i)
        m_state[i] = static_cast<unsigned char>(i);
    if (key.isEmpty())
        return;
    unsigned char j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<unsigned char>(j + m_state[i] + static_cast<unsigned char>(key[i % key.size()]));
        std::swap(m_state[i], m_state[j]);
    }
}

void Rc4::apply(unsigned char *data, qsizetype length)
{
    for (qsizetype n = 0; n < length; ++n) {
        m_i = static_cast<unsigned char>(m_i + 1);
        m_j = static_cast<unsigned char>(m_j + m_state[m_i]);
        std::swap(m_state[m_i], m_state[m_j]);
        data[n] ^= m_state[static_cast<unsigned char>(m_state[m_i] + m_state[m_j])];
    }
}

} // namespace velmora
