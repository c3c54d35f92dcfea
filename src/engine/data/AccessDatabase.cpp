#include "engine/data/AccessDatabase.h"

#include "engine/core/Failure.h"
#include "engine/data/AccessFileHeader.h"
#include "engine/data/DataErrors.h"
#include "engine/data/FreePageMap.h"
#include "engine/data/LibmdbSession.h"
#include "engine/data/PageCipher.h"
#include "engine/data/PageReader.h"
#include "engine/data/TableReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <mutex>

namespace velmora {

namespace {

// The catalog table MSysObjects always has its definition on page 2.
constexpr quint32 catalogDefinitionPage = 2;
constexpr qint64 localTableType = 1;
constexpr qint64 systemObjectFlags = 0x80000002;
constexpr qint64 pageNumberMask = 0x00FFFFFF;

AccessFileHeader readHeader(const QString &path, const QString &fileName)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw Failure(DataErrors::FileMissing,
                      QStringLiteral("No es troba el fitxer de base de dades «%1».")
                          .arg(QDir::toNativeSeparators(path)));
    // Opening a named pipe or a device blocks until someone writes to it, or
    // never ends: only a regular file can be an Access file.
    if (!info.isFile())
        throw DataErrors::notAnAccessFile(fileName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(DataErrors::FileUnreadable, QStringLiteral("No es pot llegir el fitxer «%1».").arg(fileName));
    return AccessFileHeader::parse(file.read(4096), file.size(), fileName);
}

struct CatalogTable {
    QString name;
    quint32 definitionPage = 0;
};

} // namespace

class AccessDatabase::Private {
public:
    Private(const QString &path, const QString &fileName, const AccessFileHeader &header,
            std::unique_ptr<PageCipher> cipher)
        : path(path),
          fileName(fileName),
          header(header),
          pages(path, header, fileName, std::move(cipher)),
          session(path, fileName, pages)
    {
    }

    void loadCatalog();
    const CatalogTable *findTable(const QString &name) const;
    std::shared_ptr<const ColumnTable> read(const CatalogTable &table, const QStringList &columns,
                                            const CancelToken &cancel, const ProgressCallback &progress);
    const StoredTable &definitionOf(const CatalogTable &table);

    const QString path;
    const QString fileName;
    const AccessFileHeader header;
    PageReader pages;
    LibmdbSession session;
    std::vector<CatalogTable> tables;
    std::vector<CatalogTable> systemTables;
    std::map<quint32, StoredTable> definitions;
    std::mutex mutex;
};

void AccessDatabase::Private::loadCatalog()
{
    StoredTable catalog = session.readDefinition(catalogDefinitionPage, QStringLiteral("MSysObjects"), pages);
    // Access leaves the catalog's own row count stale (it counts rows it
    // has since deleted), so only its pages are checked.
    catalog.rowCount = -1;
    const TableSchema schema = catalog.schema();
    std::vector<int> wanted;
    for (const auto *name : {"Id", "Name", "Type", "Flags"}) {
        const int index = schema.columnIndex(QLatin1String(name));
        if (index < 0)
            throw pages.damaged(QStringLiteral("el catàleg no té la columna %1").arg(QLatin1String(name)));
        wanted.push_back(index);
    }
    const ColumnTable objects = TableReader(pages, header).read(catalog, wanted, CancelToken(), {});
    for (int row = 0; row < objects.rowCount(); ++row) {
        const qint64 type = objects.column(2).int64At(row).value_or(0);
        const qint64 flags = objects.column(3).int64At(row).value_or(0);
        if (type != localTableType || objects.isNull(row, 1))
            continue;
        const qint64 id = objects.column(0).int64At(row).value_or(0);
        auto &list = (flags & systemObjectFlags) != 0 ? systemTables : tables;
        list.push_back({objects.column(1).stringAt(row), quint32(id & pageNumberMask)});
    }
}

static const CatalogTable *findIn(const std::vector<CatalogTable> &list, const QString &name)
{
    for (const CatalogTable &table : list)
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

const CatalogTable *AccessDatabase::Private::findTable(const QString &name) const
{
    return findIn(tables, name);
}

const StoredTable &AccessDatabase::Private::definitionOf(const CatalogTable &table)
{
    auto found = definitions.find(table.definitionPage);
    if (found == definitions.end())
        found = definitions.emplace(table.definitionPage,
                                    session.readDefinition(table.definitionPage, table.name, pages))
                    .first;
    return found->second;
}

std::shared_ptr<AccessDatabase> AccessDatabase::open(const QString &path, const QString &databasePassword)
{
    const QString fileName = QFileInfo(path).fileName();
    const AccessFileHeader header = readHeader(path, fileName);
    auto d = std::make_unique<Private>(path, fileName, header,
                                       PageCipher::unlock(header, databasePassword, fileName));
    FreePageMap::checkFileIsWhole(d->pages, header.format());
    d->loadCatalog();
    return std::shared_ptr<AccessDatabase>(new AccessDatabase(std::move(d)));
}

AccessDatabase::AccessDatabase(std::unique_ptr<Private> d) : d(std::move(d)) {}

AccessDatabase::~AccessDatabase() = default;

QString AccessDatabase::path() const
{
    return d->path;
}

AccessFormat AccessDatabase::format() const
{
    return d->header.format();
}

QStringList AccessDatabase::tableNames() const
{
    QStringList names;
    for (const CatalogTable &table : d->tables)
        names.append(table.name);
    return names;
}

std::optional<TableSchema> AccessDatabase::schema(const QString &table) const
{
    std::lock_guard lock(d->mutex);
    const CatalogTable *found = d->findTable(table);
    if (!found)
        return std::nullopt;
    return d->definitionOf(*found).schema();
}

std::shared_ptr<const ColumnTable> AccessDatabase::readColumns(const QString &table, const QStringList &columns,
                                                               const CancelToken &cancel,
                                                               const ProgressCallback &progress) const
{
    std::lock_guard lock(d->mutex);
    const CatalogTable *found = d->findTable(table);
    if (!found)
        throw Failure(DataErrors::UnknownTable, QStringLiteral("La taula «%1» no existeix a la base de dades «%2».")
                                                    .arg(table, d->fileName));
    return d->read(*found, columns, cancel, progress);
}

std::shared_ptr<const ColumnTable> AccessDatabase::readSystemColumns(const QString &table,
                                                                     const QStringList &columns) const
{
    std::lock_guard lock(d->mutex);
    const CatalogTable *found = findIn(d->systemTables, table);
    if (!found)
        return nullptr;
    return d->read(*found, columns, CancelToken(), {});
}

std::shared_ptr<const ColumnTable> AccessDatabase::Private::read(const CatalogTable &table, const QStringList &columns,
                                                                 const CancelToken &cancel,
                                                                 const ProgressCallback &progress)
{
    const StoredTable &definition = definitionOf(table);
    const TableSchema schema = definition.schema();
    std::vector<int> wanted;
    for (const QString &column : columns) {
        const int index = schema.columnIndex(column);
        if (index < 0)
            throw Failure(DataErrors::UnknownColumn, QStringLiteral("La columna «%1» no existeix a la taula «%2».")
                                                         .arg(column, table.name));
        wanted.push_back(index);
    }
    return std::make_shared<const ColumnTable>(TableReader(pages, header).read(definition, wanted, cancel, progress));
}

} // namespace velmora
