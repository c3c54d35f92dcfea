#include "engine/pdf/TrueTypeReader.h"

#include "engine/core/Failure.h"
#include "engine/writers/ExportErrors.h"

#include <QtEndian>

namespace velmora {

TrueTypeReader::TrueTypeReader(QByteArrayView data, QString fontName)
    : m_data(data), m_fontName(std::move(fontName))
{
}

bool TrueTypeReader::contains(qint64 offset, qint64 length) const
{
    return offset >= 0 && length >= 0 && length <= m_data.size() && offset <= m_data.size() - length;
}

const uchar *TrueTypeReader::at(qint64 offset, qint64 length) const
{
    if (!contains(offset, length))
        fail(QStringLiteral("les dades s'acaben abans d'hora o hi ha una posició fora del fitxer"));
    return reinterpret_cast<const uchar *>(m_data.data()) + offset;
}

quint8 TrueTypeReader::u8(qint64 offset) const
{
    return *at(offset, 1);
}

quint16 TrueTypeReader::u16(qint64 offset) const
{
    return qFromBigEndian<quint16>(at(offset, 2));
}

quint32 TrueTypeReader::u32(qint64 offset) const
{
    return qFromBigEndian<quint32>(at(offset, 4));
}

QByteArrayView TrueTypeReader::bytes(qint64 offset, qint64 length) const
{
    return QByteArrayView(at(offset, length), length);
}

TrueTypeReader TrueTypeReader::slice(qint64 offset, qint64 length) const
{
    return TrueTypeReader(bytes(offset, length), m_fontName);
}

void TrueTypeReader::fail(const QString &reason) const
{
    throw Failure(ExportErrors::FontUnavailable,
                  QStringLiteral("El tipus de lletra «%1» no es pot llegir: %2.").arg(m_fontName, reason));
}

} // namespace velmora
