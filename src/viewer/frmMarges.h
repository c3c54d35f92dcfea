#pragma once

#include "engine/seam/ReportEngine.h"
#include "export/MessageBoxRequest.h"
#include "viewer/frmMargesDesign.h"

#include <QDialog>

#include <memory>

namespace velmora {

/// The page-margins dialog: the open report's four margins in millimetres.
/// Loading (construction) reads them and the paper size from the report;
/// "Acceptar" writes them back and closes, unless a value is refused, which
/// the user is told of while the dialog stays open; "Cancelar", Escape and
/// the close box change nothing.
///
/// The dialog reads the report through the owner's member holding it, like
/// the program's other windows.
class frmMarges : public QDialog {
    Q_OBJECT
public:
    /// Throws Failure when no report is open.
    explicit frmMarges(const std::shared_ptr<EngineReport> &glcrxReport, QWidget *owner = nullptr);

    const frmMargesDesign &design() const { return m_design; }

    /// Tests answer message boxes through this instead of a user.
    void setMessageBoxFunction(MessageBoxFunction function);

    /// What "Acceptar" does. Throws Failure when the report refuses.
    void cmdAcceptar_Click();

private:
    void Form_Load();
    void refuse(const QString &problem, QLineEdit *culprit);

    const std::shared_ptr<EngineReport> &m_glcrxReport;
    frmMargesDesign m_design;
    QMargins m_shownMargins;
    MessageBoxFunction m_messageBox = showMessageBox;
};

} // namespace velmora
