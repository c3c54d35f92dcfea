#pragma once

// File systems made for one test: a tiny tmpfs that fills up, or a folder
// bound read-only onto itself. Tests run as root, which writes through any
// permission bits, so only a read-only or full file system refuses it.
// Mounting needs CAP_SYS_ADMIN; without it the mount is simply not made and
// the test skips.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/mount.h>

namespace velmora::testing {

class ScratchMount {
public:
    /// A tmpfs of `bytes` (rounded up to whole pages by the kernel) on `folder`.
    static ScratchMount tmpfs(const QString &folder, qint64 bytes)
    {
        QDir().mkpath(folder);
        const QByteArray options = "size=" + QByteArray::number(bytes);
        const bool done = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) == 0;
        return ScratchMount(folder, done);
    }

    /// `folder` bound onto itself and made read-only.
    static ScratchMount readOnly(const QString &folder)
    {
        QDir().mkpath(folder);
        const QByteArray path = QFile::encodeName(folder);
        if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) != 0)
            return ScratchMount(folder, false);
        ScratchMount bound(folder, true);
        if (::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return ScratchMount(folder, false);
        return bound;
    }

    ScratchMount(ScratchMount &&other) noexcept : m_folder(other.m_folder), m_mounted(other.m_mounted)
    {
        other.m_mounted = false;
    }
    ScratchMount(const ScratchMount &) = delete;
    ScratchMount &operator=(const ScratchMount &) = delete;
    ScratchMount &operator=(ScratchMount &&) = delete;
    ~ScratchMount()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }

    bool isMounted() const { return m_mounted; }

private:
    ScratchMount(QString folder, bool mounted) : m_folder(std::move(folder)), m_mounted(mounted) {}

    QString m_folder;
    bool m_mounted;
};

} // namespace velmora::testing
