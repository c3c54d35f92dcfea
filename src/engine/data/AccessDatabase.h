#pragma once

#include "engine/data/AccessFormat.h"
#include "engine/data/ColumnTable.h"
#include "engine/data/TableSchema.h"
#include "engine/page/PageSource.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace velmora {

/// An open Access file (Access 97, 2000-2003 or .accdb), checked when it is
/// opened: it must be an Access file, whole, and the database password must
/// match the one its header keeps, or, for an .accdb encrypted under its
/// password, be accepted by the encryption header's verifier. Lists its user tables, describes their
/// columns and reads chosen columns into a ColumnTable with exact values.
/// Table and column names are matched ignoring case, as Access does. All
/// members are thread-safe (reads are serialised).
class AccessDatabase {
public:
    /// Throws Failure 3001-3007 (docs/data.md) naming the file.
    static std::shared_ptr<AccessDatabase> open(const QString &path, const QString &databasePassword);
    ~AccessDatabase();
    AccessDatabase(const AccessDatabase &) = delete;
    AccessDatabase &operator=(const AccessDatabase &) = delete;

    QString path() const;
    AccessFormat format() const;

    /// User tables (no system or linked tables) in catalog order.
    QStringList tableNames() const;
    std::optional<TableSchema> schema(const QString &table) const;

    /// Every row of `table`, with only `columns`, in that order and with the
    /// names as the table spells them. Throws Failure 3010/3011 for an
    /// unknown table or column, 3004 for damage, "stopped" when cancelled.
    std::shared_ptr<const ColumnTable> readColumns(const QString &table, const QStringList &columns,
                                                   const CancelToken &cancel,
                                                   const ProgressCallback &progress = {}) const;

    /// Rows of a system table (MSysRelationships, say) read as readColumns
    /// reads a user table; null when the file has no system table of that name.
    std::shared_ptr<const ColumnTable> readSystemColumns(const QString &table, const QStringList &columns) const;

private:
    class Private;
    explicit AccessDatabase(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
};

} // namespace velmora
