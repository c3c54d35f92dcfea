#include "engine/writers/AtomicFileWriter.h"

#include "engine/core/Failure.h"
#include "engine/writers/ExportErrors.h"
#include "engine/writers/SystemReason.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace velmora {

namespace {

// Read at once after the failing call, before anything else can change errno.
QString currentReason(const QString &fallback = {})
{
    const int error = errno;
    return systemReason(error, fallback.isEmpty() ? QString::fromLocal8Bit(std::strerror(error)) : fallback);
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString &targetPath)
    : m_targetPath(targetPath.isEmpty() ? QString() : QFileInfo(targetPath).absoluteFilePath())
{
    refuseUnsafeTarget();
    const QFileInfo target(m_targetPath);
    m_temporary.setFileTemplate(target.absolutePath() + u"/." + target.fileName()
                                + u".velmora-XXXXXX");
    m_temporary.setAutoRemove(true);
    if (!m_temporary.open()) {
        throw Failure(ExportErrors::CannotCreateFile,
                      QStringLiteral("No es pot crear el fitxer «%1» a la carpeta «%2»: %3.")
                          .arg(target.fileName(), QDir::toNativeSeparators(target.absolutePath()),
                               currentReason(m_temporary.errorString())));
    }
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (!m_committed)
        m_temporary.remove();
}

QString AtomicFileWriter::displayName() const
{
    return QDir::toNativeSeparators(m_targetPath);
}

void AtomicFileWriter::refuseUnsafeTarget() const
{
    if (m_targetPath.isEmpty())
        throw Failure(ExportErrors::NoFileName,
                      QStringLiteral("No s'ha indicat el nom del fitxer d'exportació."));
    const QFileInfo target(m_targetPath);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        throw Failure(ExportErrors::FolderMissing,
                      QStringLiteral("No es pot desar «%1»: la carpeta «%2» no existeix.")
                          .arg(target.fileName(), QDir::toNativeSeparators(folder.filePath())));
    if (target.isDir())
        throw Failure(ExportErrors::TargetIsFolder,
                      QStringLiteral("No es pot desar «%1»: ja hi ha una carpeta amb aquest nom.")
                          .arg(displayName()));
    const bool exists = target.exists() || target.isSymLink();
    if (exists && target.fileName().startsWith(u'.'))
        throw Failure(ExportErrors::HiddenTargetExists,
                      QStringLiteral("No es pot desar «%1»: ja existeix un fitxer ocult amb aquest "
                                     "nom i no se substitueix.")
                          .arg(displayName()));
}

void AtomicFileWriter::failWrite(const QString &reason) const
{
    throw Failure(ExportErrors::WriteFailed,
                  QStringLiteral("No s'ha pogut escriure el fitxer «%1»: %2.")
                      .arg(displayName(), reason));
}

void AtomicFileWriter::write(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    if (m_temporary.write(bytes.data(), bytes.size()) != bytes.size())
        failWrite(currentReason(m_temporary.errorString()));
}

void AtomicFileWriter::checkDevice()
{
    if (m_temporary.error() != QFileDevice::NoError)
        failWrite(currentReason(m_temporary.errorString()));
}

void AtomicFileWriter::commit()
{
    checkDevice();
    if (!m_temporary.flush())
        failWrite(currentReason(m_temporary.errorString()));
    if (::fsync(m_temporary.handle()) != 0)
        failWrite(currentReason());
    m_temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                               | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // The folder may have changed since the checks; the hidden-target rule
    // must still hold at the moment of replacing.
    refuseUnsafeTarget();
    const QByteArray from = QFile::encodeName(m_temporary.fileName());
    const QByteArray to = QFile::encodeName(m_targetPath);
    if (std::rename(from.constData(), to.constData()) != 0)
        throw Failure(ExportErrors::CannotReplaceTarget,
                      QStringLiteral("No s'ha pogut desar el fitxer «%1»: %2.")
                          .arg(displayName(), currentReason()));
    m_committed = true;
    m_temporary.setAutoRemove(false);
    m_temporary.close();
}

} // namespace velmora
