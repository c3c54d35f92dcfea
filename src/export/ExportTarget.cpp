#include "export/ExportTarget.h"

#include "engine/core/Failure.h"
#include "export/ExportErrors.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

namespace {

// A missing owner write bit is what a read-only file means to the user, even
// for an account the operating system would let through anyway.
bool refusesChanges(const QFileInfo &info)
{
    return !info.isWritable() || !info.permissions().testFlag(QFileDevice::WriteOwner);
}

} // namespace

ExportTarget::ExportTarget(QString path) : m_path(std::move(path)) {}

bool ExportTarget::existsAsOrdinaryFile() const
{
    if (m_path.contains(QChar(0)))
        throw Failure(ExportErrors::InvalidPath,
                      QStringLiteral("El camí «%1» no és vàlid.").arg(QString(m_path).remove(QChar(0))));
    const QFileInfo info(m_path);
    return info.isFile() && !info.isHidden();
}

void ExportTarget::checkReplaceable() const
{
    const QFileInfo file(m_path);
    if (refusesChanges(file))
        throw Failure(ExportErrors::TargetReadOnly,
                      QStringLiteral("No es pot esborrar l'arxiu «%1»: és només de lectura.")
                          .arg(QDir::toNativeSeparators(file.absoluteFilePath())));
    const QFileInfo folder(file.absolutePath());
    if (refusesChanges(folder))
        throw Failure(ExportErrors::FolderRefusesChanges,
                      QStringLiteral("No es pot esborrar l'arxiu «%1»: la carpeta no admet canvis.")
                          .arg(QDir::toNativeSeparators(file.absoluteFilePath())));
}

} // namespace velmora
