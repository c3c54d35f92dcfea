#include "export/frmCRExport.h"

#include "export/ExportErrors.h"
#include "export/ExportFormatTable.h"
#include "export/ExportTarget.h"
#include "export/FileNameRules.h"
#include "export/frmTriaCarpeta.h"
#include "export/modCR9.h"

#include <QCoreApplication>
#include <QDir>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>

namespace velmora {

namespace {

bool isBlankName(const QString &name)
{
    return std::all_of(name.begin(), name.end(), [](QChar c) { return c == u' '; });
}

// Focus that leaves with its window (another window activated, a message box
// shown, a menu popped up) has not left the box for another control.
bool leftForAnotherControl(const QFocusEvent &event)
{
    return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

MessageBoxRequest forbiddenCharacterWarning()
{
    MessageBoxRequest request;
    request.text = QStringLiteral("No es pot emprar cap dels caràcters %1 en un nom de fitxer.")
                       .arg(FileNameRules::forbiddenCharacters());
    request.icon = QMessageBox::Warning;
    return request;
}

MessageBoxRequest overwriteQuestion()
{
    MessageBoxRequest request;
    request.text = QStringLiteral("Aquest arxiu ja existeix. Es pot sobreescriure ? ");
    request.title = QStringLiteral("Esborrar Anterior");
    request.buttons = QMessageBox::Yes | QMessageBox::No;
    request.defaultButton = QMessageBox::Yes;
    return request;
}

} // namespace

frmCRExport::frmCRExport(const std::shared_ptr<EngineReport> &glcrxReport, QWidget *owner)
    : QDialog(owner), m_glcrxReport(glcrxReport), m_design(this)
{
    loadStep();
    m_design.txtNouFitxer->installEventFilter(this);
    connect(m_design.comboFormat, &QComboBox::activated, this,
            [this] { runTrapped([this] { AplicarFormat(); }); });
    connect(m_design.cmdExplorar, &QPushButton::clicked, this,
            [this] { runTrapped([this] { cmdExplorar_Click(); }); });
    connect(m_design.cmdCancelar, &QPushButton::clicked, this, [this] { cmdCancelar_Click(); });
    connect(m_design.cmdAcceptar, &QPushButton::clicked, this,
            [this] { runTrapped([this] { cmdAcceptar_Click(); }); });
}

void frmCRExport::setMessageBoxFunction(MessageBoxFunction function)
{
    m_messageBox = std::move(function);
}

void frmCRExport::loadStep()
{
    m_design.txtNovaCarpeta->clear();
    for (const ExportFormatEntry &entry : ExportFormatTable::entries())
        m_design.comboFormat->addItem(entry.caption);
    m_design.comboFormat->setCurrentIndex(-1);
}

bool frmCRExport::selectFormatByText(const QString &caption)
{
    const int index = m_design.comboFormat->findText(caption, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    m_design.comboFormat->setCurrentIndex(index);
    AplicarFormat();
    return true;
}

void frmCRExport::AplicarFormat()
{
    if (m_design.txtNouFitxer->text().isEmpty())
        return;
    if (const ExportFormatEntry *chosen = ExportFormatTable::findByCaption(m_design.comboFormat->currentText()))
        applyChosenFormat(*chosen);
    collapseDoubleStops();
}

void frmCRExport::applyChosenFormat(const ExportFormatEntry &chosen)
{
    const QString name = m_design.txtNouFitxer->text();
    const QString renamed = FileNameRules::withExtensionOf(name, chosen);
    if (renamed != name)
        m_design.txtNouFitxer->setText(renamed);

    openReport()->exportOptions()->setFormatType(chosen.formatType);
    if (chosen.setsPdfOptions) {
        openReport()->exportOptions()->setPdfFirstOption(ExportFormatTable::pdfOptionValue);
        openReport()->exportOptions()->setPdfSecondOption(ExportFormatTable::pdfOptionValue);
    }
}

void frmCRExport::collapseDoubleStops()
{
    const QString name = m_design.txtNouFitxer->text();
    const QString collapsed = FileNameRules::withDoubleStopsCollapsed(name);
    if (collapsed != name)
        m_design.txtNouFitxer->setText(collapsed);
}

bool frmCRExport::ComprovarNomArxiu(const QString &xNom)
{
    if (!FileNameRules::holdsForbiddenCharacter(xNom))
        return true;
    ask(forbiddenCharacterWarning());
    return false;
}

void frmCRExport::txtNouFitxer_LostFocus()
{
    if (ComprovarNomArxiu(m_design.txtNouFitxer->text())) {
        AplicarFormat();
        return;
    }
    m_design.txtNouFitxer->clear();
    m_design.txtNouFitxer->setFocus();
    QTimer::singleShot(0, this, [this] { releaseButtonsLeftDown(); });
}

// A click on a button that took the focus from the name box reaches the
// button only after the warning has been closed, when the mouse is already
// up: the button would stay drawn pressed until clicked again.
void frmCRExport::releaseButtonsLeftDown()
{
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    for (QAbstractButton *button : findChildren<QAbstractButton *>())
        button->setDown(false);
}

void frmCRExport::cmdExplorar_Click()
{
    QString folder = TriaCarpeta(m_design.txtNovaCarpeta->text());
    if (folder.isEmpty())
        return;
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    m_design.txtNovaCarpeta->setText(folder);
}

QString frmCRExport::TriaCarpeta(const QString &xCarpeta)
{
    modCR9::gsCarpeta = xCarpeta.isEmpty()
        ? QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator()
        : xCarpeta;
    frmTriaCarpeta chooser;
    chooser.presetFolder(modCR9::gsCarpeta);
    chooser.showModalCentred();
    return modCR9::gsCarpeta;
}

void frmCRExport::cmdCancelar_Click()
{
    reject();
}

void frmCRExport::cmdAcceptar_Click()
{
    if (isBlankName(m_design.txtNouFitxer->text()))
        return;
    const QString path = targetPathAfterAsking();
    if (!path.isEmpty())
        exportTo(path);
}

// The old file is not deleted here: the engine writes the new file beside it
// and renames it over the old one only once it is complete, so a failed
// export leaves the user's file as it was. What is checked now is that the
// old file could be replaced at all.
QString frmCRExport::targetPathAfterAsking()
{
    const ExportTarget target(m_design.txtNovaCarpeta->text() + m_design.txtNouFitxer->text());
    if (!target.existsAsOrdinaryFile())
        return target.path();
    if (ask(overwriteQuestion()) != QMessageBox::Yes)
        return {};
    target.checkReplaceable();
    return target.path();
}

void frmCRExport::exportTo(const QString &path)
{
    std::shared_ptr<EngineReport> report = openReport();
    report->exportOptions()->setDestinationType(ExportDestination::DiskFile);
    report->exportOptions()->setDiskFileName(path);
    report->exportReport(false);
    report.reset();
    accept();
}

std::shared_ptr<EngineReport> frmCRExport::openReport() const
{
    if (!m_glcrxReport)
        throw Failure(ExportErrors::NoOpenReport, QStringLiteral("No hi ha cap informe obert."));
    return m_glcrxReport;
}

QMessageBox::StandardButton frmCRExport::ask(const MessageBoxRequest &request)
{
    return m_messageBox(this, request);
}

void frmCRExport::showFailure(const Failure &failure)
{
    MessageBoxRequest request;
    request.text = QString::number(failure.number()) + u' ' + failure.description();
    ask(request);
}

// Failures end in one message box here, so none ever reaches Qt's event
// loop; the dialog stays open for the user to try again.
template <typename Handler> void frmCRExport::runTrapped(Handler handler)
{
    try {
        handler();
    } catch (const Failure &failure) {
        showFailure(failure);
    }
}

bool frmCRExport::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_design.txtNouFitxer && event->type() == QEvent::FocusOut && isVisible()
        && leftForAnotherControl(static_cast<QFocusEvent &>(*event)))
        runTrapped([this] { txtNouFitxer_LostFocus(); });
    return QDialog::eventFilter(watched, event);
}

void frmCRExport::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace velmora
