#pragma once

#include <QString>

namespace velmora {

/// The logon text the report's tables get from the password box: a line
/// feed, then the box's text without its leading and trailing blanks. The
/// engine reads the text after the first line feed as the database password
/// and the (empty) text before it as the workgroup password, so an empty
/// box gives a lone line feed: no password for either.
///
/// Only the blank character is stripped; a tab or any other character at
/// either end belongs to the password.
QString logOnText(const QString &passwordBoxText);

} // namespace velmora
