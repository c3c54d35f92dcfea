// The wizard's preview: from the choices to the first page of the report
// they make (compose, write, open through the engine, lay out page one),
// over examples/empresa.mdb, for the sales by country and client. The
// floor is the hand-written examples/vendes-per-pais.rpt opened and laid
// out to its first page the same way in the same run.
//
//     bench_wizard_preview [runs]

#include "BenchFigures.h"
#include "engine/page/PageSource.h"
#include "engine/report/CreateReportEngine.h"
#include "wizard/generator/LinkProposal.h"
#include "wizard/generator/ReportComposer.h"
#include "wizard/generator/WizardReportFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace velmora;
using namespace velmora::wizard;

namespace {

const QString database = QStringLiteral(VELMORA_SOURCE_DIR "/examples/empresa.mdb");

WizardChoices salesChoices(const DatabaseCatalog &catalog)
{
    WizardChoices choices;
    choices.databasePath = database;
    choices.tables = {QStringLiteral("LiniesComanda"), QStringLiteral("Comandes"), QStringLiteral("Clients"),
                      QStringLiteral("Productes")};
    choices.links = proposeLinks(choices.tables, catalog.relationships()).links;
    for (const auto &[table, field] : {std::pair{"Comandes", "IdComanda"}, {"Comandes", "DataComanda"},
                                       {"Productes", "Descripcio"}, {"LiniesComanda", "Quantitat"},
                                       {"LiniesComanda", "PreuUnitari"}})
        choices.columns.push_back({{QString::fromLatin1(table), QString::fromLatin1(field)}, QString()});
    choices.groups = {{{QStringLiteral("Clients"), QStringLiteral("Pais")}},
                      {{QStringLiteral("Clients"), QStringLiteral("Nom")}}};
    choices.totals = {{{QStringLiteral("LiniesComanda"), QStringLiteral("Quantitat")}, {SummaryOperation::Sum}}};
    return choices;
}

double firstPageMilliseconds(ReportEngine &engine, const QString &report)
{
    QElapsedTimer clock;
    clock.start();
    const auto application = engine.createApplication();
    const auto opened = application->openReport(report);
    for (const auto &table : opened->database()->tables())
        table->setLocation(database);
    opened->createPageSource()->layOutUntil(0, CancelToken());
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = bench::runCount(argc, argv, 1);
    const auto engine = createReportEngine();
    QTemporaryDir scratch;
    std::vector<double> wizard, floor;
    for (int run = 0; run < runs; ++run) {
        floor.push_back(firstPageMilliseconds(*engine, QStringLiteral(VELMORA_SOURCE_DIR "/examples/vendes-per-pais.rpt")));
        QElapsedTimer clock;
        clock.start();
        const DatabaseCatalog catalog = DatabaseCatalog::open(database, QString());
        const WizardChoices choices = salesChoices(catalog);
        const QString path = scratch.filePath(QStringLiteral("previ-%1.rpt").arg(run));
        writeWizardReport(composeReport(choices, catalog).definition, choices, path);
        const double composing = double(clock.nsecsElapsed()) / 1e6;
        wizard.push_back(composing + firstPageMilliseconds(*engine, path));
    }
    std::printf("wizard preview, choices to first page (empresa.mdb, %d runs): median %.1f ms\n", runs,
                bench::median(wizard));
    std::printf("floor, the hand-written report to its first page:          median %.1f ms\n", bench::median(floor));
    std::printf("peak memory %.1f MB\n", bench::peakMegabytes());
    return 0;
}
