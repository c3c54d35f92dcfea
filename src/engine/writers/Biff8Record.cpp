#include "engine/writers/Biff8Record.h"

#include <QtEndian>

#include <cstring>

namespace velmora {

Biff8Record &Biff8Record::u8(quint8 value)
{
    m_data.append(char(value));
    return *this;
}

Biff8Record &Biff8Record::u16(quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    m_data.append(bytes, 2);
    return *this;
}

Biff8Record &Biff8Record::u32(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    m_data.append(bytes, 4);
    return *this;
}

Biff8Record &Biff8Record::f64(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char bytes[8];
    qToLittleEndian(bits, bytes);
    m_data.append(bytes, 8);
    return *this;
}

bool Biff8Record::compressible(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() > 0xff)
            return false;
    }
    return true;
}

QByteArray Biff8Record::characters(QStringView text, bool compressed)
{
    QByteArray out;
    out.reserve(text.size() * (compressed ? 1 : 2));
    for (QChar c : text) {
        out.append(char(c.unicode() & 0xff));
        if (!compressed)
            out.append(char(c.unicode() >> 8));
    }
    return out;
}

Biff8Record &Biff8Record::stringBody(const QString &text)
{
    const bool compressed = compressible(text);
    u8(compressed ? 0x00 : 0x01);
    m_data.append(characters(text, compressed));
    return *this;
}

Biff8Record &Biff8Record::string16(const QString &text)
{
    const QString limited = text.left(255);
    u16(quint16(limited.size()));
    return stringBody(limited);
}

Biff8Record &Biff8Record::string8(const QString &text)
{
    const QString limited = text.left(255);
    u8(quint8(limited.size()));
    return stringBody(limited);
}

QByteArray Biff8Record::bytes() const
{
    QByteArray out;
    out.reserve(4 + m_data.size());
    char header[4];
    qToLittleEndian(m_type, header);
    qToLittleEndian(quint16(m_data.size()), header + 2);
    out.append(header, 4);
    out.append(m_data);
    return out;
}

} // namespace velmora
