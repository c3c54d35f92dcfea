#include "wizard/steps/OrderRows.h"

#include "wizard/steps/WizardStep.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace velmora::wizard {

OrderRows::OrderRows(const QString &what, int rows, QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int row = 0; row < rows; ++row) {
        const QString name = QStringLiteral("%1 %2").arg(what).arg(row + 1);
        auto *label = new QLabel(name + u':', this);
        auto *field = named(new QComboBox(this), name);
        auto *direction = named(new QComboBox(this), QStringLiteral("Ordre de: %1").arg(name));
        direction->addItems({QStringLiteral("Ascendent (A-Z, 0-9)"), QStringLiteral("Descendent (Z-A, 9-0)")});
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(direction, row, 2);
        m_fields.push_back(field);
        m_directions.push_back(direction);
        connect(field, &QComboBox::currentIndexChanged, this, &OrderRows::changed);
        connect(direction, &QComboBox::currentIndexChanged, this, &OrderRows::changed);
    }
    grid->setColumnStretch(1, 1);
}

void OrderRows::show(const std::vector<FieldName> &fields, const std::vector<OrderChoice> &chosen)
{
    m_offered = fields;
    for (size_t row = 0; row < m_fields.size(); ++row) {
        const QSignalBlocker blockField(m_fields[row]);
        const QSignalBlocker blockDirection(m_directions[row]);
        m_fields[row]->clear();
        m_fields[row]->addItem(QStringLiteral("(cap)"));
        int current = 0;
        for (size_t i = 0; i < fields.size(); ++i) {
            m_fields[row]->addItem(fields[i].table + u'.' + fields[i].field);
            if (row < chosen.size() && chosen[row].field == fields[i])
                current = int(i) + 1;
        }
        m_fields[row]->setCurrentIndex(current);
        m_directions[row]->setCurrentIndex(row < chosen.size() && chosen[row].direction == SortDirection::Descending);
    }
}

std::vector<OrderChoice> OrderRows::chosen() const
{
    std::vector<OrderChoice> orders;
    for (size_t row = 0; row < m_fields.size(); ++row) {
        const int index = m_fields[row]->currentIndex() - 1;
        if (index < 0 || index >= int(m_offered.size()))
            break;
        orders.push_back({m_offered[size_t(index)], m_directions[row]->currentIndex() == 1 ? SortDirection::Descending
                                                                                            : SortDirection::Ascending});
    }
    return orders;
}

} // namespace velmora::wizard
