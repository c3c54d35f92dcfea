#pragma once

#include "engine/data/Cryptography.h"

#include <QByteArray>
#include <QString>

namespace velmora {

/// One cipher as the agile XML descriptor names it: for the pages
/// (`keyData`) or for the password key encryptor (`encryptedKey`).
struct AgileCipher {
    Cryptography::Hash hash = Cryptography::Hash::Sha1;
    int keyBytes = 0;
    int blockSize = 0;
    QByteArray salt;
};

/// The XML descriptor of agile encryption, checked: anything this reader
/// cannot use is refused with Failure 3007 naming it, anything malformed
/// with 3004.
struct AgileDescriptor {
    AgileCipher keyData;
    AgileCipher passwordKey;
    quint32 spinCount = 0;
    QByteArray encryptedVerifierHashInput;
    QByteArray encryptedVerifierHashValue;
    QByteArray encryptedKeyValue;

    static AgileDescriptor parse(QByteArrayView xml, const QString &fileName);
};

} // namespace velmora
