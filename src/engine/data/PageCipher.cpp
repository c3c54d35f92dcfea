#include "engine/data/PageCipher.h"

#include "engine/data/DatabasePassword.h"
#include "engine/data/JetRc4PageCipher.h"
#include "engine/data/OfficeEncryption.h"

#include <QtEndian>

namespace velmora {

std::unique_ptr<PageCipher> PageCipher::unlock(const AccessFileHeader &header, const QString &password,
                                               const QString &fileName)
{
    // An .accdb with a database key is encrypted as a whole under the
    // password, and what its header keeps at the password's place is not
    // the password; older formats only scramble their pages.
    if (header.format() == AccessFormat::Ace && header.databaseKey() != 0)
        return OfficeEncryption::unlock(header, password, fileName);
    DatabasePassword::verify(header, password, fileName);
    if (header.databaseKey() == 0)
        return nullptr;
    return std::make_unique<JetRc4PageCipher>(header.databaseKey());
}

QByteArray PageCipher::pageBlock(quint32 databaseKey, quint32 page)
{
    QByteArray block(4, Qt::Uninitialized);
    qToLittleEndian<quint32>(databaseKey ^ page, block.data());
    return block;
}

} // namespace velmora
