#pragma once

#include "engine/data/PageCipher.h"

namespace velmora {

/// The page encoding of Jet 3 and Jet 4 "encoded" databases: every page
/// after the first is RC4 under its page block (database key XOR page).
class JetRc4PageCipher : public PageCipher {
public:
    explicit JetRc4PageCipher(quint32 databaseKey) : m_databaseKey(databaseKey) {}

    void decrypt(quint32 page, unsigned char *data, qsizetype length) override;

private:
    quint32 m_databaseKey;
};

} // namespace velmora
