#pragma once

#include <QString>

namespace velmora {

/// Turns a filter in the "description|pattern|description|pattern" form
/// (patterns joined with ";") into QFileDialog's "description (patterns)"
/// entries joined with ";;". A description that already ends with its
/// patterns in brackets is kept as it is; a description with no pattern
/// after it shows every file.
QString toQtNameFilters(const QString &pipeFilter);

} // namespace velmora
