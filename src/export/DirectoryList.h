#pragma once

#include <QTreeWidget>

#include <map>

namespace velmora {

/// The folder chooser's directory list: the folders from the volume root down
/// to the folder it shows, each indented under the one before, and below the
/// shown folder its subfolders. Double-clicking a folder (or pressing Space
/// on it) opens it; Backspace opens the folder above. Enter is left to the
/// window, where it accepts.
class DirectoryList : public QTreeWidget {
    Q_OBJECT
public:
    /// Opens the process's current directory.
    explicit DirectoryList(QWidget *parent);

    /// The folder shown: no trailing separator except at a volume root.
    QString path() const { return m_path; }

    /// Opens `folder`, given with or without a trailing separator. Fails
    /// (7104), showing what it showed before, when the folder cannot be
    /// listed.
    void setPath(const QString &folder);

    /// Opens the folder last shown on the volume at `volumeRoot`, or its root
    /// when none was; fails like setPath when that volume is not ready.
    void setDrive(const QString &volumeRoot);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const override;

private:
    void fill();
    QTreeWidgetItem *addFolderItem(QTreeWidgetItem *parent, const QString &name, const QString &path,
                                   bool open);
    void openFolder(const QString &folder);

    QString m_path;
    std::map<QString, QString> m_lastFolderOnVolume;
};

} // namespace velmora
