#pragma once

#include <QtGlobal>

namespace velmora::ViewerErrors {
// 7200-7299: the viewer window and its commands (docs/errors.md)
constexpr qint32 NoOpenReport = 7201;
constexpr qint32 UnknownQuickExport = 7202;
/// The application's own number for a failure that is not one of the
/// program's, so the user sees one number for it wherever it arises.
constexpr qint32 Unexpected = 7001;
} // namespace velmora::ViewerErrors
