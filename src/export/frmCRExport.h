#pragma once

#include "engine/seam/ReportEngine.h"
#include "export/MessageBoxRequest.h"
#include "export/frmCRExportDesign.h"

#include <QDialog>

#include <memory>

namespace velmora {

struct ExportFormatEntry;

/// The export dialog: the user picks a format, a folder and a file name, and
/// the open report is written there. The dialog reads the open report from
/// the reference it was given each time it needs it, so it always works on
/// the report its owner holds now.
///
/// Callers load it (construct), may preset the file name and select a format
/// entry, then show it modally; a successful export closes it.
class frmCRExport : public QDialog {
    Q_OBJECT
public:
    /// `glcrxReport` is the owner's member holding the open report; it must
    /// outlive the dialog.
    explicit frmCRExport(const std::shared_ptr<EngineReport> &glcrxReport, QWidget *owner = nullptr);

    QLineEdit *txtNouFitxer() const { return m_design.txtNouFitxer; }
    QComboBox *comboFormat() const { return m_design.comboFormat; }
    const frmCRExportDesign &design() const { return m_design; }

    /// Selects the format entry whose caption is `caption`, exactly as a
    /// user's pick does (the file name follows the format and the report's
    /// export options get its format type). False, with nothing changed,
    /// when no entry has that caption. A refusal of the report engine is
    /// thrown to the caller as a Failure.
    bool selectFormatByText(const QString &caption);

    /// Shows the folder chooser opened at `xCarpeta` (the program's folder
    /// when empty) and returns the folder chosen, the empty text when the
    /// user cancelled, or the start folder when the chooser was closed with
    /// its close box.
    QString TriaCarpeta(const QString &xCarpeta);

    /// Tests answer message boxes through this instead of a user.
    void setMessageBoxFunction(MessageBoxFunction function);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void loadStep();
    void AplicarFormat();
    void applyChosenFormat(const ExportFormatEntry &chosen);
    void collapseDoubleStops();
    bool ComprovarNomArxiu(const QString &xNom);
    void txtNouFitxer_LostFocus();
    void releaseButtonsLeftDown();
    void cmdExplorar_Click();
    void cmdCancelar_Click();
    void cmdAcceptar_Click();
    void exportTo(const QString &path);
    QString targetPathAfterAsking();

    std::shared_ptr<EngineReport> openReport() const;
    QMessageBox::StandardButton ask(const MessageBoxRequest &request);
    void showFailure(const Failure &failure);
    template <typename Handler> void runTrapped(Handler handler);

    const std::shared_ptr<EngineReport> &m_glcrxReport;
    frmCRExportDesign m_design;
    MessageBoxFunction m_messageBox = showMessageBox;
};

} // namespace velmora
