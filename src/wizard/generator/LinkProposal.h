#pragma once

#include "engine/data/StoredRelationships.h"
#include "engine/definition/ReportDefinition.h"

#include <QStringList>

#include <vector>

namespace velmora::wizard {

/// The links that join the chosen tables, found among the relationships
/// the database keeps: from the first table outwards, each table joined to
/// one already joined, inner joins. `unreached` names the tables no chain
/// of relationships leads to; a report cannot be made of those.
struct LinkProposal {
    std::vector<TableLink> links;
    QStringList unreached;
};

LinkProposal proposeLinks(const QStringList &tables, const std::vector<StoredRelationship> &relationships);

/// Keeps the join type the person chose for a link that is proposed again
/// (same tables, same fields), after the tables changed.
void keepJoinTypes(std::vector<TableLink> &proposed, const std::vector<TableLink> &chosen);

} // namespace velmora::wizard
