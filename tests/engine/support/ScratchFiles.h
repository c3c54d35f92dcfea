#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace velmora::testing {

/// A temporary folder for reports and database copies a test makes.
class ScratchFiles {
public:
    bool isValid() const { return m_dir.isValid(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    /// Writes `bytes` to `name` in the folder; returns its path.
    QString write(const QString &name, const QByteArray &bytes) const;
    /// A copy of `source` cut to its first `size` bytes.
    QString truncatedCopy(const QString &source, const QString &name, qint64 size) const;
    /// An example report with `from` replaced by `to` in its text.
    QString editedExample(const QString &example, const QString &from, const QString &to) const;

private:
    QTemporaryDir m_dir;
};

} // namespace velmora::testing
