#pragma once

#include "engine/data/DataErrors.h"

#include <QByteArray>
#include <QtEndian>

namespace velmora {

/// Reads the little-endian fields of an encryption header in order, and
/// refuses (Failure 3004) any field that would lie past its end.
class EncryptionInfoCursor {
public:
    EncryptionInfoCursor(QByteArrayView bytes, const QString &fileName) : m_bytes(bytes), m_fileName(fileName) {}

    quint16 u16() { return qFromLittleEndian<quint16>(take(2).data()); }
    quint32 u32() { return qFromLittleEndian<quint32>(take(4).data()); }
    QByteArrayView take(qsizetype length)
    {
        if (length < 0 || length > remaining())
            throw DataErrors::damagedFile(m_fileName, QStringLiteral("la capçalera de xifratge s'acaba abans d'hora"));
        const QByteArrayView part = m_bytes.sliced(m_position, length);
        m_position += length;
        return part;
    }
    QByteArrayView rest() { return take(remaining()); }
    qsizetype remaining() const { return m_bytes.size() - m_position; }

private:
    QByteArrayView m_bytes;
    qsizetype m_position = 0;
    QString m_fileName;
};

} // namespace velmora
