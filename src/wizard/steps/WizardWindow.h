#pragma once

#include "engine/seam/ReportEngine.h"
#include "wizard/steps/WizardState.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTimer;

namespace velmora::wizard {

class LivePreview;
class WizardStep;

/// The report wizard's window: the steps on the left, one at a time, the
/// live preview on the right, and "Enrere", "Següent", "Finalitza" and
/// "Cancel·la" below.
class WizardWindow : public QDialog {
    Q_OBJECT
public:
    WizardWindow(ReportEngine &engine, QWidget *parent = nullptr);
    ~WizardWindow() override;

    /// Takes the choices of a report made before, and opens its database.
    void reopen(const QString &reportPath, const QString &password = QString());
    /// Starts on `path` as the database, opened at once.
    void startWithDatabase(const QString &path, const QString &password);

    /// Where a new report is saved, and whether Velmora shows it then.
    void setInitialOutput(const QString &reportPath, bool showInViewer);

    int currentStep() const;
    int stepCount() const { return int(m_steps.size()); }
    const WizardState &state() const { return m_state; }
    LivePreview *preview() const { return m_preview; }
    /// Shows the preview of the choices as they are now, without waiting.
    void refreshPreviewNow();
    /// The program that shows a finished report.
    void setViewerProgram(const QString &program) { m_viewerProgram = program; }

signals:
    /// The report is written to `path`.
    void finished(const QString &path);

private:
    void goTo(int step);
    void goBack();
    void goNext();
    void finish();
    void askForReportToReopen();
    void updateButtons();
    void showStatus(const QString &text, bool error);

    WizardState m_state;
    std::vector<WizardStep *> m_steps;
    QStackedWidget *m_stack;
    QLabel *m_heading;
    QLabel *m_status;
    LivePreview *m_preview;
    QTimer *m_previewTimer;
    QPushButton *m_back;
    QPushButton *m_next;
    QPushButton *m_finish;
    QPushButton *m_cancel;
    QString m_viewerProgram;
};

} // namespace velmora::wizard
