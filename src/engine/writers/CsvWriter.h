#pragma once

#include "engine/core/Value.h"
#include "engine/page/PageSource.h"

#include <QByteArray>

namespace velmora {

class AtomicFileWriter;

/// Export formats 40 and 41, comma- and semicolon-separated values: the
/// detail records as the data-only Excel export has them, for scripts and
/// spreadsheets. RFC 4180: a heading line, then one line per record in
/// report order, lines ended by CR LF, a field quoted when it holds the
/// separator, a double quote, CR or LF (quotes doubled inside); UTF-8
/// without a byte-order mark. Values are written so that no program needs
/// the writer's locale to read them: numbers with a full stop and no
/// thousands separator (currency with its four exact decimals), dates and
/// times in ISO 8601 ("2024-03-01", "13:05:00", "2024-03-01T13:05:00"),
/// booleans "true"/"false", Null an empty field, binary data as hexadecimal.
///
/// No field is ever read as a formula (CSV injection): a text that starts
/// with "=", "+", "-", "@", a tab or a CR gets an apostrophe in front and is
/// quoted, which spreadsheets show as text. Numbers are never text here, so
/// a real negative number keeps its minus sign and stays a number; only
/// text fields (and headings) are guarded, including a text field that
/// merely looks like "-12".
class CsvWriter {
public:
    explicit CsvWriter(char separator) : m_separator(separator) {}

    void write(const RecordTable &records, AtomicFileWriter &file, const CancelToken &cancel,
               const ProgressCallback &progress) const;

    /// One field as it goes in the file, guarded and quoted as needed.
    QByteArray field(const Value &value) const;
    QByteArray textField(const QString &text) const;

private:
    char m_separator;
};

} // namespace velmora
