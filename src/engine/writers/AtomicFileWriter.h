#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QTemporaryFile>

namespace velmora {

/// Writes a file so that it appears whole or not at all: the bytes go to a
/// hidden temporary file beside the target (".<name>.velmora-XXXXXX"), which
/// is synced and renamed onto the target by commit(). Destroying the writer
/// before commit() removes the temporary file, so a failed or stopped export
/// leaves neither a partial file nor a temporary one, and an existing target
/// stays untouched.
///
/// The constructor refuses, with a Failure naming the file: an empty name, a
/// missing folder (or a "folder" that is a file), a target that is a folder,
/// and an existing hidden target (a name starting with "."), which is never
/// replaced silently. An existing ordinary file is replaced on commit().
/// Limits: the new file gets permissions rw-r--r--; a symbolic link at the
/// target is replaced by the file, not followed.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString &targetPath);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    /// The temporary file, open for writing (and reading back).
    QIODevice &device() { return m_temporary; }
    /// The temporary file's path, for a library that writes a file by name:
    /// it must write into this same file (not replace it), which commit()
    /// then syncs and renames like any other.
    QString temporaryPath() const { return m_temporary.fileName(); }
    /// Appends bytes; throws Failure when they cannot be written.
    void write(QByteArrayView bytes);
    /// Throws the write failure if the device reported one.
    void checkDevice();

    /// Flushes, syncs and renames the file onto the target.
    void commit();

    const QString &targetPath() const { return m_targetPath; }
    /// The target's file name, as failures quote it.
    QString displayName() const;

private:
    void refuseUnsafeTarget() const;
    [[noreturn]] void failWrite(const QString &reason) const;

    QString m_targetPath;
    QTemporaryFile m_temporary;
    bool m_committed = false;
};

} // namespace velmora
