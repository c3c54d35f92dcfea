// A cross-tab of client by month over the million order lines of the large
// database (5,000 rows by 84 months, many bands of columns across), laid out
// and written to PDF, against the time mdb-export needs just to read the
// lines, measured in the same run; then the peak memory of the same records
// read without the cross-tab and with it.
//
//   bench_crosstab_gran [database] [runs]
//
// The database defaults to ../shared/fixtures/gran.mdb beside the checkout.

#include "BenchFigures.h"
#include "LayoutOverDatabase.h"
#include "engine/core/Failure.h"
#include "engine/definition/ReportReader.h"
#include "engine/layout/ReportLayout.h"
#include "engine/writers/WriteExport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

using namespace velmora;

namespace {

/// Starts counting this process's peak memory again (Linux 4.0 onwards).
void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

/// The peak resident memory since the last reset, from /proc/self/status.
double peakSinceResetMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0;
}

/// Seconds from reading the report to the PDF written.
double reportToPdf(const QString &database, std::shared_ptr<ReportDefinition> definition, const QString &reportPath,
                   const QString &pdf, int *pages)
{
    QElapsedTimer timer;
    timer.start();
    LayoutInput input = bench::layoutOver(definition, database, QFileInfo(reportPath).absolutePath());
    ReportLayout layout = createReportLayout(input);
    CancelToken cancel;
    *pages = layout.pages->layOutUntil(-1, cancel);
    ExportRequest request{.formatType = ExportFormat::PDF, .path = pdf};
    request.pages = layout.pages.get();
    request.title = definition->title;
    writeExport(request, cancel);
    return timer.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString database = bench::largeDatabase(argc, argv, 1);
    const int runs = bench::runCount(argc, argv, 2);
    if (!bench::databaseIsPresent(database))
        return 0;
    const QString report = QStringLiteral(VELMORA_SOURCE_DIR "/bench/clients-per-mes.rpt");
    QTemporaryDir scratch;
    try {
        const auto withCrossTab = std::make_shared<ReportDefinition>(readReportFile(report));
        // The same records read and laid out, without the cross-tab: what
        // memory the lines take, so that the cross-tab's own shows.
        auto withoutCrossTab = std::make_shared<ReportDefinition>(*withCrossTab);
        withoutCrossTab->sections[1].objects.clear();
        std::vector<double> floor, crossTab;
        int pages = 0, plainPages = 0;
        const QString pdf = scratch.filePath(QStringLiteral("t.pdf"));
        resetPeakMemory();
        reportToPdf(database, withoutCrossTab, report, pdf, &plainPages);
        const double linesPeak = peakSinceResetMegabytes();
        resetPeakMemory();
        // Alternated, so that both see the same state of the machine.
        for (int r = 0; r < runs; ++r) {
            floor.push_back(bench::mdbExportSeconds(database));
            crossTab.push_back(reportToPdf(database, withCrossTab, report, pdf, &pages));
        }
        const double crossTabPeak = peakSinceResetMegabytes();
        const double f = bench::median(floor), c = bench::median(crossTab);
        std::printf("Cross-tab of client by month over %s, %d runs (medians)\n",
                    qPrintable(QFileInfo(database).fileName()), runs);
        std::printf("  floor: mdb-export LiniesComanda   %.2f s\n", f);
        std::printf("  cross-tab to PDF, %d pages      %.2f s  (%.2f x the floor)\n", pages, c, c / f);
        std::printf("  peak memory: reading the lines without the cross-tab %.0f MB, with it %.0f MB\n", linesPeak,
                    crossTabPeak);
    } catch (const Failure &failure) {
        std::printf("failure %d: %s\n", failure.number(), qPrintable(failure.description()));
        return 1;
    }
    return 0;
}
