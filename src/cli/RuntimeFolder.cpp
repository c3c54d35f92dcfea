#include "cli/RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace velmora {

bool RuntimeFolder::isUsable(const QString &path)
{
    const QFileInfo folder(path);
    constexpr auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
        | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    return !path.isEmpty() && folder.isDir() && folder.ownerId() == ::geteuid()
        && folder.permissions() == QFileDevice::Permissions(ownerOnly);
}

RuntimeFolder::RuntimeFolder()
{
    if (isUsable(qEnvironmentVariable("XDG_RUNTIME_DIR")))
        return;
    // QTemporaryDir makes its folder rwx------, as the runtime folder must be.
    m_private = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/velmora-export-XXXXXX"));
    if (m_private->isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_private->path()));
}

} // namespace velmora
