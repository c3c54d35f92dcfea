#pragma once

#include "wizard/steps/WizardStep.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace velmora::wizard {

/// The database: its file and password, and the user tables it holds.
class DatabaseStep : public WizardStep {
    Q_OBJECT
public:
    DatabaseStep(WizardState &state, QWidget *parent);

    QString title() const override;
    void enter() override;
    bool mayLeave(QString &refusal) override;

signals:
    /// The person asks to open a report made before.
    void reopenRequested();

private:
    void chooseFile();
    /// Opens the file named; false, with the engine's words shown, when it cannot.
    bool openDatabase();
    void showTables();

    QLineEdit *m_path;
    QLineEdit *m_password;
    QPushButton *m_open;
    QLabel *m_status;
    QListWidget *m_tables;
};

} // namespace velmora::wizard
