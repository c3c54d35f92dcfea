#include "engine/writers/CsvWriter.h"

#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/PageStream.h"

#include <QLocale>

namespace velmora {

namespace {

constexpr qsizetype flushAt = 1 << 16;

/// What a spreadsheet would take for the start of a formula (OWASP's list).
bool opensFormula(const QString &text)
{
    if (text.isEmpty())
        return false;
    switch (text.front().unicode()) {
    case u'=':
    case u'+':
    case u'-':
    case u'@':
    case u'\t':
    case u'\r':
        return true;
    default:
        return false;
    }
}

QByteArray numberText(double number)
{
    return QByteArray::number(number, 'g', QLocale::FloatingPointShortest);
}

QByteArray temporalText(const Value &value)
{
    const DateTime moment = value.asDateTime();
    const QString time = moment.time().toString(QStringLiteral("HH:mm:ss"));
    switch (value.type()) {
    case ValueType::Date:
        return moment.date().toString(Qt::ISODate).toUtf8();
    case ValueType::Time:
        return time.toUtf8();
    default:
        return (moment.date().toString(Qt::ISODate) + u'T' + time).toUtf8();
    }
}

} // namespace

QByteArray CsvWriter::textField(const QString &text) const
{
    const bool guarded = opensFormula(text);
    QByteArray bytes = guarded ? QByteArray("'") + text.toUtf8() : text.toUtf8();
    const bool quoted = guarded || bytes.contains(m_separator) || bytes.contains('"') || bytes.contains('\r')
        || bytes.contains('\n');
    if (!quoted)
        return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

QByteArray CsvWriter::field(const Value &value) const
{
    switch (value.type()) {
    case ValueType::Null:
        return {};
    case ValueType::Boolean:
        return value.asBoolean() ? "true" : "false";
    case ValueType::Integer:
        return QByteArray::number(value.asInteger());
    case ValueType::Number:
        return numberText(value.asNumber());
    case ValueType::Currency:
        return value.asCurrency().toString().toUtf8();
    case ValueType::String:
        return textField(value.asString());
    case ValueType::Date:
    case ValueType::Time:
    case ValueType::DateTime:
        return temporalText(value);
    case ValueType::Binary:
        return value.asBinary().toHex();
    }
    return {};
}

void CsvWriter::write(const RecordTable &records, AtomicFileWriter &file, const CancelToken &cancel,
                      const ProgressCallback &progress) const
{
    QByteArray buffer;
    auto endLine = [&] {
        buffer += "\r\n";
        if (buffer.size() >= flushAt) {
            file.write(buffer);
            buffer.clear();
        }
    };
    const QStringList headings = records.headings();
    for (qsizetype column = 0; column < headings.size(); ++column)
        buffer += (column > 0 ? QByteArray(1, m_separator) : QByteArray()) + textField(headings[column]);
    endLine();
    PageStream::forEachRecord(records, cancel, progress, [&](const std::vector<Value> &values) {
        for (size_t column = 0; column < values.size(); ++column) {
            if (column > 0)
                buffer += m_separator;
            buffer += field(values[column]);
        }
        endLine();
    });
    file.write(buffer);
}

} // namespace velmora
