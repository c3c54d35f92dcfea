#include "FuzzEntries.h"
#include "PatchedInput.h"

#include "engine/data/AccessDatabase.h"

#include <QFile>
#include <QTemporaryDir>

#include <array>

namespace velmora::fuzzing {

namespace {

// Small real files the input may start from. An Access file is tens of
// kilobytes before its first user table, which blind mutation of whole
// files would rarely get past; patching a real file reaches every page
// libmdb and the page reader parse, with inputs of a few bytes.
constexpr std::array<const char *, 4> baseFiles{"charsetGBK.mdb", "testV1997.mdb", "db97-enc.mdb", "db-enc.mdb"};

QByteArray baseFile(unsigned char choice)
{
    QFile file(QStringLiteral(VELMORA_FUZZ_BASE_FOLDER "/") + QLatin1String(baseFiles[choice % baseFiles.size()]));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("a base Access file is missing");
    return file.readAll();
}

// One folder for the whole run: a fresh temporary file for every input
// would spend most of the run in the file system.
QString scratchFile()
{
    static const QTemporaryDir folder;
    return folder.filePath(QStringLiteral("input.mdb"));
}

void writeWhole(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write the scratch Access file");
}

} // namespace

// Opens the file with no password and reads every column of every table,
// as laying out a report over it would.
void readAccessFile(const QByteArray &input)
{
    const QString path = scratchFile();
    writeWhole(path, patchedInput(input, baseFile));
    const auto database = AccessDatabase::open(path, QString());
    for (const QString &table : database->tableNames()) {
        const std::optional<TableSchema> schema = database->schema(table);
        if (!schema)
            throw BrokenPromise("a listed table has no schema");
        QStringList columns;
        for (const ColumnSchema &column : schema->columns)
            columns.append(column.name);
        database->readColumns(table, columns, CancelToken());
    }
}

} // namespace velmora::fuzzing
