#include "wizard/steps/WizardWindow.h"

#include "engine/core/Failure.h"
#include "wizard/generator/ReportComposer.h"
#include "wizard/generator/WizardReportFile.h"
#include "wizard/steps/DatabaseStep.h"
#include "wizard/steps/FieldsStep.h"
#include "wizard/steps/FilterStep.h"
#include "wizard/steps/GroupsStep.h"
#include "wizard/steps/LivePreview.h"
#include "wizard/steps/LookStep.h"
#include "wizard/steps/StepMessages.h"
#include "wizard/steps/TablesStep.h"
#include "wizard/steps/TotalsStep.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora::wizard {

namespace {

// The preview follows the choices once typing pauses for this long.
constexpr int previewDelayMs = 300;

QString defaultViewerProgram()
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Velmora"));
    return QFileInfo(beside).isExecutable() ? beside : QStringLiteral("Velmora");
}

/// Velmora's one argument: "<report> <database> <password>".
QString viewerArguments(const QString &reportPath, const WizardState &state)
{
    return QStringLiteral("<%1> <%2> <%3>")
        .arg(QFileInfo(reportPath).absoluteFilePath(), QFileInfo(state.choices.databasePath).absoluteFilePath(),
             state.password);
}

/// Puts the keyboard on the step's first control, as Tab would.
void focusFirstControl(QWidget *step)
{
    QWidget *widget = step->nextInFocusChain();
    for (int guard = 0; widget && widget != step && guard < 500; ++guard, widget = widget->nextInFocusChain())
        if (step->isAncestorOf(widget) && widget->isVisibleTo(step) && widget->isEnabled()
            && (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
}

} // namespace

WizardWindow::WizardWindow(ReportEngine &engine, QWidget *parent)
    : QDialog(parent), m_viewerProgram(defaultViewerProgram())
{
    setWindowTitle(QStringLiteral("Assistent d'informes - Velmora"));
    setAccessibleName(QStringLiteral("Assistent d'informes"));
    resize(1280, 800);

    m_heading = named(new QLabel(this), QStringLiteral("Pas de l'assistent"));
    QFont headingFont = m_heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.35);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);

    m_stack = new QStackedWidget(this);
    m_steps = {new DatabaseStep(m_state, m_stack), new TablesStep(m_state, m_stack), new FieldsStep(m_state, m_stack),
               new GroupsStep(m_state, m_stack),   new TotalsStep(m_state, m_stack), new FilterStep(m_state, m_stack),
               new LookStep(m_state, m_stack)};
    for (WizardStep *step : m_steps) {
        m_stack->addWidget(step);
        connect(step, &WizardStep::changed, this, [this] {
            // A change answers what stopped the step: its own status line says what still does.
            showStatus(QString(), false);
            m_previewTimer->start();
            updateButtons();
        });
    }
    connect(static_cast<DatabaseStep *>(m_steps.front()), &DatabaseStep::reopenRequested, this,
            &WizardWindow::askForReportToReopen);

    m_preview = new LivePreview(engine, this);
    m_previewTimer = new QTimer(this);
    m_previewTimer->setSingleShot(true);
    m_previewTimer->setInterval(previewDelayMs);
    connect(m_previewTimer, &QTimer::timeout, this, &WizardWindow::refreshPreviewNow);

    auto *left = new QWidget(this);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(m_heading);
    leftLayout->addWidget(m_stack, 1);
    auto *splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(m_preview);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({620, 660});

    m_status = named(new QLabel(this), QStringLiteral("Avís de l'assistent"));
    m_status->setWordWrap(true);
    m_back = named(new QPushButton(QStringLiteral("Enrere"), this), QStringLiteral("Enrere"));
    m_next = named(new QPushButton(QStringLiteral("Següent"), this), QStringLiteral("Següent"));
    m_finish = named(new QPushButton(QStringLiteral("Finalitza"), this), QStringLiteral("Finalitza"));
    m_cancel = named(new QPushButton(QStringLiteral("Cancel·la"), this), QStringLiteral("Cancel·la"));
    m_back->setToolTip(QStringLiteral("Torna al pas anterior (Alt+Esquerra)"));
    m_next->setToolTip(QStringLiteral("Passa al pas següent (Alt+Dreta)"));
    m_finish->setToolTip(QStringLiteral("Desa l'informe (Ctrl+Retorn)"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    for (QPushButton *button : {m_back, m_next, m_finish, m_cancel})
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    connect(m_back, &QPushButton::clicked, this, &WizardWindow::goBack);
    connect(m_next, &QPushButton::clicked, this, &WizardWindow::goNext);
    connect(m_finish, &QPushButton::clicked, this, &WizardWindow::finish);
    connect(m_cancel, &QPushButton::clicked, this, &WizardWindow::reject);
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this), &QShortcut::activated, this, &WizardWindow::goBack);
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), this), &QShortcut::activated, this, &WizardWindow::goNext);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this), &QShortcut::activated, this, &WizardWindow::finish);
    goTo(0);
}

WizardWindow::~WizardWindow() = default;

void WizardWindow::setInitialOutput(const QString &reportPath, bool showInViewer)
{
    if (!reportPath.isEmpty())
        m_state.outputPath = reportPath;
    m_state.showInViewer = m_state.showInViewer || showInViewer;
}

int WizardWindow::currentStep() const
{
    return m_stack->currentIndex();
}

void WizardWindow::reopen(const QString &reportPath, const QString &password)
{
    try {
        m_state.choices = readWizardChoices(reportPath);
    } catch (const Failure &failure) {
        showStatus(failureText(failure), true);
        return;
    }
    m_state.outputPath = reportPath;
    m_state.password = password;
    m_state.catalog.reset();
    goTo(0);
    if (!m_state.choices.databasePath.isEmpty()) {
        QString refusal;
        if (m_steps.front()->mayLeave(refusal))
            showStatus(QStringLiteral("S'han recuperat les tries de «%1».").arg(QFileInfo(reportPath).fileName()), false);
    }
    refreshPreviewNow();
}

void WizardWindow::startWithDatabase(const QString &path, const QString &password)
{
    m_state.choices.databasePath = path;
    m_state.password = password;
    goTo(0);
    QString refusal;
    m_steps.front()->mayLeave(refusal);
    showStatus(refusal, !refusal.isEmpty());
}

void WizardWindow::goTo(int step)
{
    m_stack->setCurrentIndex(step);
    m_steps[size_t(step)]->enter();
    m_heading->setText(QStringLiteral("Pas %1 de %2: %3").arg(step + 1).arg(m_steps.size()).arg(m_steps[size_t(step)]->title()));
    m_heading->setAccessibleDescription(m_heading->text());
    showStatus(QString(), false);
    updateButtons();
    focusFirstControl(m_steps[size_t(step)]);
    m_previewTimer->start();
}

void WizardWindow::goBack()
{
    if (currentStep() > 0)
        goTo(currentStep() - 1);
}

void WizardWindow::goNext()
{
    if (currentStep() + 1 >= stepCount())
        return;
    QString refusal;
    if (!m_steps[size_t(currentStep())]->mayLeave(refusal)) {
        showStatus(refusal, true);
        return;
    }
    goTo(currentStep() + 1);
}

void WizardWindow::finish()
{
    // Every step up to the last must agree; the first that does not is shown.
    for (int step = 0; step < stepCount(); ++step) {
        QString refusal;
        if (step != currentStep())
            m_steps[size_t(step)]->enter();
        if (!m_steps[size_t(step)]->mayLeave(refusal)) {
            goTo(step);
            showStatus(refusal, true);
            return;
        }
    }
    QString path = m_state.outputPath;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".rpt");
    try {
        const ComposedReport composed = composeReport(m_state.choices, *m_state.catalog);
        writeWizardReport(composed.definition, m_state.choices, path);
    } catch (const Failure &failure) {
        showStatus(failureText(failure), true);
        return;
    }
    if (m_state.showInViewer)
        QProcess::startDetached(m_viewerProgram, {viewerArguments(path, m_state)});
    emit finished(path);
    accept();
}

void WizardWindow::askForReportToReopen()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Informe fet abans"), QString(),
                                                      QStringLiteral("Informes (*.rpt);;Tots els fitxers (*)"));
    if (!file.isEmpty())
        reopen(file);
}

void WizardWindow::refreshPreviewNow()
{
    m_previewTimer->stop();
    m_preview->show(m_state);
}

void WizardWindow::updateButtons()
{
    const int step = currentStep();
    m_back->setEnabled(step > 0);
    m_next->setEnabled(step + 1 < stepCount());
    m_finish->setEnabled(m_state.catalog && !m_state.choices.columns.empty());
    m_next->setDefault(step + 1 < stepCount());
    m_finish->setDefault(step + 1 == stepCount());
}

void WizardWindow::showStatus(const QString &text, bool error)
{
    showMessage(m_status, text, error ? MessageKind::Error : MessageKind::Plain);
}

} // namespace velmora::wizard
