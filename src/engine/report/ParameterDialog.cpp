#include "engine/report/ParameterDialog.h"

#include "engine/report/ParameterRowEditor.h"
#include "engine/core/Failure.h"
#include "engine/seam/SeamErrors.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace velmora {

namespace {

/// The program's dialogs colour their answer buttons: light green to go on, light pink to go back.
void colourButton(QPushButton *button, const QString &caption, const char *background)
{
    button->setText(caption);
    button->setAccessibleName(caption);
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black; border: 1px solid #707070;"
                                         " border-radius: 2px; padding: 4px 14px; }"
                                         " QPushButton:focus { border: 2px solid #303030; }")
                              .arg(QLatin1String(background)));
}

} // namespace

ParameterDialog::ParameterDialog(std::vector<PromptRow> &rows, QWidget *parent) : QDialog(parent), m_rows(rows)
{
    setWindowTitle(QStringLiteral("Paràmetres de l'informe"));
    setAccessibleName(windowTitle());
    buildControls();
}

bool ParameterDialog::ask(std::vector<PromptRow> &rows, QWidget *owner)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        throw Failure(SeamErrors::ComponentUnavailable,
                      QStringLiteral("No es poden demanar els paràmetres de l'informe: el programa no té finestres."));
    ParameterDialog dialog(rows, owner ? owner->window() : QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

void ParameterDialog::buildControls()
{
    auto *intro = new QLabel(QStringLiteral("Doneu els valors amb què s'ha de compondre l'informe:"), this);
    auto *rowsArea = new QWidget(this);
    auto *form = new QFormLayout(rowsArea);
    for (const PromptRow &row : m_rows) {
        auto *editor = new ParameterRowEditor(row, rowsArea);
        auto *label = new QLabel(row.parameter.question() + u':', rowsArea);
        label->setBuddy(editor->focusTarget());
        form->addRow(label, editor);
        m_editors.push_back(editor);
    }
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(rowsArea);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    m_problem = new QLabel(this);
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #a00000;"));
    m_problem->setAccessibleName(QStringLiteral("Avís"));
    m_problem->hide();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    colourButton(buttons->button(QDialogButtonBox::Ok), QStringLiteral("Acceptar"), "#c0ffc0");
    colourButton(buttons->button(QDialogButtonBox::Cancel), QStringLiteral("Cancel·lar"), "#ffc0c0");
    connect(buttons, &QDialogButtonBox::accepted, this, &ParameterDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ParameterDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(scroll, 1);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    setMinimumWidth(480);
}

void ParameterDialog::accept()
{
    std::vector<ParameterValue> values;
    for (ParameterRowEditor *editor : m_editors) {
        QString problem;
        const auto value = editor->value(problem);
        if (!value) {
            m_problem->setText(problem);
            m_problem->show();
            if (QWidget *target = editor->focusTarget())
                target->setFocus();
            return;
        }
        values.push_back(*value);
    }
    for (size_t i = 0; i < values.size(); ++i)
        m_rows[i].value = values[i];
    QDialog::accept();
}

} // namespace velmora
