#pragma once

#include "app/VersionInfo.h"

#include <QString>

namespace velmora {

/// The main window's caption: file description, "    -    ", the name the
/// program was started under, "  v" and the version. The minor number and
/// the revision are written side by side with nothing between them, so
/// 2.0.0 reads "2.00" and 2.1.12 reads "2.112".
QString mainWindowCaption(const QString &executableName,
                          const VersionInfo &version = VersionInfo::current());

} // namespace velmora
