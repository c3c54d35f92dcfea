#include "AccessReading.h"
#include "FuzzEntries.h"

#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>

namespace velmora::fuzzing {

QByteArray accessBaseFile(const char *name)
{
    QFile file(QStringLiteral(VELMORA_FUZZ_BASE_FOLDER "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("a base Access file is missing");
    return file.readAll();
}

QString writeScratchAccessFile(const QByteArray &bytes)
{
    static const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input.mdb"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write the scratch Access file");
    return path;
}

void readEveryColumnOfEveryTable(const AccessDatabase &database)
{
    for (const QString &table : database.tableNames()) {
        const std::optional<TableSchema> schema = database.schema(table);
        if (!schema)
            throw BrokenPromise("a listed table has no schema");
        QStringList columns;
        for (const ColumnSchema &column : schema->columns)
            columns.append(column.name);
        database.readColumns(table, columns, CancelToken());
    }
}

} // namespace velmora::fuzzing
