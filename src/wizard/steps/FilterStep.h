#pragma once

#include "wizard/steps/WizardStep.h"

class QVBoxLayout;

namespace velmora::wizard {

/// The record filter: simple conditions on fields, each with a value or
/// asked when the report runs. Every record kept meets them all.
class FilterStep : public WizardStep {
    Q_OBJECT
public:
    FilterStep(WizardState &state, QWidget *parent);

    QString title() const override;
    void enter() override;
    bool mayLeave(QString &refusal) override;

private:
    void addCondition();
    void rebuild();
    /// Checks the values against their fields' types; false with the reason shown.
    bool check();

    QWidget *m_rows;
    QVBoxLayout *m_rowsLayout;
    QLabel *m_status;
};

} // namespace velmora::wizard
