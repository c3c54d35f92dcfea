#pragma once

#include <QByteArray>
#include <QString>

namespace velmora::pdf {

/// Appends `hundredths / 100` the short way PDF numbers are written:
/// "12", "12.5", "-0.05". Exact for the page model's lengths (a twip is 5
/// hundredths of a point), and much faster than formatting a double.
void appendHundredths(QByteArray &out, qint64 hundredths);
/// `value` rounded to hundredths.
void appendNumber(QByteArray &out, double value);
void appendInteger(QByteArray &out, qint64 value);
/// "12 0 R": a reference to object 12.
void appendReference(QByteArray &out, int object);
/// Four hex digits, as a glyph number is written in a text string.
void appendHex16(QByteArray &out, quint16 value);
/// Four hex digits for each of `count` glyph numbers, written in one go.
void appendHex16s(QByteArray &out, const quint16 *values, size_t count);

/// A text string for the document's own texts (title, bookmarks): a
/// literal string "(...)" when every character is printable ASCII, with
/// "(", ")" and "\" escaped; otherwise UTF-16BE with a byte order mark, in
/// hex. Nothing in the text can end the string or start PDF syntax.
QByteArray textString(const QString &text);

/// A name object ("/LiberationSans-Bold") keeping only the characters a
/// font name may hold; anything else is dropped.
QByteArray fontName(const QString &name);

} // namespace velmora::pdf
