#pragma once

#include <QTemporaryDir>

#include <memory>

namespace velmora {

/// Gives the run a per-user runtime folder when the session has none.
/// Scripts often run without one (cron, a service, ssh without a login
/// session), and Qt's GUI start looks there for the sandbox marker
/// "flatpak-info": with XDG_RUNTIME_DIR unset, or naming a folder Qt would
/// refuse (missing, not ours, not rwx------), it warns on standard error and
/// makes "/tmp/runtime-<user>" for good. Such a session cannot be a sandbox,
/// so an empty private folder answers Qt truthfully; it lives in the
/// temporary folder and is removed when the object goes.
class RuntimeFolder {
public:
    /// Points XDG_RUNTIME_DIR at a private folder if the current one is
    /// unusable; leaves a usable one alone.
    RuntimeFolder();

    /// Whether `path` is a folder Qt accepts as the runtime folder.
    static bool isUsable(const QString &path);

private:
    std::unique_ptr<QTemporaryDir> m_private;
};

} // namespace velmora
