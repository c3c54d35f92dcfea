#pragma once

#include "engine/data/RowCracker.h"
#include "engine/data/TypedColumn.h"

namespace velmora {

class LongValueReader;
class TextDecoder;

/// Turns the stored bytes of one field into a typed value appended to its
/// column, decoding each Access type exactly rather than through text:
/// Currency as int64 ten-thousandths, Decimal from its 128-bit integer,
/// Single to the shortest double that prints back as the same float, dates
/// from Access's day count, GUIDs in braces, text in both stored forms.
class FieldDecoder {
public:
    FieldDecoder(TextDecoder &text, LongValueReader &longValues);

    /// `row` is the start of the stored row the slice refers to.
    void append(TypedColumn &into, const StoredColumn &column, const unsigned char *row,
                const FieldSlice &slice);

    static double singleToDouble(float value);
    static QString guidText(const unsigned char *bytes);
    /// The value of a 17-byte Decimal: Currency units when the column is
    /// Currency, otherwise nullopt (see `decimalToDouble`).
    static std::optional<qint64> decimalToCurrencyUnits(const unsigned char *bytes, int scale);
    static double decimalToDouble(const unsigned char *bytes, int scale);

private:
    void appendFixed(TypedColumn &into, const StoredColumn &column, const unsigned char *data,
                     int length);

    TextDecoder &m_text;
    LongValueReader &m_longValues;
};

} // namespace velmora
