#pragma once

#include <QListWidget>

namespace velmora {

/// A list of the files of one folder that match a pattern. The folder
/// chooser keeps one, never shown, so that a folder it cannot list is found
/// before anything else is set up.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget *parent);

    QString path() const { return m_path; }
    /// Fails (7104) when `folder` cannot be listed; the list is unchanged.
    void setPath(const QString &folder);

    QString pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);

private:
    void fill();

    QString m_path;
    QString m_pattern = QStringLiteral("*");
};

} // namespace velmora
