#include "engine/writers/RtfText.h"

namespace velmora {

namespace {

void appendUnicode(QByteArray &out, char16_t unit)
{
    out += "\\u";
    out += QByteArray::number(qint16(unit));
    out += '?';
}

bool isUnpairedSurrogate(const QString &text, qsizetype i)
{
    const QChar unit = text.at(i);
    if (unit.isHighSurrogate())
        return i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate();
    if (unit.isLowSurrogate())
        return i == 0 || !text.at(i - 1).isHighSurrogate();
    return false;
}

} // namespace

QByteArray RtfText::escaped(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            out += '\\';
            out += char(unit);
        } else if (unit == u'\t') {
            out += "\\tab ";
        } else if (unit < 0x20 || unit == 0x7f) {
            out += ' ';
        } else if (unit < 0x80) {
            out += char(unit);
        } else if (isUnpairedSurrogate(text, i)) {
            appendUnicode(out, 0xfffd);
        } else {
            appendUnicode(out, unit);
        }
    }
    return out;
}

} // namespace velmora
