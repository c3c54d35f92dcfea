#pragma once

#include <QString>
#include <QStringView>

namespace velmora {

/// Literal text inside a spreadsheet number-format code: characters the
/// code reads as themselves stay bare, anything else goes in double quotes
/// (`#,##0.00 "€"`).
QString spreadsheetLiteral(QStringView text);

} // namespace velmora
