#pragma once

#include "engine/data/StoredTable.h"

#include <QString>

#include <memory>

namespace velmora {

class PageReader;

/// The libmdb handle of one open file, used only to parse table definition
/// pages, which it reads through the file's PageReader. Every page libmdb would read for a definition is first checked to
/// lie inside the file, since libmdb goes on with stale data (or exits) when
/// a page is missing. Not thread-safe: the owner serialises calls.
class LibmdbSession {
public:
    /// Throws Failure 3003 when libmdb cannot open `path`. `pages` must
    /// outlive the session.
    LibmdbSession(const QString &path, const QString &fileName, PageReader &pages);
    ~LibmdbSession();
    LibmdbSession(const LibmdbSession &) = delete;
    LibmdbSession &operator=(const LibmdbSession &) = delete;

    /// Parses the definition at `definitionPage`; throws Failure 3004 when
    /// its pages are missing or it is not a table definition.
    StoredTable readDefinition(quint32 definitionPage, const QString &tableName, PageReader &pages);

private:
    void checkDefinitionPages(quint32 definitionPage, PageReader &pages) const;

    struct Handle;
    std::unique_ptr<Handle> m_handle;
};

} // namespace velmora
