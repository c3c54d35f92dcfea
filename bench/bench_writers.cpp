// Export throughput on dense pages (7 columns x 50 lines = 350 texts a
// page): every writer, plus QPdfWriter painting the same texts as a floor
// for the PDF writer. With --big, the memory an Excel layout export of a
// 19,000-page report (1.2 million cells) takes.
//
// With --qt-floor, only Qt's painting of that many dense pages into a PDF:
// the floor the PDF export of a large report is compared with.
//
// Usage: bench_writers [pages] | bench_writers --big | bench_writers --qt-floor pages

#include "engine/render/FontResolver.h"
#include "engine/writers/WriteExport.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

using namespace velmora;

namespace {

Page densePage(int index, int columns, int lines)
{
    Page page;
    page.number = index + 1;
    for (int line = 0; line < lines; ++line) {
        for (int column = 0; column < columns; ++column) {
            TextItem text;
            text.box = QRect(720 + column * 1500, 720 + line * 300, 1400, 240);
            text.baseline = 190;
            text.font.pointSize = 8;
            if (column == 0) {
                text.text = QStringLiteral("Client %1 Cèl·lula").arg(index * lines + line);
                text.value = Value::string(text.text);
            } else {
                const double amount = (index * lines + line) * 1.25 + column;
                text.text = QString::number(amount, 'f', 2);
                text.value = Value::number(amount);
                text.cellFormat = QStringLiteral("#,##0.00");
                text.alignment = HorizontalAlignment::Right;
            }
            page.items.push_back(text);
        }
    }
    return page;
}

class DensePages : public PageSource {
public:
    DensePages(int count, int columns, int lines) : m_count(count), m_columns(columns), m_lines(lines) {}
    int layOutUntil(int index, const CancelToken &, const ProgressCallback &) override
    {
        return index < 0 ? m_count : std::min(index + 1, m_count);
    }
    bool isComplete() const override { return true; }
    int pagesLaidOut() const override { return m_count; }
    Page page(int index) const override { return densePage(index, m_columns, m_lines); }
    std::vector<ContentsEntry> contents() const override
    {
        std::vector<ContentsEntry> entries;
        for (int i = 0; i < m_count; i += 10)
            entries.push_back({QStringLiteral("Grup %1").arg(i), 0, i, 720});
        return entries;
    }
    qint64 recordCount() const override { return qint64(m_count) * m_lines; }
    QString title() const override { return QStringLiteral("Prova de velocitat"); }

private:
    int m_count, m_columns, m_lines;
};

class ManyRecords : public RecordTable {
public:
    explicit ManyRecords(qint64 count) : m_count(count) {}
    QStringList headings() const override
    {
        return {QStringLiteral("Nom"), QStringLiteral("Quantitat"), QStringLiteral("Import"), QStringLiteral("Data")};
    }
    void forEachRecord(const std::function<bool(const std::vector<Value> &)> &row, const CancelToken &) const override
    {
        for (qint64 i = 0; i < m_count; ++i) {
            if (!row({Value::string(QStringLiteral("Client %1").arg(i)), Value::integer(i),
                      Value::currency(Currency{i * 125}), Value::date(DateTime{i % 40000 * DateTime::msecsPerDay})}))
                return;
        }
    }

private:
    qint64 m_count;
};

double seconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

void exportPages(const QString &path, qint32 format, int pages)
{
    DensePages source(pages, 7, 50);
    ExportRequest request{.formatType = format, .path = path};
    request.pages = &source;
    writeExport(request, CancelToken());
}

void paintWithQPdfWriter(const QString &path, int pages)
{
    DensePages source(pages, 7, 50);
    QPdfWriter writer(path);
    writer.setResolution(1440);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF());
    QPainter painter(&writer);
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        for (const PageItem &item : source.page(i).items) {
            const auto &text = std::get<TextItem>(item);
            painter.setFont(toQFont(text.font));
            const Qt::Alignment align = text.alignment == HorizontalAlignment::Right ? Qt::AlignRight : Qt::AlignLeft;
            painter.drawText(text.box, int(align | Qt::AlignVCenter), text.text);
        }
    }
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void report(const char *what, int pages, double elapsed, const QString &file)
{
    std::printf("%-28s %6d pages %8.2f s %9.0f pages/s %8lld KB\n", what, pages, elapsed, pages / elapsed,
                QFileInfo(file).size() / 1024);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    const auto path = [&](const char *name) { return folder.filePath(QString::fromLatin1(name)); };

    if (app.arguments().value(1) == QStringLiteral("--big")) {
        // 19,000 pages of 7 columns x 9 lines: 1.2 million cells.
        DensePages source(19'000, 7, 9);
        ExportRequest request{.formatType = ExportFormat::ExcelLayout, .path = path("big.xls")};
        request.pages = &source;
        const double elapsed = seconds([&] { writeExport(request, CancelToken()); });
        std::printf("Excel layout, 19000 pages, 1.2M cells: %.1f s, %lld MB, peak RSS %ld MB\n", elapsed,
                    QFileInfo(request.path).size() >> 20, peakMegabytes());
        return 0;
    }

    if (app.arguments().value(1) == QStringLiteral("--qt-floor")) {
        const int floorPages = app.arguments().value(2, QStringLiteral("200")).toInt();
        report("PDF (QPdfWriter floor)", floorPages, seconds([&] { paintWithQPdfWriter(path("q.pdf"), floorPages); }), path("q.pdf"));
        return 0;
    }

    const int pages = app.arguments().value(1, QStringLiteral("200")).toInt();
    report("PDF", pages, seconds([&] { exportPages(path("a.pdf"), ExportFormat::PDF, pages); }), path("a.pdf"));
    report("PDF (QPdfWriter floor)", pages, seconds([&] { paintWithQPdfWriter(path("q.pdf"), pages); }), path("q.pdf"));
    report("Excel layout (29)", pages, seconds([&] { exportPages(path("a.xls"), ExportFormat::ExcelLayout, pages); }), path("a.xls"));
    report("Word/RTF (14)", pages, seconds([&] { exportPages(path("a.doc"), ExportFormat::Word, pages); }), path("a.doc"));
    report("Text (8)", pages, seconds([&] { exportPages(path("a.txt"), ExportFormat::Text, pages); }), path("a.txt"));

    const qint64 records = 200'000;
    ManyRecords table(records);
    ExportRequest data{.formatType = ExportFormat::ExcelData, .path = path("d.xls")};
    data.records = &table;
    const double elapsed = seconds([&] { writeExport(data, CancelToken()); });
    std::printf("%-28s %6lld rows  %8.2f s %9.0f rows/s %8lld KB\n", "Excel data (36)", records, elapsed,
                records / elapsed, QFileInfo(data.path).size() / 1024);
    std::printf("peak RSS %ld MB\n", peakMegabytes());
    return 0;
}
