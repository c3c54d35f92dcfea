#include "engine/pdf/PdfSyntax.h"

#include <charconv>
#include <cmath>

namespace velmora::pdf {

void appendInteger(QByteArray &out, qint64 value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr - digits);
}

void appendHundredths(QByteArray &out, qint64 hundredths)
{
    if (hundredths < 0) {
        out.append('-');
        hundredths = -hundredths;
    }
    appendInteger(out, hundredths / 100);
    const int fraction = int(hundredths % 100);
    if (fraction == 0)
        return;
    out.append('.');
    out.append(char('0' + fraction / 10));
    if (fraction % 10 != 0)
        out.append(char('0' + fraction % 10));
}

void appendNumber(QByteArray &out, double value)
{
    if (!std::isfinite(value))
        value = 0;
    appendHundredths(out, std::llround(value * 100));
}

void appendReference(QByteArray &out, int object)
{
    appendInteger(out, object);
    out.append(" 0 R");
}

namespace {

void writeHex16(char *to, quint16 value)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    to[0] = digits[value >> 12];
    to[1] = digits[(value >> 8) & 0xF];
    to[2] = digits[(value >> 4) & 0xF];
    to[3] = digits[value & 0xF];
}

} // namespace

void appendHex16(QByteArray &out, quint16 value)
{
    char hex[4];
    writeHex16(hex, value);
    out.append(hex, 4);
}

void appendHex16s(QByteArray &out, const quint16 *values, size_t count)
{
    // One resize instead of an append per glyph: page contents are mostly these.
    const qsizetype at = out.size();
    out.resize(at + qsizetype(4 * count));
    char *to = out.data() + at;
    for (size_t i = 0; i < count; ++i, to += 4)
        writeHex16(to, values[i]);
}

QByteArray textString(const QString &text)
{
    const bool plainAscii = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x7F;
    });
    QByteArray out;
    if (plainAscii) {
        out.reserve(text.size() + 2);
        out.append('(');
        for (QChar c : text) {
            if (c == u'(' || c == u')' || c == u'\\')
                out.append('\\');
            out.append(char(c.unicode()));
        }
        out.append(')');
        return out;
    }
    out.reserve(text.size() * 4 + 6);
    out.append("<FEFF");
    for (QChar c : text)
        appendHex16(out, c.unicode());
    out.append('>');
    return out;
}

QByteArray fontName(const QString &name)
{
    QByteArray out("/");
    for (QChar c : name) {
        const char16_t u = c.unicode();
        const bool allowed = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')
            || u == u'-' || u == u'_' || u == u'+' || u == u'.';
        if (allowed)
            out.append(char(u));
    }
    if (out.size() == 1)
        out.append("Font");
    return out;
}

} // namespace velmora::pdf
