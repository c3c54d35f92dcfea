#pragma once

#include "wizard/steps/WizardStep.h"

class QCheckBox;
class QGridLayout;

namespace velmora::wizard {

/// For each numeric field of the report: sum, average, count, minimum and
/// maximum, for each group and for the whole report.
class TotalsStep : public WizardStep {
    Q_OBJECT
public:
    TotalsStep(WizardState &state, QWidget *parent);

    QString title() const override;
    void enter() override;

private:
    void store();

    QWidget *m_table;
    QGridLayout *m_grid;
    QLabel *m_none;
    QCheckBox *m_perGroup;
    QCheckBox *m_forReport;
    std::vector<std::pair<FieldName, std::vector<QCheckBox *>>> m_boxes;
};

} // namespace velmora::wizard
