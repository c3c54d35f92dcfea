#include "engine/writers/XlsDataWriter.h"

#include "engine/writers/PageStream.h"
#include "engine/writers/WorkbookSink.h"

#include <QHash>

#include <algorithm>

namespace velmora {

namespace {

constexpr int digitsOfANumber = 12;

CellStyle headingStyle()
{
    CellStyle style;
    style.bold = true;
    return style;
}

CellStyle numberStyle(const QString &format)
{
    CellStyle style;
    style.numberFormat = format;
    return style;
}

/// Writes the table into sheets, starting the next sheet when one is full.
class DataSheets {
public:
    DataSheets(WorkbookSink &book, const QStringList &headings)
        : m_book(book)
        , m_headings(headings.mid(0, book.maxColumns()))
        , m_widths(size_t(m_headings.size()), 0)
        , m_headingXf(book.xfIndex(headingStyle()))
    {
        startSheet();
    }

    void addRecord(const std::vector<Value> &values)
    {
        if (m_row == m_book.maxRows())
            startSheet();
        const size_t columns = std::min(values.size(), m_widths.size());
        for (size_t column = 0; column < columns; ++column) {
            const ExcelCell cell = ExcelCell::from(values[column]);
            m_book.writeCell(m_row, quint16(column), cell, xfFor(cell.defaultFormat));
            const int width = cell.kind == ExcelCell::Kind::Text ? int(cell.text.size()) : digitsOfANumber;
            m_widths[column] = std::max(m_widths[column], width);
        }
        ++m_row;
    }

    void finish() { applyWidths(); }

private:
    void startSheet()
    {
        if (m_sheets > 0)
            applyWidths();
        ++m_sheets;
        m_book.beginSheet(m_sheets == 1 ? QStringLiteral("Dades")
                                        : QStringLiteral("Dades (%1)").arg(m_sheets));
        for (qsizetype column = 0; column < m_headings.size(); ++column) {
            m_book.writeText(0, quint16(column), m_headings[column], m_headingXf);
            m_widths[size_t(column)] = std::max(m_widths[size_t(column)], int(m_headings[column].size()));
        }
        m_row = 1;
    }

    void applyWidths()
    {
        for (size_t column = 0; column < m_widths.size(); ++column) {
            const int characters = std::clamp(m_widths[column] + 2, 8, 60);
            m_book.setColumnWidth(quint16(column), quint16(characters * 256));
        }
    }

    quint16 xfFor(const QString &format)
    {
        auto found = m_xfByFormat.constFind(format);
        if (found == m_xfByFormat.constEnd())
            found = m_xfByFormat.insert(format, m_book.xfIndex(numberStyle(format)));
        return *found;
    }

    WorkbookSink &m_book;
    QStringList m_headings;
    std::vector<int> m_widths;
    quint16 m_headingXf;
    QHash<QString, quint16> m_xfByFormat;
    quint32 m_row = 0;
    int m_sheets = 0;
};

} // namespace

void XlsDataWriter::write(const RecordTable &records, WorkbookSink &book, AtomicFileWriter &file,
                          const CancelToken &cancel, const ProgressCallback &progress) const
{
    DataSheets sheets(book, records.headings());
    PageStream::forEachRecord(records, cancel, progress,
                              [&](const std::vector<Value> &values) { sheets.addRecord(values); });
    sheets.finish();
    book.finish(file);
}

} // namespace velmora
