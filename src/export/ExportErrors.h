#pragma once

#include <QtGlobal>

namespace velmora::ExportErrors {
// 7100-7199: files and folders met by the export dialog and the folder
// chooser (docs/errors.md)
constexpr qint32 TargetReadOnly = 7101;
constexpr qint32 FolderRefusesChanges = 7102;
constexpr qint32 InvalidPath = 7103;
constexpr qint32 FolderUnavailable = 7104;
constexpr qint32 NoOpenReport = 7105;
} // namespace velmora::ExportErrors
