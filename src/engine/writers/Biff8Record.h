#pragma once

#include <QByteArray>
#include <QString>

namespace velmora {

/// One BIFF8 record being built: its type, then little-endian fields.
/// Strings are written as Excel's Unicode strings, compressed to one byte a
/// character when every character allows it. Limit: the data of one record
/// must stay within 8224 bytes (longer content goes into CONTINUE records,
/// which SharedStringTable handles for the one table that needs them).
class Biff8Record {
public:
    static constexpr int maxDataSize = 8224;

    explicit Biff8Record(quint16 type) : m_type(type) {}

    Biff8Record &u8(quint8 value);
    Biff8Record &u16(quint16 value);
    Biff8Record &u32(quint32 value);
    Biff8Record &f64(double value);
    /// A string with a 16-bit character count (FORMAT records).
    Biff8Record &string16(const QString &text);
    /// A string with an 8-bit character count (fonts, sheet names).
    Biff8Record &string8(const QString &text);

    qsizetype dataSize() const { return m_data.size(); }
    /// Header and data, ready for the stream.
    QByteArray bytes() const;

    /// True when every character fits in one byte (Latin-1).
    static bool compressible(QStringView text);
    /// The characters alone, one or two bytes each as `compressible` says.
    static QByteArray characters(QStringView text, bool compressed);

private:
    Biff8Record &stringBody(const QString &text);

    quint16 m_type;
    QByteArray m_data;
};

} // namespace velmora
