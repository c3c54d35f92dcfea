#pragma once

#include "engine/data/AliasedTable.h"
#include "engine/data/JoinLink.h"
#include "engine/data/JoinedRows.h"
#include "engine/page/PageSource.h"

#include <vector>

namespace velmora {

/// Joins the tables of a report through their links with hash joins. The
/// first table drives: joined rows come in its row order, each expanded by
/// the links in the order given (a link is taken once one of its tables has
/// joined). A link whose "from" table joins later keeps, for an outer join,
/// the unmatched rows of that table at the end. A link between two tables
/// already joined filters the rows (an outer one keeps rows whose "to" side
/// is missing). Every table must be reached by the links.
class TableJoiner {
public:
    /// Throws Failure 3020-3024 for unknown aliases or fields, unequal key
    /// lists, duplicate aliases or tables no link reaches, and "stopped"
    /// when cancelled.
    static JoinedRows join(const std::vector<AliasedTable> &tables, const std::vector<JoinLink> &links,
                           const CancelToken &cancel);
};

} // namespace velmora
