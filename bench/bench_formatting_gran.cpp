// The grouped report over the large database exported to PDF as it is, the
// floor, and with three formatting formulas on every detail line (a colour,
// the line's background and a bold), alternated in one run; prints the
// medians and what the formulas cost.
//
//   bench_formatting_gran [database] [runs]
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

/// Seconds to lay out and write the whole report as PDF.
double pdfSeconds(const ReportDefinition &definition, const QString &database, const QString &target)
{
    QElapsedTimer timer;
    timer.start();
    ReportLayout layout = createReportLayout(bench::layoutOver(definition, database));
    ExportRequest request{.formatType = ExportFormat::PDF, .path = target};
    request.pages = layout.pages.get();
    writeExport(request, CancelToken());
    const double seconds = timer.elapsed() / 1000.0;
    QFile::remove(target);
    return seconds;
}

ReportObject &objectNamed(SectionDefinition &section, const QString &name)
{
    for (ReportObject &object : section.objects)
        if (object.name == name)
            return object;
    throw Failure(1, QStringLiteral("the report has no object %1").arg(name));
}

/// The same report with a colour, a background and a bold given by formula on every detail line.
ReportDefinition withThreeFormulas(ReportDefinition definition)
{
    for (SectionDefinition &section : definition.sections) {
        if (section.kind != SectionKind::Details)
            continue;
        objectNamed(section, QStringLiteral("Import")).propertyFormulas.push_back(
            {FormattedProperty::Color, QStringLiteral("if ObjectValue > 1000 then \"vermell\" else DesignValue")});
        objectNamed(section, QStringLiteral("Quantitat")).propertyFormulas.push_back(
            {FormattedProperty::Bold, QStringLiteral("ObjectValue >= 20")});
        section.propertyFormulas.push_back(
            {FormattedProperty::Background, QStringLiteral("if RecordNumber mod 2 = 0 then \"#EEEEEE\" else \"\"")});
    }
    return definition;
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
    try {
        const ReportDefinition plain =
            readReportFile(QStringLiteral(VELMORA_SOURCE_DIR "/examples/vendes-per-pais.rpt"));
        const ReportDefinition formatted = withThreeFormulas(plain);
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("informe.pdf"));
        std::vector<double> floor, withFormulas;
        // Alternated, so that both see the same state of the machine.
        for (int r = 0; r < runs; ++r) {
            floor.push_back(pdfSeconds(plain, database, target));
            withFormulas.push_back(pdfSeconds(formatted, database, target));
        }
        std::printf("The grouped report over %s to PDF, %d runs (medians, seconds)\n",
                    qPrintable(QFileInfo(database).fileName()), runs);
        std::printf("  floor: no formatting formula                 %.2f s\n", bench::median(floor));
        std::printf("  colour, background and bold on every line    %.2f s  (%+.1f %%)\n", bench::median(withFormulas),
                    100.0 * (bench::median(withFormulas) / bench::median(floor) - 1.0));
        std::printf("  peak memory  %.0f MB\n", bench::peakMegabytes());
    } catch (const Failure &f) {
        std::printf("failure %d: %s\n", f.number(), qPrintable(f.description()));
        return 1;
    }
    return 0;
}
