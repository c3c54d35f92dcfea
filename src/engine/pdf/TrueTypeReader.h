#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace velmora {

/// Big-endian reads from the bytes of a font file, every one checked
/// against the end of the data. A read outside it, or any other damage a
/// caller finds, raises the font's Failure (ExportErrors::FontUnavailable)
/// naming the file.
class TrueTypeReader {
public:
    TrueTypeReader(QByteArrayView data, QString fontName);

    qsizetype size() const { return m_data.size(); }
    quint8 u8(qint64 offset) const;
    quint16 u16(qint64 offset) const;
    qint16 i16(qint64 offset) const { return qint16(u16(offset)); }
    quint32 u32(qint64 offset) const;
    qint32 i32(qint64 offset) const { return qint32(u32(offset)); }
    /// The `length` bytes at `offset`, which must lie inside the data.
    QByteArrayView bytes(qint64 offset, qint64 length) const;
    /// A reader of the `length` bytes at `offset` alone, failing the same way.
    TrueTypeReader slice(qint64 offset, qint64 length) const;
    /// Whether `length` bytes at `offset` lie inside the data.
    bool contains(qint64 offset, qint64 length) const;

    /// Raises the font's failure with `reason` (a Catalan phrase).
    [[noreturn]] void fail(const QString &reason) const;

private:
    const uchar *at(qint64 offset, qint64 length) const;

    QByteArrayView m_data;
    QString m_fontName;
};

} // namespace velmora
