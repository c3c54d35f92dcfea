#pragma once

#include "engine/data/ColumnTable.h"

#include <QString>

#include <memory>

namespace velmora {

/// A table as a report uses it: rows read from the database under the name
/// (alias) the report's links and formulas give it.
struct AliasedTable {
    QString alias;
    std::shared_ptr<const ColumnTable> table;
};

} // namespace velmora
