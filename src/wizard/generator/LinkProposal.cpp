#include "wizard/generator/LinkProposal.h"

#include <deque>

namespace velmora::wizard {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

int indexOf(const QStringList &tables, const QString &name)
{
    for (int i = 0; i < tables.size(); ++i)
        if (sameName(tables[i], name))
            return i;
    return -1;
}

/// The relationship as a link from `from`, which is one of its two ends.
TableLink linkFrom(const QString &from, const QString &to, const StoredRelationship &relationship)
{
    const bool forward = sameName(relationship.table, from);
    TableLink link;
    link.fromAlias = from;
    link.toAlias = to;
    link.fromFields = forward ? relationship.columns : relationship.referencedColumns;
    link.toFields = forward ? relationship.referencedColumns : relationship.columns;
    return link;
}

} // namespace

LinkProposal proposeLinks(const QStringList &tables, const std::vector<StoredRelationship> &relationships)
{
    LinkProposal proposal;
    if (tables.isEmpty())
        return proposal;
    std::vector<bool> reached(size_t(tables.size()), false);
    std::deque<int> waiting{0};
    reached[0] = true;
    while (!waiting.empty()) {
        const int from = waiting.front();
        waiting.pop_front();
        for (const StoredRelationship &relationship : relationships) {
            QString other;
            if (sameName(relationship.table, tables[from]))
                other = relationship.referencedTable;
            else if (sameName(relationship.referencedTable, tables[from]))
                other = relationship.table;
            const int to = other.isEmpty() ? -1 : indexOf(tables, other);
            if (to < 0 || reached[size_t(to)])
                continue;
            reached[size_t(to)] = true;
            proposal.links.push_back(linkFrom(tables[from], tables[to], relationship));
            waiting.push_back(to);
        }
    }
    for (int i = 0; i < tables.size(); ++i)
        if (!reached[size_t(i)])
            proposal.unreached << tables[i];
    return proposal;
}

void keepJoinTypes(std::vector<TableLink> &proposed, const std::vector<TableLink> &chosen)
{
    for (TableLink &link : proposed)
        for (const TableLink &before : chosen)
            if (sameName(link.fromAlias, before.fromAlias) && sameName(link.toAlias, before.toAlias)
                && link.fromFields == before.fromFields && link.toFields == before.toFields)
                link.join = before.join;
}

} // namespace velmora::wizard
