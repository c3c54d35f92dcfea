#include "engine/data/JetRc4PageCipher.h"

#include "engine/data/Cryptography.h"

namespace velmora {

void JetRc4PageCipher::decrypt(quint32 page, unsigned char *data, qsizetype length)
{
    Cryptography::Rc4(pageBlock(m_databaseKey, page)).apply(data, length);
}

} // namespace velmora
