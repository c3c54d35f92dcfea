#pragma once

#include <QString>

namespace velmora {

/// Checks a folder text before a list opens it.
class FolderAccess {
public:
    /// The folder as a clean absolute path, native separators, with a
    /// trailing separator only for a volume root. Fails (7104) when the text
    /// names no folder that can be listed: missing, not a folder, unreadable,
    /// or on a volume no longer there.
    static QString openable(const QString &folder);
};

} // namespace velmora
