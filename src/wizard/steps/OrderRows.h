#pragma once

#include "wizard/generator/WizardChoices.h"

#include <QWidget>

#include <vector>

class QComboBox;

namespace velmora::wizard {

/// A few rows of "field, direction" choices: the groups or the sorts. A row
/// left at "(cap)" ends the list.
class OrderRows : public QWidget {
    Q_OBJECT
public:
    /// `what` names a row for a screen reader: "Grup" gives "Grup 1", "Sentit del grup 1".
    OrderRows(const QString &what, int rows, QWidget *parent);

    void show(const std::vector<FieldName> &fields, const std::vector<OrderChoice> &chosen);
    std::vector<OrderChoice> chosen() const;

signals:
    void changed();

private:
    std::vector<QComboBox *> m_fields;
    std::vector<QComboBox *> m_directions;
    std::vector<FieldName> m_offered;
};

} // namespace velmora::wizard
