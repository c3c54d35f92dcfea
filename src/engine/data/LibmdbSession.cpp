#include "engine/data/LibmdbSession.h"

#include "engine/core/Failure.h"
#include "engine/data/DataErrors.h"
#include "engine/data/LibmdbPageStream.h"
#include "engine/data/PageReader.h"

#include <QFile>
#include <QtEndian>

#include <mdbtools.h>

#include <cstring>

namespace velmora {

namespace {

constexpr unsigned char definitionPageType = 0x02;

struct TableFreer {
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};

StoredColumn storedColumn(const MdbColumn &column, AccessFormat format)
{
    StoredColumn stored;
    ColumnSchema &schema = stored.schema;
    schema.name = QString::fromUtf8(column.name);
    schema.accessType = accessTypeFromCode(column.col_type);
    const bool twoBytesPerCharacter = format != AccessFormat::Jet3 && schema.accessType == AccessType::Text;
    schema.size = twoBytesPerCharacter ? column.col_size / 2 : column.col_size;
    // libmdb 1.0 reads the two bytes of a Jet 4 Decimal the wrong way round;
    // a scale is never larger than its precision, so order them by size.
    schema.precision = qMax(column.col_prec, column.col_scale);
    schema.scale = qMin(column.col_prec, column.col_scale);
    schema.valueType = valueTypeOf(schema.accessType, schema.precision, schema.scale);
    stored.nullBit = column.col_num;
    stored.fixed = column.is_fixed != 0;
    stored.fixedOffset = column.fixed_offset;
    stored.variableIndex = int(column.var_col_num);
    return stored;
}

} // namespace

struct LibmdbSession::Handle {
    explicit Handle(MdbHandle *mdb) : mdb(mdb) {}
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    MdbHandle *mdb;
};

LibmdbSession::LibmdbSession(const QString &path, const QString &fileName, PageReader &pages)
    : m_handle(std::make_unique<Handle>(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS)))
{
    if (!m_handle->mdb)
        throw DataErrors::notAnAccessFile(fileName);
    std::FILE *stream = LibmdbPageStream::open(pages);
    if (!stream)
        throw Failure(DataErrors::FileUnreadable, QStringLiteral("No es pot llegir el fitxer «%1».").arg(fileName));
    std::fclose(m_handle->mdb->f->stream);
    m_handle->mdb->f->stream = stream;
    // The stream gives pages already revealed: libmdb must not undo the
    // Jet page encoding a second time.
    m_handle->mdb->f->db_key = 0;
}

LibmdbSession::~LibmdbSession() = default;

void LibmdbSession::checkDefinitionPages(quint32 definitionPage, PageReader &pages) const
{
    QByteArray page;
    const int usageMapOffset = m_handle->mdb->fmt->tab_usage_map_offset;
    quint32 current = definitionPage;
    for (quint32 count = 0; current != 0; ++count) {
        if (count >= pages.pageCount())
            throw pages.damaged(QStringLiteral("la definició de la taula de la pàgina %1 no s'acaba")
                                    .arg(definitionPage));
        pages.read(current, page);
        if (static_cast<unsigned char>(page[0]) != definitionPageType)
            throw pages.damaged(QStringLiteral("la pàgina %1 no és una definició de taula").arg(current));
        if (current == definitionPage) {
            for (int map = 0; map < 2; ++map) {
                const quint32 mapPage =
                    qFromLittleEndian<quint32>(page.constData() + usageMapOffset + 4 * map) >> 8;
                if (!pages.contains(mapPage))
                    throw pages.damaged(QStringLiteral("el mapa de pàgines de la taula és a la "
                                                       "pàgina %1, fora del fitxer")
                                            .arg(mapPage));
            }
        }
        current = qFromLittleEndian<quint32>(page.constData() + 4);
    }
}

StoredTable LibmdbSession::readDefinition(quint32 definitionPage, const QString &tableName,
                                              PageReader &pages)
{
    const AccessFormat format = m_handle->mdb->f->jet_version == MDB_VER_JET3 ? AccessFormat::Jet3
                                : m_handle->mdb->f->jet_version == MDB_VER_JET4 ? AccessFormat::Jet4
                                                                                : AccessFormat::Ace;
    checkDefinitionPages(definitionPage, pages);

    MdbCatalogEntry entry;
    std::memset(&entry, 0, sizeof entry);
    entry.mdb = m_handle->mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = definitionPage;
    const QByteArray name = tableName.toUtf8().left(MDB_MAX_OBJ_NAME);
    std::memcpy(entry.object_name, name.constData(), size_t(name.size()));

    std::unique_ptr<MdbTableDef, TableFreer> table(mdb_read_table(&entry));
    if (!table || !mdb_read_columns(table.get()))
        throw pages.damaged(QStringLiteral("no es pot llegir la definició de la taula «%1»").arg(tableName));

    StoredTable definition;
    definition.name = tableName;
    definition.definitionPage = definitionPage;
    definition.rowCount = table->num_rows;
    definition.hasVariableColumns = table->num_var_cols > 0;
    if (table->usage_map)
        definition.usageMap = QByteArray(reinterpret_cast<const char *>(table->usage_map),
                                         qsizetype(table->map_sz));
    for (guint i = 0; i < table->columns->len; ++i)
        definition.columns.push_back(
            storedColumn(*static_cast<const MdbColumn *>(g_ptr_array_index(table->columns, i)), format));
    return definition;
}

} // namespace velmora
