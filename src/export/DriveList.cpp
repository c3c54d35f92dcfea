#include "export/DriveList.h"

#include <QDir>
#include <QStorageInfo>

namespace velmora {

namespace {

QString labelFor(const QStorageInfo &volume)
{
    const QString root = QDir::toNativeSeparators(volume.rootPath());
    if (volume.isRoot())
        return QStringLiteral("%1 (arrel)").arg(root);
    const QString name = volume.displayName();
    return name.isEmpty() || name == volume.rootPath() ? root : QStringLiteral("%1 [%2]").arg(root, name);
}

} // namespace

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid())
            addVolume(volume.rootPath(), labelFor(volume));
    setCurrentIndex(indexOfRoot(volumeRootOf(QDir::currentPath())));
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::driveChanged);
}

QString DriveList::drive() const
{
    return currentData().toString();
}

void DriveList::setDrive(const QString &folder)
{
    const QString root = volumeRootOf(folder);
    if (root.isEmpty())
        return;
    if (indexOfRoot(root) < 0)
        addVolume(root, QDir::toNativeSeparators(root));
    setCurrentIndex(indexOfRoot(root));
}

void DriveList::addVolume(const QString &rootPath, const QString &label)
{
    if (indexOfRoot(rootPath) < 0)
        addItem(label, rootPath);
}

QString DriveList::volumeRootOf(const QString &folder)
{
    const QStorageInfo volume(folder);
    return volume.isValid() ? volume.rootPath() : QString();
}

int DriveList::indexOfRoot(const QString &rootPath) const
{
    return findData(rootPath);
}

} // namespace velmora
