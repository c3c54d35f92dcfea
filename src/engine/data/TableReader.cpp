#include "engine/data/TableReader.h"

#include "engine/data/AccessFileHeader.h"
#include "engine/data/DataErrors.h"
#include "engine/data/DataPage.h"
#include "engine/data/FieldDecoder.h"
#include "engine/data/LongValueReader.h"
#include "engine/data/PageReader.h"
#include "engine/data/RowCracker.h"
#include "engine/data/TextDecoder.h"
#include "engine/data/UsageMap.h"

#include <QtEndian>

namespace velmora {

namespace {

constexpr qint64 progressInterval = 16384;

struct RowBytes {
    const unsigned char *data = nullptr;
    int length = 0;
};

} // namespace

TableReader::TableReader(PageReader &pages, const AccessFileHeader &header)
    : m_pages(pages), m_header(header)
{
}

ColumnTable TableReader::read(const StoredTable &definition, const std::vector<int> &columns,
                              const CancelToken &cancel, const ProgressCallback &progress)
{
    const AccessFormat format = m_header.format();
    std::vector<const StoredColumn *> wanted;
    std::vector<TypedColumn> output;
    // A damaged definition may claim any row count; reserve only what the
    // file could hold.
    const qint64 plausibleRows = qBound<qint64>(0, definition.rowCount, qint64(m_pages.pageCount()) * 64);
    for (int index : columns) {
        const StoredColumn &column = definition.columns[size_t(index)];
        wanted.push_back(&column);
        output.emplace_back(column.schema.name, column.schema.valueType);
        output.back().reserve(plausibleRows);
    }

    TextDecoder text(format, m_header.codePage());
    LongValueReader longValues(m_pages, format);
    FieldDecoder decoder(text, longValues);
    RowCracker cracker(format, definition.hasVariableColumns);
    std::vector<FieldSlice> slices;
    QByteArray pageBytes;
    QByteArray movedRowPage;
    qint64 rowsRead = 0;

    auto damagedRow = [&](quint32 page, int row) {
        return m_pages.damaged(QStringLiteral("la fila %1 de la pàgina %2 de la taula «%3» no és vàlida")
                                   .arg(row)
                                   .arg(page)
                                   .arg(definition.name));
    };
    // A moved row leaves a pointer (row number, then page in three bytes)
    // where it used to be.
    auto movedRow = [&](const RowBytes &pointer, quint32 page, int row) {
        if (pointer.length < 4)
            throw damagedRow(page, row);
        const quint32 target = qFromLittleEndian<quint32>(pointer.data);
        m_pages.read(target >> 8, movedRowPage);
        const DataPage targetPage(movedRowPage, format);
        const auto located = targetPage.row(int(target & 0xFF));
        if (!targetPage.isData() || !located || located->overflow)
            throw damagedRow(target >> 8, int(target & 0xFF));
        return RowBytes{targetPage.bytes() + located->start, located->end - located->start};
    };

    for (const quint32 pageNumber : UsageMap::pages(definition.usageMap, m_pages)) {
        if (cancel.isCancelled())
            throw DataErrors::stopped();
        m_pages.read(pageNumber, pageBytes);
        const DataPage page(pageBytes, format);
        if (!page.isData() || page.owner() != definition.definitionPage)
            continue;
        for (int index = 0; index < page.rowCount(); ++index) {
            if (page.isDeleted(index))
                continue;
            const auto located = page.row(index);
            if (!located)
                throw damagedRow(pageNumber, index);
            RowBytes row{page.bytes() + located->start, located->end - located->start};
            if (located->overflow)
                row = movedRow(row, pageNumber, index);
            if (!cracker.crack(row.data, row.length, wanted, slices))
                throw damagedRow(pageNumber, index);
            for (size_t i = 0; i < wanted.size(); ++i)
                decoder.append(output[i], *wanted[i], row.data, slices[i]);
            ++rowsRead;
            if (progress && rowsRead % progressInterval == 0)
                progress(Progress{rowsRead, 0, QStringLiteral("Llegint les dades")});
        }
    }

    if (rowsRead < definition.rowCount)
        throw m_pages.damaged(QStringLiteral("la taula «%1» diu tenir %2 files, però se n'han trobat %3")
                                  .arg(definition.name)
                                  .arg(definition.rowCount)
                                  .arg(rowsRead));
    if (progress)
        progress(Progress{rowsRead, 0, QStringLiteral("Llegint les dades")});
    return ColumnTable(std::move(output), int(rowsRead));
}

} // namespace velmora
