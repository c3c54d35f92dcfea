#pragma once

#include "engine/core/Value.h"

#include <QString>

namespace velmora {

/// Prints values the Catalan way, for ToText, `&` and the report's field
/// objects. An empty format takes the type's default:
///   Integer "0", Number "#,##0.##", Currency "#,##0.00",
///   Date "dd/MM/yyyy", Time "HH:mm:ss", DateTime "dd/MM/yyyy HH:mm:ss",
///   Boolean "Cert"/"Fals" (a format "Sí;No" names both), Null "".
/// Numbers read NumberPattern formats, dates and times DatePattern formats.
/// Formatting never fails: characters a format does not know print as written.
QString formatValue(const Value &value, const QString &format = QString());

/// The spreadsheet number-format code that shows a cell of this type as
/// formatValue would: "#,##0.00", "dd/mm/yyyy", "@" for text, "General"
/// for numbers without a format.
QString spreadsheetFormat(ValueType type, const QString &format = QString());

/// The format formatValue uses for a type when given none.
QString defaultFormat(ValueType type);

} // namespace velmora
