#include "export/DirectoryList.h"

#include "engine/core/Failure.h"
#include "export/DriveList.h"
#include "export/FolderAccess.h"

#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>

namespace velmora {

namespace {

constexpr int pathRole = Qt::UserRole;

// The folders from the root down to `path`, each as its full path.
QStringList chainTo(const QString &path)
{
    QStringList chain;
    QDir dir(path);
    chain.prepend(QDir::toNativeSeparators(dir.absolutePath()));
    while (dir.cdUp())
        chain.prepend(QDir::toNativeSeparators(dir.absolutePath()));
    return chain;
}

QString shownName(const QString &path)
{
    const QString name = QDir(path).dirName();
    return name.isEmpty() ? path : name;
}

} // namespace

DirectoryList::DirectoryList(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(12);
    setColumnCount(1);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { openFolder(item->data(0, pathRole).toString()); });
    setPath(QDir::currentPath());
}

void DirectoryList::setPath(const QString &folder)
{
    m_path = FolderAccess::openable(folder);
    m_lastFolderOnVolume[DriveList::volumeRootOf(m_path)] = m_path;
    fill();
}

void DirectoryList::setDrive(const QString &volumeRoot)
{
    const auto remembered = m_lastFolderOnVolume.find(volumeRoot);
    setPath(remembered == m_lastFolderOnVolume.end() ? volumeRoot : remembered->second);
}

void DirectoryList::fill()
{
    clear();
    QTreeWidgetItem *parentItem = nullptr;
    for (const QString &folder : chainTo(m_path))
        parentItem = addFolderItem(parentItem, shownName(folder), folder, true);
    QTreeWidgetItem *shown = parentItem;

    const QStringList subfolders =
        QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : subfolders)
        addFolderItem(shown, name, QDir::toNativeSeparators(QDir(m_path).filePath(name)), false);

    expandAll();
    setCurrentItem(shown);
}

QTreeWidgetItem *DirectoryList::addFolderItem(QTreeWidgetItem *parent, const QString &name,
                                              const QString &path, bool open)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, name);
    item->setData(0, pathRole, path);
    item->setIcon(0, style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirIcon));
    return item;
}

void DirectoryList::openFolder(const QString &folder)
{
    // A folder that cannot be opened simply stays closed, as in any file
    // browser; the list keeps showing where it was.
    try {
        setPath(folder);
    } catch (const Failure &) {
    }
}

void DirectoryList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && currentItem()) {
        openFolder(currentItem()->data(0, pathRole).toString());
        return;
    }
    if (QDir above(m_path); event->key() == Qt::Key_Backspace && above.cdUp()) {
        openFolder(above.absolutePath());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}


// Every folder of the list is always open; indentation alone shows the
// levels, with no expand arrows to suggest otherwise.
void DirectoryList::drawBranches(QPainter *, const QRect &, const QModelIndex &) const {}

} // namespace velmora
