#include "wizard/steps/LookStep.h"

#include "engine/core/Failure.h"
#include "wizard/generator/ReportComposer.h"
#include "wizard/generator/ReportStyle.h"
#include "wizard/steps/StepMessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace velmora::wizard {

namespace {

const std::pair<const char *, const char *> papers[] = {
    {"A4", "A4 (210 × 297 mm)"}, {"A3", "A3 (297 × 420 mm)"}, {"A5", "A5 (148 × 210 mm)"},
    {"Letter", "Carta (8,5 × 11 polzades)"}, {"Legal", "Legal (8,5 × 14 polzades)"},
};

QLabel *buddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

LookStep::LookStep(WizardState &state, QWidget *parent) : WizardStep(state, parent)
{
    addIntroduction(QStringLiteral("Trieu com es veu l'informe i on es desa."));
    auto *form = new QFormLayout;
    m_title = named(new QLineEdit(this), QStringLiteral("Títol de l'informe"));
    form->addRow(buddyLabel(QStringLiteral("&Títol:"), m_title, this), m_title);
    m_paper = named(new QComboBox(this), QStringLiteral("Paper"));
    for (const auto &[key, label] : papers)
        m_paper->addItem(QString::fromUtf8(label), QString::fromLatin1(key));
    form->addRow(buddyLabel(QStringLiteral("&Paper:"), m_paper, this), m_paper);
    m_orientation = named(new QComboBox(this), QStringLiteral("Orientació"));
    m_orientation->addItems({QStringLiteral("Automàtica: apaïsada si les columnes no hi caben"),
                             QStringLiteral("Vertical"), QStringLiteral("Apaïsada")});
    form->addRow(buddyLabel(QStringLiteral("&Orientació:"), m_orientation, this), m_orientation);
    m_advice = named(new QLabel(this), QStringLiteral("Consell sobre l'orientació"));
    m_advice->setWordWrap(true);
    form->addRow(QString(), m_advice);
    m_style = named(new QComboBox(this), QStringLiteral("Estil"));
    for (const ReportStyle &style : reportStyles())
        m_style->addItem(style.label, style.key);
    form->addRow(buddyLabel(QStringLiteral("&Estil:"), m_style, this), m_style);
    m_pageNumbers = named(new QCheckBox(QStringLiteral("«Pàgina N de M» al &peu de pàgina"), this),
                          QStringLiteral("Pàgina N de M al peu de pàgina"));
    m_printDate = named(new QCheckBox(QStringLiteral("&Data d'impressió al peu de pàgina"), this),
                        QStringLiteral("Data d'impressió al peu de pàgina"));
    form->addRow(QString(), m_pageNumbers);
    form->addRow(QString(), m_printDate);

    m_output = named(new QLineEdit(this), QStringLiteral("Fitxer de l'informe"));
    m_output->setPlaceholderText(QStringLiteral("informe.rpt"));
    auto *choose = named(new QPushButton(QStringLiteral("T&ria..."), this), QStringLiteral("Tria on es desa l'informe"));
    auto *outputRow = new QHBoxLayout;
    outputRow->addWidget(m_output, 1);
    outputRow->addWidget(choose);
    form->addRow(buddyLabel(QStringLiteral("&Desa a:"), m_output, this), outputRow);
    m_showInViewer = named(new QCheckBox(QStringLiteral("&Mostra l'informe a Velmora en acabar"), this),
                           QStringLiteral("Mostra l'informe a Velmora en acabar"));
    form->addRow(QString(), m_showInViewer);
    layout()->addItem(form);
    static_cast<QBoxLayout *>(layout())->addStretch();

    for (QComboBox *combo : {m_paper, m_orientation, m_style})
        connect(combo, &QComboBox::currentIndexChanged, this, &LookStep::store);
    for (QCheckBox *box : {m_pageNumbers, m_printDate, m_showInViewer})
        connect(box, &QCheckBox::toggled, this, &LookStep::store);
    connect(m_title, &QLineEdit::textChanged, this, &LookStep::store);
    connect(m_output, &QLineEdit::textChanged, this, &LookStep::store);
    connect(choose, &QPushButton::clicked, this, &LookStep::chooseOutput);
}

QString LookStep::title() const
{
    return QStringLiteral("La pàgina i l'aspecte");
}

void LookStep::enter()
{
    const LookChoice &look = m_state.choices.look;
    const QSignalBlocker b1(m_paper), b2(m_orientation), b3(m_style), b4(m_pageNumbers), b5(m_printDate), b6(m_title),
        b7(m_output), b8(m_showInViewer);
    m_title->setText(look.title.isEmpty() ? m_state.choices.tables.value(0) : look.title);
    m_paper->setCurrentIndex(std::max(0, m_paper->findData(look.paper)));
    m_orientation->setCurrentIndex(int(look.orientation));
    m_style->setCurrentIndex(std::max(0, m_style->findData(look.style)));
    m_pageNumbers->setChecked(look.pageNumbers);
    m_printDate->setChecked(look.printDate);
    m_output->setText(m_state.outputPath);
    m_showInViewer->setChecked(m_state.showInViewer);
    store();
}

bool LookStep::mayLeave(QString &refusal)
{
    if (!m_output->text().trimmed().isEmpty())
        return true;
    refusal = QStringLiteral("Escriviu on es desa l'informe (un fitxer .rpt).");
    return false;
}

void LookStep::store()
{
    LookChoice &look = m_state.choices.look;
    look.title = m_title->text();
    look.paper = m_paper->currentData().toString();
    look.orientation = Orientation(m_orientation->currentIndex());
    look.style = m_style->currentData().toString();
    look.pageNumbers = m_pageNumbers->isChecked();
    look.printDate = m_printDate->isChecked();
    m_state.outputPath = m_output->text().trimmed();
    m_state.showInViewer = m_showInViewer->isChecked();
    showOrientationAdvice();
    emit changed();
}

void LookStep::chooseOutput()
{
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("On es desa l'informe"), m_output->text(),
                                                QStringLiteral("Informes (*.rpt)"));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".rpt");
    m_output->setText(file);
}

void LookStep::showOrientationAdvice()
{
    if (!m_state.catalog)
        return;
    try {
        const ComposedReport composed = composeReport(m_state.choices, *m_state.catalog);
        const bool landscape = composed.definition.page.landscape;
        if (composed.columnsNeedLandscape)
            showMessage(m_advice,
                        landscape ? QStringLiteral("Les columnes no caben en vertical: l'informe es fa apaïsat.")
                                  : QStringLiteral("Les columnes no caben en vertical: es proposa apaïsada."),
                        landscape ? MessageKind::Plain : MessageKind::Error);
        else
            showMessage(m_advice, QStringLiteral("Les columnes caben en vertical."), MessageKind::Plain);
    } catch (const Failure &failure) {
        showMessage(m_advice, failure.description(), MessageKind::Error);
    }
}

} // namespace velmora::wizard
