#pragma once

#include "engine/seam/ReportEngine.h"
#include "viewer/frmCRViewerDesign.h"

#include <QWidget>

#include <memory>
#include <optional>

class QEventLoop;

namespace velmora {

/// The viewer window: the open report in the engine's viewer control
/// `CRViewer1`, under the strip of quick-export, margins and printer
/// buttons. Loading hands the report to the control and names the printer;
/// the first activation shows the report at 100 %; every resize stretches
/// the control under the strip.
///
/// The window reads the report through a reference to the main window's
/// `glcrxReport`, so it always sees the report the main window holds now.
/// A failure in the first activation cannot cross the event loop: it is
/// kept, the window closes, and showModal() throws it once the modal
/// showing has ended.
class frmCRViewer : public QWidget {
    Q_OBJECT
public:
    frmCRViewer(const std::shared_ptr<EngineReport> &glcrxReport, ReportEngine &engine, QWidget *parent = nullptr);
    ~frmCRViewer() override;

    /// Loading: sets the flag, hands the report to the viewer control and
    /// names the current printer. Throws Failure.
    void Form_Load();
    /// Shows the report the first time the window becomes active, at 100 %.
    /// Throws Failure; the flag stays set when it does.
    void Form_Activate();
    /// Places `CRViewer1` under the strip; a step that fails is skipped.
    void Form_Resize();

    /// Shows the window modally and maximized; returns when it has closed.
    /// Throws the Failure of its first activation, if there was one.
    void showModal();

    bool isFirstActivationPending() const { return m_firstActivation; }
    const frmCRViewerDesign &design() const { return m_design; }

    /// The name of the application's current printer: the system default.
    static QString currentPrinterName();

    // The strip's commands. They trap nothing and throw Failure; the
    // buttons run them through an edge that shows what they throw.

    /// Opens the export dialog preset for button `Index` (1 Excel, 2 Word,
    /// 3 PDF) and returns when it has closed.
    void cmdExport_Click(int Index);
    /// Shows the page-margins dialog, then has the viewer show the report
    /// anew.
    void cmdMarges_Click();
    /// The report's printer setup; the printer label follows its printer.
    void cmdImpressora_Click();

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectCommands();
    void onActivated();
    ReportViewerControl &viewer();

    const std::shared_ptr<EngineReport> &m_glcrxReport;
    frmCRViewerDesign m_design;
    bool m_firstActivation = false;
    std::optional<Failure> m_activationFailure;
    QEventLoop *m_modalLoop = nullptr;
};

} // namespace velmora
