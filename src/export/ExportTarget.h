#pragma once

#include <QString>

namespace velmora {

/// The file an export is about to write, as the file system sees it before
/// the report engine writes it.
class ExportTarget {
public:
    explicit ExportTarget(QString path);

    const QString &path() const { return m_path; }

    /// True only for an ordinary file the user sees: a folder, or a hidden
    /// file, is not one. A path no file system can hold fails (7103).
    bool existsAsOrdinaryFile() const;

    /// Fails as a refused deletion would when the existing file could not be
    /// replaced: the file is read-only (7101) or its folder refuses changes
    /// (7102). Nothing on disk changes either way.
    void checkReplaceable() const;

private:
    QString m_path;
};

} // namespace velmora
