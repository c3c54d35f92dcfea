#pragma once

#include <QString>

namespace velmora {

/// `text` without its leading and trailing space characters. Only the
/// blank counts: a tab or a line break at either end is part of the value,
/// as it was in the program's inputs (command-line fields, the password).
QString trimmedOfSpaces(const QString &text);

} // namespace velmora
