#pragma once

#include <QString>

namespace velmora {

/// The program's version information, as its main window caption shows it.
/// The numbers follow the project's version in the top CMakeLists.txt.
struct VersionInfo {
    QString fileDescription;
    QString productName;
    int major = 0;
    int minor = 0;
    int revision = 0;

    /// This build's own version information.
    static VersionInfo current()
    {
        return {QStringLiteral("Quorvane"), QStringLiteral("Velmora"), 2, 0, 0};
    }
};

} // namespace velmora
