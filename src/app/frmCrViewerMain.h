#pragma once

#include "app/CommonDialog.h"
#include "app/ProgramStart.h"
#include "app/frmCrViewerMainDesign.h"
#include "engine/seam/ReportEngine.h"
#include "export/MessageBoxRequest.h"

#include <QWidget>

#include <exception>
#include <memory>

class QLabel;

/// The start-up window: the two choose buttons with the paths they chose,
/// the password box and the view button. Its load step, run on construction,
/// presets the paths and the password from the command line and sets the
/// caption; the choose buttons remember the last file chosen with each, per
/// user, under the name the program was started with. The view button
/// opens the report over the database with the password and shows it in
/// the viewer window; a failure on the way is told in a message box and
/// leaves the window as it was.
class frmCrViewerMain : public QWidget {
    Q_OBJECT
public:
    /// `engine` makes the report objects the view command opens; it must
    /// outlive the window.
    frmCrViewerMain(velmora::ReportEngine &engine, const velmora::ProgramStart &start,
                    QWidget *parent = nullptr);

    /// The report being viewed; empty while none is. Set and cleared only by
    /// the view command; the viewer window and the export dialog read it.
    std::shared_ptr<velmora::EngineReport> glcrxReport;

    /// The current report and database paths; empty means none chosen.
    QString sArxiuRPT;
    QString sArxiuMDB;

    /// The open-file dialog the choose buttons use.
    velmora::CommonDialog CommonDialog1;

    /// Lets the user pick one file, starting from `xArxiu`. `xFilter` is
    /// "mdb", "rpt" (both replaced by their full filter) or a ready-made
    /// "description|pattern" filter. Cancelling or any failure of the
    /// dialog gives the empty string.
    QString zTriaArxiu(const QString &xArxiu, QString &xFilter);

    /// Replaces the message box the view command tells its failures in.
    void setMessageBoxFunction(velmora::MessageBoxFunction function);

public slots:
    void cmdSeleccionarReport_Click();
    void cmdSeleccionarBaseDeDades_Click();
    void cmdVisualitzar_Click();

private:
    void Form_Load();
    void openAndShowReport();
    void showViewFailure(std::exception_ptr failure) noexcept;
    void chooseRememberedFile(QString &member, QLabel &label, const QString &key,
                              const QString &fileKind);

    frmCrViewerMainDesign m_design;
    velmora::ReportEngine &m_engine;
    velmora::ProgramStart m_start;
    velmora::MessageBoxFunction m_messageBox = velmora::showMessageBox;
};
