#include "wizard/steps/TotalsStep.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace velmora::wizard {

namespace {

QString operationLabel(SummaryOperation operation)
{
    switch (operation) {
    case SummaryOperation::Sum: return QStringLiteral("Suma");
    case SummaryOperation::Average: return QStringLiteral("Mitjana");
    case SummaryOperation::Count: return QStringLiteral("Recompte");
    case SummaryOperation::Minimum: return QStringLiteral("Mínim");
    default: return QStringLiteral("Màxim");
    }
}

} // namespace

TotalsStep::TotalsStep(WizardState &state, QWidget *parent) : WizardStep(state, parent)
{
    addIntroduction(QStringLiteral("Marqueu els totals de cada camp numèric. Surten al peu de cada grup i al final "
                                   "de l'informe."));
    m_table = addScrolledPanel();
    m_grid = new QGridLayout(m_table);
    m_none = new QLabel(QStringLiteral("L'informe no té cap camp numèric: no hi ha totals per triar."), this);
    layout()->addWidget(m_none);
    m_perGroup = named(new QCheckBox(QStringLiteral("Totals al peu de cada &grup"), this),
                       QStringLiteral("Totals al peu de cada grup"));
    m_forReport = named(new QCheckBox(QStringLiteral("Totals de tot l'&informe, al final"), this),
                        QStringLiteral("Totals de tot l'informe, al final"));
    layout()->addWidget(m_perGroup);
    layout()->addWidget(m_forReport);
    connect(m_perGroup, &QCheckBox::toggled, this, &TotalsStep::store);
    connect(m_forReport, &QCheckBox::toggled, this, &TotalsStep::store);
}

QString TotalsStep::title() const
{
    return QStringLiteral("Els totals");
}

void TotalsStep::enter()
{
    qDeleteAll(m_table->findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
    m_boxes.clear();
    int column = 1;
    for (SummaryOperation operation : totalOperations)
        m_grid->addWidget(new QLabel(u"<b>" + operationLabel(operation) + u"</b>", m_table), 0, column++);
    int row = 1;
    for (const ColumnChoice &choice : m_state.choices.columns) {
        const ColumnSchema *schema = m_state.catalog ? m_state.catalog->column(choice.field) : nullptr;
        if (!schema || !isNumeric(*schema))
            continue;
        const auto chosen = std::find_if(m_state.choices.totals.begin(), m_state.choices.totals.end(),
                                         [&](const TotalChoice &t) { return t.field == choice.field; });
        m_grid->addWidget(new QLabel(choice.field.table + u'.' + choice.field.field, m_table), row, 0);
        std::vector<QCheckBox *> boxes;
        column = 1;
        for (SummaryOperation operation : totalOperations) {
            auto *box = named(new QCheckBox(m_table), operationLabel(operation) + QStringLiteral(" de ") + choice.field.field);
            box->setChecked(chosen != m_state.choices.totals.end()
                            && std::find(chosen->operations.begin(), chosen->operations.end(), operation)
                                   != chosen->operations.end());
            connect(box, &QCheckBox::toggled, this, &TotalsStep::store);
            m_grid->addWidget(box, row, column++, Qt::AlignCenter);
            boxes.push_back(box);
        }
        m_boxes.emplace_back(choice.field, boxes);
        ++row;
    }
    m_grid->setRowStretch(row, 1);
    m_none->setVisible(m_boxes.empty());
    const QSignalBlocker blockGroup(m_perGroup), blockReport(m_forReport);
    m_perGroup->setChecked(m_state.choices.totalsPerGroup);
    m_forReport->setChecked(m_state.choices.totalsForReport);
    store();
}

void TotalsStep::store()
{
    auto &totals = m_state.choices.totals;
    totals.clear();
    for (const auto &[field, boxes] : m_boxes) {
        TotalChoice total{field, {}};
        for (size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i]->isChecked())
                total.operations.push_back(totalOperations[i]);
        if (!total.operations.empty())
            totals.push_back(total);
    }
    m_state.choices.totalsPerGroup = m_perGroup->isChecked();
    m_state.choices.totalsForReport = m_forReport->isChecked();
    emit changed();
}

} // namespace velmora::wizard
