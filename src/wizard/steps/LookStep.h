#pragma once

#include "wizard/steps/WizardStep.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace velmora::wizard {

/// Paper, orientation, title, style and page footer; and where the report is saved.
class LookStep : public WizardStep {
    Q_OBJECT
public:
    LookStep(WizardState &state, QWidget *parent);

    QString title() const override;
    void enter() override;
    bool mayLeave(QString &refusal) override;

private:
    void store();
    void chooseOutput();
    void showOrientationAdvice();

    QComboBox *m_paper;
    QComboBox *m_orientation;
    QLabel *m_advice;
    QLineEdit *m_title;
    QComboBox *m_style;
    QCheckBox *m_pageNumbers;
    QCheckBox *m_printDate;
    QLineEdit *m_output;
    QCheckBox *m_showInViewer;
};

} // namespace velmora::wizard
