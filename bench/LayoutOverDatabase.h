#pragma once

// A report definition set up to be laid out over one database file, every
// table of it read from there.

#include "engine/layout/ReportLayout.h"

#include <memory>

namespace velmora::bench {

/// `reportDirectory` is where the report's relative paths (pictures,
/// subreports) are read from; empty for none.
inline LayoutInput layoutOver(std::shared_ptr<ReportDefinition> definition, const QString &database,
                              const QString &reportDirectory = QString())
{
    LayoutInput input;
    input.reportDirectory = reportDirectory;
    for (const TableDefinition &t : definition->tables)
        input.tables[t.alias] = TableLocation{database, QString(), true};
    input.definition = std::move(definition);
    return input;
}

inline LayoutInput layoutOver(const ReportDefinition &definition, const QString &database)
{
    return layoutOver(std::make_shared<ReportDefinition>(definition), database);
}

} // namespace velmora::bench
