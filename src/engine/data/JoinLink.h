#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

enum class JoinKind {
    Inner,     ///< only rows with a partner on both sides
    LeftOuter, ///< every row of the "from" side, with a missing partner if none
};

/// A link between two tables of a report: the key fields of the "from" table
/// equal, one by one, the key fields of the "to" table.
struct JoinLink {
    QString fromAlias;
    QStringList fromFields;
    QString toAlias;
    QStringList toFields;
    JoinKind kind = JoinKind::Inner;
};

} // namespace velmora
