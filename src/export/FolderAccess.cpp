#include "export/FolderAccess.h"

#include "engine/core/Failure.h"
#include "export/ExportErrors.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

QString FolderAccess::openable(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isReadable() || !info.isExecutable())
        throw Failure(ExportErrors::FolderUnavailable,
                      QStringLiteral("No es pot obrir la carpeta «%1».").arg(folder));
    return QDir::toNativeSeparators(QDir::cleanPath(info.absoluteFilePath()));
}

} // namespace velmora
