#include "engine/data/DatabasePassword.h"

#include "engine/core/Failure.h"
#include "engine/data/DataErrors.h"
#include "engine/data/TextDecoder.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace velmora {

QByteArray DatabasePassword::jet4Mask(const QByteArray &decodedHeader)
{
    double creationDate = 0;
    std::memcpy(&creationDate, decodedHeader.constData() + creationDateOffset, sizeof creationDate);
    qint32 whole = 0;
    if (std::isfinite(creationDate) && std::fabs(creationDate) < 2147483647.0)
        whole = static_cast<qint32>(creationDate);
    QByteArray mask(4, Qt::Uninitialized);
    qToLittleEndian(whole, mask.data());
    return mask;
}

QString DatabasePassword::storedIn(const AccessFileHeader &header)
{
    const QByteArray &page = header.decoded();
    QByteArray stored = page.mid(offset, storedLength(header.format()));
    if (header.format() == AccessFormat::Jet3) {
        const qsizetype end = stored.indexOf('\0');
        stored.truncate(end < 0 ? stored.size() : end);
        TextDecoder decoder(AccessFormat::Jet3, header.codePage());
        return decoder.decode(reinterpret_cast<const unsigned char *>(stored.constData()), stored.size());
    }
    const QByteArray mask = jet4Mask(page);
    for (qsizetype i = 0; i < stored.size(); ++i)
        stored[i] = char(stored[i] ^ mask[i % 4]);
    qsizetype length = 0;
    while (length + 1 < stored.size() && (stored[length] != 0 || stored[length + 1] != 0))
        length += 2;
    TextDecoder decoder(header.format(), header.codePage());
    return decoder.decode(reinterpret_cast<const unsigned char *>(stored.constData()), length);
}

void DatabasePassword::verify(const AccessFileHeader &header, const QString &given,
                              const QString &fileName)
{
    const QString stored = storedIn(header);
    if (stored.isEmpty() || stored == given)
        return;
    throw DataErrors::wrongPassword(fileName);
}

} // namespace velmora
