#include "wizard/steps/FieldsStep.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velmora::wizard {

namespace {

QString fieldText(const FieldName &field)
{
    return field.table + u'.' + field.field;
}

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    return named(new QPushButton(text, parent), name);
}

} // namespace

FieldsStep::FieldsStep(WizardState &state, QWidget *parent) : WizardStep(state, parent)
{
    addIntroduction(QStringLiteral("Afegiu els camps que mostrarà l'informe, en l'ordre de les columnes. Podeu "
                                   "canviar el títol de cada columna (F2 per editar-lo)."));
    auto *grid = new QGridLayout;
    auto *availableLabel = new QLabel(QStringLiteral("Camps &disponibles:"), this);
    m_available = named(new QListWidget(this), QStringLiteral("Camps disponibles"));
    availableLabel->setBuddy(m_available);
    auto *chosenLabel = new QLabel(QStringLiteral("Camps de l'&informe i els seus títols:"), this);
    m_chosen = named(new QTableWidget(0, 2, this), QStringLiteral("Camps de l'informe i els seus títols"));
    m_chosen->setHorizontalHeaderLabels({QStringLiteral("Camp"), QStringLiteral("Títol de la columna")});
    m_chosen->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_chosen->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_chosen->verticalHeader()->hide();
    m_chosen->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_chosen->setSelectionMode(QAbstractItemView::SingleSelection);
    m_chosen->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    chosenLabel->setBuddy(m_chosen);

    auto *buttons = new QVBoxLayout;
    auto *add = button(QStringLiteral("&Afegeix >"), QStringLiteral("Afegeix el camp a l'informe"), this);
    auto *addAll = button(QStringLiteral("Afegeix-los &tots >>"), QStringLiteral("Afegeix tots els camps"), this);
    auto *remove = button(QStringLiteral("< T&reu"), QStringLiteral("Treu el camp de l'informe"), this);
    auto *up = button(QStringLiteral("A&munt"), QStringLiteral("Mou el camp amunt"), this);
    auto *down = button(QStringLiteral("A&vall"), QStringLiteral("Mou el camp avall"), this);
    buttons->addStretch();
    for (QPushButton *b : {add, addAll, remove, up, down})
        buttons->addWidget(b);
    buttons->addStretch();

    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(chosenLabel, 0, 2);
    grid->addWidget(m_available, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(m_chosen, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 2);
    layout()->addItem(grid);

    connect(add, &QPushButton::clicked, this, &FieldsStep::addCurrent);
    m_available->installEventFilter(this);
    connect(m_available, &QListWidget::doubleClicked, this, &FieldsStep::addCurrent);
    connect(addAll, &QPushButton::clicked, this, &FieldsStep::addAll);
    connect(remove, &QPushButton::clicked, this, &FieldsStep::removeCurrent);
    connect(up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { move(1); });
    connect(m_chosen, &QTableWidget::cellChanged, this, &FieldsStep::headingEdited);
}

bool FieldsStep::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_available && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addCurrent();
            return true;
        }
    }
    return WizardStep::eventFilter(watched, event);
}

QString FieldsStep::title() const
{
    return QStringLiteral("Els camps i els seus títols");
}

void FieldsStep::enter()
{
    // Fields of tables no longer chosen leave the report.
    const std::vector<FieldName> available = m_state.availableFields();
    auto &columns = m_state.choices.columns;
    std::erase_if(columns, [&](const ColumnChoice &column) {
        return std::find(available.begin(), available.end(), column.field) == available.end();
    });
    m_available->clear();
    for (const FieldName &field : available)
        m_available->addItem(fieldText(field));
    if (m_available->count() > 0)
        m_available->setCurrentRow(0);
    showChosen(0);
}

bool FieldsStep::mayLeave(QString &refusal)
{
    if (!m_state.choices.columns.empty())
        return true;
    refusal = QStringLiteral("Afegiu almenys un camp a l'informe.");
    return false;
}

void FieldsStep::addCurrent()
{
    const int row = m_available->currentRow();
    const std::vector<FieldName> available = m_state.availableFields();
    if (row < 0 || row >= int(available.size()))
        return;
    m_state.choices.columns.push_back({available[size_t(row)], QString()});
    if (row + 1 < m_available->count())
        m_available->setCurrentRow(row + 1);
    showChosen(int(m_state.choices.columns.size()) - 1);
    emit changed();
}

void FieldsStep::addAll()
{
    for (const FieldName &field : m_state.availableFields()) {
        auto &columns = m_state.choices.columns;
        const bool present = std::any_of(columns.begin(), columns.end(), [&](const ColumnChoice &c) { return c.field == field; });
        if (!present)
            columns.push_back({field, QString()});
    }
    showChosen(int(m_state.choices.columns.size()) - 1);
    emit changed();
}

void FieldsStep::removeCurrent()
{
    const int row = m_chosen->currentRow();
    auto &columns = m_state.choices.columns;
    if (row < 0 || row >= int(columns.size()))
        return;
    columns.erase(columns.begin() + row);
    showChosen(std::min(row, int(columns.size()) - 1));
    emit changed();
}

void FieldsStep::move(int step)
{
    const int row = m_chosen->currentRow();
    auto &columns = m_state.choices.columns;
    const int target = row + step;
    if (row < 0 || target < 0 || target >= int(columns.size()))
        return;
    std::swap(columns[size_t(row)], columns[size_t(target)]);
    showChosen(target);
    emit changed();
}

void FieldsStep::showChosen(int current)
{
    const QSignalBlocker block(m_chosen);
    const auto &columns = m_state.choices.columns;
    m_chosen->setRowCount(int(columns.size()));
    for (int row = 0; row < int(columns.size()); ++row) {
        auto *field = new QTableWidgetItem(fieldText(columns[size_t(row)].field));
        field->setFlags(field->flags() & ~Qt::ItemIsEditable);
        m_chosen->setItem(row, 0, field);
        const QString heading = columns[size_t(row)].heading.isEmpty() ? columns[size_t(row)].field.field
                                                                         : columns[size_t(row)].heading;
        m_chosen->setItem(row, 1, new QTableWidgetItem(heading));
    }
    if (current >= 0 && current < int(columns.size()))
        m_chosen->setCurrentCell(current, 1);
}

void FieldsStep::headingEdited(int row, int column)
{
    auto &columns = m_state.choices.columns;
    if (column != 1 || row < 0 || row >= int(columns.size()))
        return;
    const QString heading = m_chosen->item(row, 1)->text().trimmed();
    columns[size_t(row)].heading = heading == columns[size_t(row)].field.field ? QString() : heading;
    emit changed();
}

} // namespace velmora::wizard
