#include "wizard/steps/DatabaseStep.h"

#include "engine/core/Failure.h"
#include "wizard/steps/StepMessages.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::wizard {

DatabaseStep::DatabaseStep(WizardState &state, QWidget *parent) : WizardStep(state, parent)
{
    addIntroduction(QStringLiteral("Trieu la base de dades Access (.mdb o .accdb) de l'informe. Si té contrasenya, "
                                   "escriviu-la."));
    auto *form = new QFormLayout;
    m_path = named(new QLineEdit(this), QStringLiteral("Fitxer de la base de dades"));
    auto *choose = named(new QPushButton(QStringLiteral("&Tria..."), this), QStringLiteral("Tria el fitxer de la base de dades"));
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(choose);
    auto *pathLabel = new QLabel(QStringLiteral("&Base de dades:"), this);
    pathLabel->setBuddy(m_path);
    form->addRow(pathLabel, pathRow);
    m_password = named(new QLineEdit(this), QStringLiteral("Contrasenya de la base de dades"));
    m_password->setEchoMode(QLineEdit::Password);
    auto *passwordLabel = new QLabel(QStringLiteral("&Contrasenya:"), this);
    passwordLabel->setBuddy(m_password);
    form->addRow(passwordLabel, m_password);
    layout()->addItem(form);

    auto *buttons = new QHBoxLayout;
    m_open = named(new QPushButton(QStringLiteral("&Obre la base de dades"), this), QStringLiteral("Obre la base de dades"));
    auto *reopen = named(new QPushButton(QStringLiteral("Obre un &informe fet abans..."), this),
                         QStringLiteral("Obre un informe fet abans amb l'assistent"));
    buttons->addWidget(m_open);
    buttons->addStretch();
    buttons->addWidget(reopen);
    layout()->addItem(buttons);

    m_status = named(new QLabel(this), QStringLiteral("Estat de la base de dades"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout()->addWidget(m_status);
    auto *tablesLabel = new QLabel(QStringLiteral("Taules de la base de dades:"), this);
    layout()->addWidget(tablesLabel);
    m_tables = named(new QListWidget(this), QStringLiteral("Taules de la base de dades"));
    tablesLabel->setBuddy(m_tables);
    layout()->addWidget(m_tables);
    auto *note = new QLabel(QStringLiteral("Només s'hi mostren les taules: les consultes desades a la base de dades "
                                           "no es poden fer servir en un informe."),
                            this);
    note->setWordWrap(true);
    layout()->addWidget(note);

    connect(choose, &QPushButton::clicked, this, &DatabaseStep::chooseFile);
    connect(m_open, &QPushButton::clicked, this, &DatabaseStep::openDatabase);
    connect(m_path, &QLineEdit::returnPressed, this, &DatabaseStep::openDatabase);
    connect(m_password, &QLineEdit::returnPressed, this, &DatabaseStep::openDatabase);
    connect(reopen, &QPushButton::clicked, this, &DatabaseStep::reopenRequested);
}

QString DatabaseStep::title() const
{
    return QStringLiteral("La base de dades");
}

void DatabaseStep::enter()
{
    m_path->setText(m_state.choices.databasePath);
    m_password->setText(m_state.password);
    showTables();
}

bool DatabaseStep::mayLeave(QString &refusal)
{
    const bool same = m_state.catalog && m_path->text() == m_state.choices.databasePath
                      && m_password->text() == m_state.password;
    if (!same && !openDatabase()) {
        refusal = m_status->text();
        return false;
    }
    return true;
}

void DatabaseStep::chooseFile()
{
    const QString start = m_path->text().isEmpty() ? QString() : QFileInfo(m_path->text()).absolutePath();
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Base de dades de l'informe"), start,
                                                      QStringLiteral("Bases de dades Access (*.mdb *.accdb);;Tots "
                                                                     "els fitxers (*)"));
    if (file.isEmpty())
        return;
    m_path->setText(file);
    openDatabase();
}

bool DatabaseStep::openDatabase()
{
    try {
        m_state.catalog = std::make_shared<const DatabaseCatalog>(DatabaseCatalog::open(m_path->text(), m_password->text()));
    } catch (const Failure &failure) {
        m_state.catalog.reset();
        showTables();
        showMessage(m_status, failureText(failure), MessageKind::Error);
        return false;
    }
    m_state.choices.databasePath = m_path->text();
    m_state.password = m_password->text();
    // Tables the new database lacks leave the choices.
    QStringList kept;
    for (const QString &table : m_state.choices.tables)
        if (m_state.catalog->schema(table))
            kept << table;
    m_state.choices.tables = kept;
    showTables();
    emit changed();
    return true;
}

void DatabaseStep::showTables()
{
    m_tables->clear();
    if (!m_state.catalog) {
        if (m_state.choices.databasePath.isEmpty())
            showMessage(m_status, QStringLiteral("Encara no s'ha obert cap base de dades."), MessageKind::Plain);
        return;
    }
    m_tables->addItems(m_state.catalog->tableNames());
    showMessage(m_status,
                QStringLiteral("S'ha obert «%1»: %2 taules, %3 relacions desades.")
                    .arg(QFileInfo(m_state.choices.databasePath).fileName())
                    .arg(m_state.catalog->tableNames().size())
                    .arg(m_state.catalog->relationships().size()),
                MessageKind::Success);
}

} // namespace velmora::wizard
