#pragma once

#include "wizard/steps/WizardStep.h"

namespace velmora::wizard {

class OrderRows;

/// Up to three groups, outermost first, and the order of the records in each.
class GroupsStep : public WizardStep {
    Q_OBJECT
public:
    GroupsStep(WizardState &state, QWidget *parent);

    QString title() const override;
    void enter() override;

private:
    OrderRows *m_groups;
    OrderRows *m_sorts;
};

} // namespace velmora::wizard
