#include "export/FileList.h"

#include "export/FolderAccess.h"

#include <QDir>

namespace velmora {

FileList::FileList(QWidget *parent) : QListWidget(parent)
{
    setPath(QDir::currentPath());
}

void FileList::setPath(const QString &folder)
{
    m_path = FolderAccess::openable(folder);
    fill();
}

void FileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    fill();
}

void FileList::fill()
{
    clear();
    addItems(QDir(m_path).entryList({m_pattern}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

} // namespace velmora
