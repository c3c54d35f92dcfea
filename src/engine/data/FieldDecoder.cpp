#include "engine/data/FieldDecoder.h"

#include "engine/data/LongValueReader.h"
#include "engine/data/TextDecoder.h"

#include <QtEndian>

#include <charconv>
#include <cmath>
#include <cstring>

namespace velmora {

namespace {

constexpr int decimalSize = 17;
constexpr int guidSize = 16;

// A Decimal's magnitude: 16 bytes holding four 32-bit words, the most
// significant first, each word little-endian.
unsigned __int128 decimalMagnitude(const unsigned char *bytes)
{
    unsigned __int128 magnitude = 0;
    for (int word = 0; word < 4; ++word)
        magnitude = (magnitude << 32) | qFromLittleEndian<quint32>(bytes + 1 + 4 * word);
    return magnitude;
}

bool decimalIsNegative(const unsigned char *bytes)
{
    return bytes[0] != 0;
}

} // namespace

FieldDecoder::FieldDecoder(TextDecoder &text, LongValueReader &longValues)
    : m_text(text), m_longValues(longValues)
{
}

double FieldDecoder::singleToDouble(float value)
{
    if (!std::isfinite(value))
        return double(value);
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double result = 0;
    std::from_chars(text, written.ptr, result);
    return result;
}

QString FieldDecoder::guidText(const unsigned char *bytes)
{
    // The first three groups are stored little-endian, the last two as bytes.
    return QStringLiteral("{%1-%2-%3-%4-%5}")
        .arg(qFromLittleEndian<quint32>(bytes), 8, 16, QLatin1Char('0'))
        .arg(qFromLittleEndian<quint16>(bytes + 4), 4, 16, QLatin1Char('0'))
        .arg(qFromLittleEndian<quint16>(bytes + 6), 4, 16, QLatin1Char('0'))
        .arg(QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(bytes) + 8, 2).toHex()))
        .arg(QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(bytes) + 10, 6).toHex()))
        .toUpper();
}

std::optional<qint64> FieldDecoder::decimalToCurrencyUnits(const unsigned char *bytes, int scale)
{
    if (scale < 0 || scale > 4)
        return std::nullopt;
    unsigned __int128 units = decimalMagnitude(bytes);
    for (int i = scale; i < 4; ++i)
        units *= 10;
    if (units > static_cast<unsigned __int128>(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    const qint64 value = qint64(units);
    return decimalIsNegative(bytes) ? -value : value;
}

double FieldDecoder::decimalToDouble(const unsigned char *bytes, int scale)
{
    long double value = static_cast<long double>(decimalMagnitude(bytes));
    value /= std::pow(10.0L, scale);
    return double(decimalIsNegative(bytes) ? -value : value);
}

void FieldDecoder::append(TypedColumn &into, const StoredColumn &column, const unsigned char *row,
                          const FieldSlice &slice)
{
    const AccessType type = column.schema.accessType;
    if (type == AccessType::YesNo) {
        into.appendInt64(slice.present ? 1 : 0);
        return;
    }
    if (!slice.present || into.type() == ValueType::Null) {
        into.appendNull();
        return;
    }
    const unsigned char *data = row + slice.start;
    switch (type) {
    case AccessType::Text:
        into.appendString(m_text.decode(data, slice.length));
        return;
    case AccessType::Memo: {
        const QByteArray value = m_longValues.read(data, slice.length);
        into.appendString(m_text.decode(reinterpret_cast<const unsigned char *>(value.constData()),
                                        value.size()));
        return;
    }
    case AccessType::OleObject:
        into.appendBinary(m_longValues.read(data, slice.length));
        return;
    case AccessType::Binary:
        into.appendBinary(slice.length == 0 ? QByteArray("")
                                            : QByteArray(reinterpret_cast<const char *>(data), slice.length));
        return;
    default:
        appendFixed(into, column, data, slice.length);
    }
}

void FieldDecoder::appendFixed(TypedColumn &into, const StoredColumn &column, const unsigned char *data,
                               int length)
{
    auto needs = [&](int bytes) { return length >= bytes; };
    switch (column.schema.accessType) {
    case AccessType::Byte:
        if (needs(1))
            return into.appendInt64(data[0]);
        break;
    case AccessType::Integer:
        if (needs(2))
            return into.appendInt64(qFromLittleEndian<qint16>(data));
        break;
    case AccessType::Long:
        if (needs(4))
            return into.appendInt64(qFromLittleEndian<qint32>(data));
        break;
    case AccessType::Currency:
        if (needs(8))
            return into.appendInt64(qFromLittleEndian<qint64>(data));
        break;
    case AccessType::Single:
        if (needs(4))
            return into.appendNumber(singleToDouble(qFromLittleEndian<float>(data)));
        break;
    case AccessType::Double:
        if (needs(8))
            return into.appendNumber(qFromLittleEndian<double>(data));
        break;
    case AccessType::DateTime:
        if (needs(8)) {
            // Outside what a DateTime holds (years 1-9999 and a little more)
            // the stored double is not a date Access could have written.
            if (const auto when = DateTime::fromAccessDays(qFromLittleEndian<double>(data)))
                return into.appendInt64(when->msecs);
        }
        break;
    case AccessType::ReplicationId:
        if (needs(guidSize))
            return into.appendString(guidText(data));
        break;
    case AccessType::Decimal:
        if (!needs(decimalSize))
            break;
        if (into.type() == ValueType::Currency) {
            if (const auto units = decimalToCurrencyUnits(data, column.schema.scale))
                return into.appendInt64(*units);
            break;
        }
        return into.appendNumber(decimalToDouble(data, column.schema.scale));
    default:
        break;
    }
    into.appendNull();
}

} // namespace velmora
