#include "wizard/steps/LivePreview.h"

#include "engine/core/Failure.h"
#include "engine/report/CreateReportEngine.h"
#include "wizard/generator/ReportComposer.h"
#include "wizard/generator/WizardReportFile.h"
#include "wizard/steps/StepMessages.h"
#include "wizard/steps/WizardStep.h"

#include <QElapsedTimer>

#include <algorithm>
#include <QFile>
#include <QLabel>
#include <QStackedLayout>

namespace velmora::wizard {

namespace {

ViewerFeatures previewFeatures()
{
    ViewerFeatures features;
    features.groupTreeShownAtStart = false;
    features.viewTabs = false;
    features.print = false;
    features.exportReport = false;
    features.drillDown = false;
    features.closeView = false;
    features.mainViewCaption = QStringLiteral("Visualització prèvia");
    return features;
}

} // namespace

std::unique_ptr<ReportEngine> createPreviewEngine()
{
    EngineServices services = EngineServices::standard();
    services.askParameterValues = [](std::vector<PromptRow> &, QWidget *) { return true; };
    return createReportEngine(std::move(services));
}

LivePreview::LivePreview(ReportEngine &engine, QWidget *parent) : QWidget(parent), m_engine(engine)
{
    m_layers = new QStackedLayout(this);
    m_reason = named(new QLabel(this), QStringLiteral("Visualització prèvia"));
    m_reason->setAlignment(Qt::AlignCenter);
    m_reason->setWordWrap(true);
    m_reason->setMargin(24);
    m_viewer = m_engine.createViewerControl(this);
    m_viewer->setFeatures(previewFeatures());
    m_viewer->setAccessibleName(QStringLiteral("Visualització prèvia de l'informe"));
    m_layers->addWidget(m_reason);
    m_layers->addWidget(m_viewer);
    showReason(QStringLiteral("Aquí es veurà l'informe tal com és a cada pas, quan hi hagi una base de dades, "
                              "una taula i un camp."));
}

LivePreview::~LivePreview() = default;

void LivePreview::show(const WizardState &state)
{
    if (!state.catalog || state.choices.tables.isEmpty()) {
        showReason(QStringLiteral("Aquí es veurà l'informe tal com és a cada pas, quan hi hagi una base de dades, "
                                  "una taula i un camp."));
        return;
    }
    QElapsedTimer clock;
    clock.start();
    WizardChoices choices = state.choices;
    // Before any field is chosen, the first fields of the tables stand in.
    if (choices.columns.empty())
        for (const FieldName &field : state.availableFields())
            if (choices.columns.size() < 6)
                choices.columns.push_back({field, QString()});
    try {
        const ComposedReport composed = composeReport(choices, *state.catalog);
        // A new name each time: the engine may still hold the previous file.
        const QString path = m_scratch.filePath(QStringLiteral("previ-%1.rpt").arg(++m_generation));
        writeWizardReport(composed.definition, choices, path);
        m_application = m_engine.createApplication();
        auto report = m_application->openReport(path);
        for (const auto &table : report->database()->tables()) {
            table->setLocation(state.choices.databasePath);
            table->setLogOnInfo(QString(), u'\n' + state.password);
        }
        m_viewer->setReportSource(report);
        m_viewer->viewReport();
        m_layers->setCurrentWidget(m_viewer);
        fitPageWidth(composed.definition.page.pageSize().width());
        m_report = std::move(report);
        QFile::remove(m_scratch.filePath(QStringLiteral("previ-%1.rpt").arg(m_generation - 1)));
    } catch (const Failure &failure) {
        showReason(failureText(failure));
        return;
    }
    m_layers->setCurrentWidget(m_viewer);
    m_lastMilliseconds = clock.elapsed();
}

void LivePreview::fitPageWidth(int pageWidthTwips)
{
    // Room for the page's grey edge and the scroll bar.
    constexpr int edge = 48;
    const double pageWidthPixels = pageWidthTwips / 1440.0 * m_viewer->logicalDpiX();
    const int percent = int((m_viewer->width() - edge) * 100 / pageWidthPixels);
    if (percent > 0)
        m_viewer->zoom(qint16(std::clamp(percent, 25, 200)));
}

void LivePreview::showReason(const QString &text)
{
    m_reason->setText(text);
    m_reason->setAccessibleDescription(text);
    m_layers->setCurrentWidget(m_reason);
}

} // namespace velmora::wizard
