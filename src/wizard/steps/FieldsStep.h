#pragma once

#include "wizard/steps/WizardStep.h"

class QListWidget;
class QTableWidget;

namespace velmora::wizard {

/// The fields the report shows, in order, each with its heading.
class FieldsStep : public WizardStep {
    Q_OBJECT
public:
    FieldsStep(WizardState &state, QWidget *parent);

    QString title() const override;
    void enter() override;
    bool mayLeave(QString &refusal) override;

protected:
    /// Return on an available field adds it, and goes no further: the
    /// window's default button must not take it too.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addCurrent();
    void addAll();
    void removeCurrent();
    void move(int step);
    void showChosen(int current);
    void headingEdited(int row, int column);

    QListWidget *m_available;
    QTableWidget *m_chosen;
};

} // namespace velmora::wizard
