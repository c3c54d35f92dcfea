#pragma once

#include "wizard/steps/WizardStep.h"

class QListWidget;
class QListWidgetItem;
class QTableWidget;

namespace velmora::wizard {

/// The tables, and the links between them proposed from the relationships
/// the database keeps, each with its join type.
class TablesStep : public WizardStep {
    Q_OBJECT
public:
    TablesStep(WizardState &state, QWidget *parent);

    QString title() const override;
    void enter() override;
    bool mayLeave(QString &refusal) override;

private:
    void tableToggled(QListWidgetItem *item);
    void proposeLinks();
    void showLinks();

    QListWidget *m_tables;
    QTableWidget *m_links;
    QLabel *m_status;
    QStringList m_unreached;
};

} // namespace velmora::wizard
