#pragma once

#include "engine/data/ColumnTable.h"
#include "engine/data/StoredTable.h"
#include "engine/page/PageSource.h"

namespace velmora {

class AccessFileHeader;
class PageReader;

/// Reads chosen columns of every row of one table into a ColumnTable: it
/// walks the pages the table's usage map lists, skips deleted rows, follows
/// moved rows, and decodes only the columns asked for. Fewer rows than the
/// count the table definition keeps means pages are missing, and the read
/// fails rather than return part of the table (a negative count skips that
/// check).
class TableReader {
public:
    TableReader(PageReader &pages, const AccessFileHeader &header);

    /// `columns` are indexes into `definition.columns`. Throws Failure 3004
    /// for damage, and the "stopped" failure when `cancel` is set.
    ColumnTable read(const StoredTable &definition, const std::vector<int> &columns,
                     const CancelToken &cancel, const ProgressCallback &progress);

private:
    PageReader &m_pages;
    const AccessFileHeader &m_header;
};

} // namespace velmora
