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

#include <atomic>
#include <exception>
#include <thread>

namespace velmora {

namespace {

constexpr qint64 progressInterval = 16384;
/// A table of fewer pages is read by one thread: a second would cost more
/// to start than it saves.
constexpr size_t pagesWorthSharing = 32;

struct RowBytes {
    const unsigned char *data = nullptr;
    int length = 0;
};

/// The rows of a run of a table's pages, decoded by one thread into columns
/// of its own. Each part has its own decoders; the page reader is shared.
class TablePart {
public:
    TablePart(PageReader &pages, const AccessFileHeader &header, const StoredTable &definition,
              const std::vector<const StoredColumn *> &wanted, qint64 expectedRows)
        : m_pages(pages),
          m_format(header.format()),
          m_definition(definition),
          m_wanted(wanted),
          m_text(m_format, header.codePage()),
          m_longValues(pages, m_format),
          m_decoder(m_text, m_longValues),
          m_cracker(m_format, definition.hasVariableColumns)
    {
        for (const StoredColumn *column : wanted) {
            m_columns.emplace_back(column->schema.name, column->schema.valueType);
            m_columns.back().reserve(expectedRows);
        }
    }

    /// Reads pages [first, last) of `pageNumbers`; `rowRead` is called after
    /// each row (it may throw to stop).
    template<typename RowRead>
    void read(const std::vector<quint32> &pageNumbers, size_t first, size_t last, RowRead &&rowRead)
    {
        for (size_t p = first; p < last; ++p) {
            const quint32 pageNumber = pageNumbers[p];
            m_pages.read(pageNumber, m_pageBytes);
            const DataPage page(m_pageBytes, m_format);
            if (!page.isData() || page.owner() != m_definition.definitionPage)
                continue;
            for (int index = 0; index < page.rowCount(); ++index) {
                if (page.isDeleted(index))
                    continue;
                readRow(page, pageNumber, index);
                ++m_rows;
                rowRead();
            }
        }
    }

    qint64 rows() const { return m_rows; }
    std::vector<TypedColumn> &columns() { return m_columns; }

private:
    void readRow(const DataPage &page, quint32 pageNumber, int index)
    {
        const auto located = page.row(index);
        if (!located)
            throw damagedRow(pageNumber, index);
        RowBytes row{page.bytes() + located->start, located->end - located->start};
        if (located->overflow)
            row = movedRow(row, pageNumber, index);
        if (!m_cracker.crack(row.data, row.length, m_wanted, m_slices))
            throw damagedRow(pageNumber, index);
        for (size_t i = 0; i < m_wanted.size(); ++i)
            m_decoder.append(m_columns[i], *m_wanted[i], row.data, m_slices[i]);
    }

    Failure damagedRow(quint32 page, int row) const
    {
        return m_pages.damaged(QStringLiteral("la fila %1 de la pàgina %2 de la taula «%3» no és vàlida")
                                   .arg(row)
                                   .arg(page)
                                   .arg(m_definition.name));
    }

    // A moved row leaves a pointer (row number, then page in three bytes)
    // where it used to be.
    RowBytes movedRow(const RowBytes &pointer, quint32 page, int row)
    {
        if (pointer.length < 4)
            throw damagedRow(page, row);
        const quint32 target = qFromLittleEndian<quint32>(pointer.data);
        m_pages.read(target >> 8, m_movedRowPage);
        const DataPage targetPage(m_movedRowPage, m_format);
        const auto located = targetPage.row(int(target & 0xFF));
        if (!targetPage.isData() || !located || located->overflow)
            throw damagedRow(target >> 8, int(target & 0xFF));
        return RowBytes{targetPage.bytes() + located->start, located->end - located->start};
    }

    PageReader &m_pages;
    const AccessFormat m_format;
    const StoredTable &m_definition;
    const std::vector<const StoredColumn *> &m_wanted;
    TextDecoder m_text;
    LongValueReader m_longValues;
    FieldDecoder m_decoder;
    RowCracker m_cracker;
    std::vector<FieldSlice> m_slices;
    QByteArray m_pageBytes;
    QByteArray m_movedRowPage;
    std::vector<TypedColumn> m_columns;
    qint64 m_rows = 0;
};

/// Thrown inside a part to end it early when the other part has failed.
struct Abandoned {};

} // namespace

TableReader::TableReader(PageReader &pages, const AccessFileHeader &header)
    : m_pages(pages), m_header(header)
{
}

ColumnTable TableReader::read(const StoredTable &definition, const std::vector<int> &columns,
                              const CancelToken &cancel, const ProgressCallback &progress)
{
    std::vector<const StoredColumn *> wanted;
    for (int index : columns)
        wanted.push_back(&definition.columns[size_t(index)]);
    const std::vector<quint32> pageNumbers = UsageMap::pages(definition.usageMap, m_pages);
    // A damaged definition may claim any row count; reserve only what the
    // file could hold.
    const qint64 plausibleRows = qBound<qint64>(0, definition.rowCount, qint64(m_pages.pageCount()) * 64);

    // Large tables are read by two threads, each decoding half of the pages;
    // the rows of the second half follow those of the first. Progress is
    // reported from this thread only, counting the rows of both.
    const bool shared = pageNumbers.size() >= pagesWorthSharing;
    const size_t split = shared ? pageNumbers.size() / 2 : pageNumbers.size();
    const qint64 partRows = shared ? plausibleRows / 2 + plausibleRows / 16 : plausibleRows;
    TablePart first(m_pages, m_header, definition, wanted, partRows);
    std::optional<TablePart> second;
    std::atomic<qint64> secondRows{0};
    std::atomic<bool> stop{false};
    std::exception_ptr secondFailure;
    std::thread worker;
    if (shared) {
        second.emplace(m_pages, m_header, definition, wanted, partRows);
        worker = std::thread([&] {
            try {
                second->read(pageNumbers, split, pageNumbers.size(), [&] {
                    secondRows.fetch_add(1, std::memory_order_relaxed);
                    if (stop.load(std::memory_order_relaxed) || cancel.isCancelled())
                        throw Abandoned{};
                });
            } catch (const Abandoned &) {
            } catch (...) {
                secondFailure = std::current_exception();
                stop = true;
            }
        });
    }
    const auto rowsSoFar = [&] { return first.rows() + secondRows.load(std::memory_order_relaxed); };
    try {
        first.read(pageNumbers, 0, split, [&] {
            if ((first.rows() & 0xFF) == 0 && (cancel.isCancelled() || stop.load(std::memory_order_relaxed)))
                throw Abandoned{};
            if (progress && first.rows() % (shared ? progressInterval / 2 : progressInterval) == 0)
                progress(Progress{rowsSoFar(), 0, QStringLiteral("Llegint les dades")});
        });
    } catch (const Abandoned &) {
    } catch (...) {
        stop = true;
        if (worker.joinable())
            worker.join();
        throw;
    }
    if (worker.joinable())
        worker.join();
    if (secondFailure)
        std::rethrow_exception(secondFailure);
    if (cancel.isCancelled())
        throw DataErrors::stopped();

    std::vector<TypedColumn> output = std::move(first.columns());
    if (second)
        for (size_t i = 0; i < output.size(); ++i)
            output[i].appendRows(std::move(second->columns()[i]));
    const qint64 rowsRead = first.rows() + (second ? second->rows() : 0);
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
