#include "wizard/steps/GroupsStep.h"

#include "wizard/steps/OrderRows.h"

#include <QGroupBox>
#include <QLayout>
#include <QVBoxLayout>

namespace velmora::wizard {

namespace {

OrderRows *boxed(const QString &caption, OrderRows *rows, QWidget *parent, QLayout *into)
{
    auto *box = named(new QGroupBox(caption, parent), caption);
    auto *inner = new QVBoxLayout(box);
    rows->setParent(box);
    inner->addWidget(rows);
    into->addWidget(box);
    return rows;
}

} // namespace

GroupsStep::GroupsStep(WizardState &state, QWidget *parent) : WizardStep(state, parent)
{
    addIntroduction(QStringLiteral("Agrupeu els registres per fins a tres camps, el més general primer (per exemple "
                                   "el país i després el client), i trieu en quin ordre surten dins de cada grup."));
    m_groups = boxed(QStringLiteral("Grups"), new OrderRows(QStringLiteral("Grup"), WizardChoices::maximumGroups, this),
                     this, layout());
    m_sorts = boxed(QStringLiteral("Ordre dels registres"), new OrderRows(QStringLiteral("Ordena per"), 3, this), this,
                    layout());
    static_cast<QVBoxLayout *>(layout())->addStretch();
    connect(m_groups, &OrderRows::changed, this, [this] {
        m_state.choices.groups = m_groups->chosen();
        emit changed();
    });
    connect(m_sorts, &OrderRows::changed, this, [this] {
        m_state.choices.sorts = m_sorts->chosen();
        emit changed();
    });
}

QString GroupsStep::title() const
{
    return QStringLiteral("Els grups i l'ordre");
}

void GroupsStep::enter()
{
    const auto fields = m_state.availableFields();
    auto keep = [&](std::vector<OrderChoice> &orders) {
        std::erase_if(orders, [&](const OrderChoice &o) { return std::find(fields.begin(), fields.end(), o.field) == fields.end(); });
    };
    keep(m_state.choices.groups);
    keep(m_state.choices.sorts);
    m_groups->show(fields, m_state.choices.groups);
    m_sorts->show(fields, m_state.choices.sorts);
}

} // namespace velmora::wizard
