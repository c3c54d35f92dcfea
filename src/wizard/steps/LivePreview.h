#pragma once

#include "engine/seam/ReportEngine.h"
#include "wizard/steps/WizardState.h"

#include <QTemporaryDir>
#include <QWidget>

#include <memory>

class QLabel;
class QStackedLayout;

namespace velmora::wizard {

/// The report as the choices make it now, shown by the engine's own viewer
/// control. The report is written to a scratch file and opened as any
/// report file is; its parameters run with the values offered, unasked.
class LivePreview : public QWidget {
    Q_OBJECT
public:
    LivePreview(ReportEngine &engine, QWidget *parent);
    ~LivePreview() override;

    /// Shows the report of `state`, or why there is none yet.
    void show(const WizardState &state);
    /// How long the last report took from the choices to its first page, in milliseconds.
    qint64 lastMilliseconds() const { return m_lastMilliseconds; }

private:
    void showReason(const QString &text);
    /// Zooms so that the page's width fills the preview.
    void fitPageWidth(int pageWidthTwips);

    ReportEngine &m_engine;
    std::unique_ptr<EngineApplication> m_application;
    std::shared_ptr<EngineReport> m_report;
    ReportViewerControl *m_viewer;
    QLabel *m_reason;
    QStackedLayout *m_layers;
    QTemporaryDir m_scratch;
    int m_generation = 0;
    qint64 m_lastMilliseconds = -1;
};

/// The engine the preview uses: the standard one, but a report's parameters
/// run with the values they offer instead of asking at every change.
std::unique_ptr<ReportEngine> createPreviewEngine();

} // namespace velmora::wizard
