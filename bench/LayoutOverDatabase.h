#pragma once

// A report definition set up to be laid out over one database file, every
// table of it read from there.

#include "engine/layout/ReportLayout.h"

namespace velmora::bench {

inline LayoutInput layoutOver(const ReportDefinition &definition, const QString &database)
{
    LayoutInput input;
    input.definition = std::make_shared<ReportDefinition>(definition);
    for (const TableDefinition &t : definition.tables)
        input.tables[t.alias] = TableLocation{database, QString(), true};
    return input;
}

} // namespace velmora::bench
