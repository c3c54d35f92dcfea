#pragma once

#include <QComboBox>

namespace velmora {

/// A drop-down list of the mounted volumes, the folder chooser's drives. The
/// drive is a volume's root path; the drive of a folder is the volume holding
/// it. driveChanged() is sent whenever the selected drive changes, whether
/// the user picked it or the program set it.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    /// Lists the mounted volumes and selects the one holding the process's
    /// current directory.
    explicit DriveList(QWidget *parent);

    /// The root path of the selected volume.
    QString drive() const;

    /// Selects the volume holding `folder`; a volume mounted after the list
    /// was filled is added. Nothing changes for a folder on no volume.
    void setDrive(const QString &folder);

    /// Adds a volume to the list, as mounting a medium does.
    void addVolume(const QString &rootPath, const QString &label);

    static QString volumeRootOf(const QString &folder);

signals:
    void driveChanged();

private:
    int indexOfRoot(const QString &rootPath) const;
};

} // namespace velmora
