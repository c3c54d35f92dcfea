#pragma once

#include <QString>

namespace velmora {

/// The last files chosen with the main window's choose buttons, kept per
/// user under the name the program was started with, in the "Settings"
/// group. An entry is created by the first non-empty choice and only ever
/// overwritten; an empty value is never written.
class RememberedFiles {
public:
    explicit RememberedFiles(QString applicationName);

    /// The remembered path, or the empty string when there is none.
    QString read(const QString &key) const;
    /// Keeps `path` under `key` unless it is empty. Throws Failure when the
    /// store cannot be written.
    void remember(const QString &key, const QString &path) const;

private:
    QString m_applicationName;
};

} // namespace velmora
