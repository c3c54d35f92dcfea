#include "viewer/frmMarges.h"

#include "export/GraphicalButton.h"
#include "viewer/CommandEdge.h"
#include "viewer/PageMarginsText.h"
#include "viewer/OpenReport.h"

namespace velmora {

frmMarges::frmMarges(const std::shared_ptr<EngineReport> &glcrxReport, QWidget *owner)
    : QDialog(owner), m_glcrxReport(glcrxReport), m_design(this)
{
    Form_Load();
    connect(m_design.cmdAcceptar, &QPushButton::clicked, this,
            [this] { runAtCommandEdge([this] { cmdAcceptar_Click(); }); });
    connect(m_design.cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void frmMarges::setMessageBoxFunction(MessageBoxFunction function)
{
    m_messageBox = std::move(function);
}

void frmMarges::Form_Load()
{
    const std::shared_ptr<EngineReport> report = requireOpenReport(m_glcrxReport);
    m_shownMargins = report->pageMargins();
    const PageMarginsText::Texts texts = PageMarginsText::textsOf(m_shownMargins);
    for (int side = 0; side < PageMarginsText::sideCount; ++side)
        m_design.txtMarge[side]->setText(texts[side]);
    m_design.lblPaper->setText(QStringLiteral("Paper: ") + PageMarginsText::paperText(report->paperSize()));
    m_design.txtMarge.front()->setFocus();
    m_design.txtMarge.front()->selectAll();
}

void frmMarges::cmdAcceptar_Click()
{
    const std::shared_ptr<EngineReport> report = requireOpenReport(m_glcrxReport);
    PageMarginsText::Texts texts;
    for (int side = 0; side < PageMarginsText::sideCount; ++side)
        texts[side] = m_design.txtMarge[side]->text();
    const PageMarginsText::Reading reading = PageMarginsText::read(texts, m_shownMargins, report->paperSize());
    if (!reading.isAccepted()) {
        refuse(reading.problem, m_design.txtMarge[reading.culprit]);
        return;
    }
    report->setPageMargins(reading.margins);
    accept();
}

void frmMarges::refuse(const QString &problem, QLineEdit *culprit)
{
    MessageBoxRequest request;
    request.text = problem;
    request.icon = QMessageBox::Warning;
    m_messageBox(this, request);
    culprit->setFocus();
    culprit->selectAll();
}

} // namespace velmora
