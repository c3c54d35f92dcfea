#include "wizard/steps/FilterStep.h"

#include "engine/core/Failure.h"
#include "wizard/generator/RecordFilter.h"
#include "wizard/steps/StepMessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace velmora::wizard {

namespace {

constexpr Comparison comparisons[] = {
    Comparison::Equal, Comparison::NotEqual, Comparison::Less, Comparison::LessOrEqual,
    Comparison::Greater, Comparison::GreaterOrEqual, Comparison::StartsWith, Comparison::Contains,
};

} // namespace

FilterStep::FilterStep(WizardState &state, QWidget *parent) : WizardStep(state, parent)
{
    addIntroduction(QStringLiteral("Limiteu els registres amb condicions simples (totes s'han de complir). Marqueu "
                                   "«Pregunta-ho en obrir l'informe» perquè el valor es demani cada vegada; el valor "
                                   "escrit és el que es proposa, i si es deixa buit es mostren tots els registres."));
    m_rows = addScrolledPanel();
    m_rowsLayout = new QVBoxLayout(m_rows);
    m_rowsLayout->addStretch();
    auto *add = named(new QPushButton(QStringLiteral("&Afegeix una condició"), this), QStringLiteral("Afegeix una condició"));
    auto *row = new QHBoxLayout;
    row->addWidget(add);
    row->addStretch();
    layout()->addItem(row);
    m_status = named(new QLabel(this), QStringLiteral("Estat del filtre"));
    m_status->setWordWrap(true);
    layout()->addWidget(m_status);
    connect(add, &QPushButton::clicked, this, &FilterStep::addCondition);
}

QString FilterStep::title() const
{
    return QStringLiteral("El filtre de registres");
}

void FilterStep::enter()
{
    const auto fields = m_state.availableFields();
    std::erase_if(m_state.choices.conditions, [&](const ConditionChoice &c) {
        return std::find(fields.begin(), fields.end(), c.field) == fields.end();
    });
    rebuild();
}

bool FilterStep::mayLeave(QString &refusal)
{
    if (check())
        return true;
    refusal = m_status->text();
    return false;
}

void FilterStep::addCondition()
{
    const auto fields = m_state.availableFields();
    if (fields.empty())
        return;
    ConditionChoice condition;
    condition.field = fields.front();
    m_state.choices.conditions.push_back(condition);
    rebuild();
    // The new row's field list takes the focus, for the keyboard.
    if (auto *last = m_rows->findChild<QComboBox *>(QStringLiteral("condition%1field").arg(m_state.choices.conditions.size() - 1)))
        last->setFocus();
    emit changed();
}

void FilterStep::rebuild()
{
    qDeleteAll(m_rows->findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
    const auto fields = m_state.availableFields();
    for (int index = 0; index < int(m_state.choices.conditions.size()); ++index) {
        const ConditionChoice &condition = m_state.choices.conditions[size_t(index)];
        const QString number = QString::number(index + 1);
        auto *row = new QFrame(m_rows);
        row->setFrameShape(QFrame::StyledPanel);
        auto *lines = new QGridLayout(row);
        auto *field = named(new QComboBox(row), QStringLiteral("Camp de la condició %1").arg(number));
        field->setObjectName(QStringLiteral("condition%1field").arg(index));
        for (const FieldName &f : fields)
            field->addItem(f.table + u'.' + f.field);
        field->setCurrentIndex(int(std::find(fields.begin(), fields.end(), condition.field) - fields.begin()));
        auto *comparison = named(new QComboBox(row), QStringLiteral("Comparació de la condició %1").arg(number));
        for (Comparison c : comparisons)
            comparison->addItem(comparisonLabel(c));
        comparison->setCurrentIndex(int(condition.comparison));
        auto *value = named(new QLineEdit(condition.value, row), QStringLiteral("Valor de la condició %1").arg(number));
        value->setPlaceholderText(QStringLiteral("valor"));
        auto *ask = named(new QCheckBox(QStringLiteral("Pregunta-ho en obrir l'informe"), row),
                          QStringLiteral("Pregunta el valor de la condició %1 en obrir l'informe").arg(number));
        ask->setChecked(condition.askWhenRun);
        auto *remove = named(new QPushButton(QStringLiteral("Treu"), row), QStringLiteral("Treu la condició %1").arg(number));
        lines->addWidget(new QLabel(number + u'.', row), 0, 0);
        lines->addWidget(field, 0, 1);
        lines->addWidget(comparison, 0, 2, 1, 2);
        lines->addWidget(value, 1, 1);
        lines->addWidget(ask, 1, 2);
        lines->addWidget(remove, 1, 3);
        lines->setColumnStretch(1, 1);
        m_rowsLayout->insertWidget(index, row);

        auto update = [this, index, fields, field, comparison, value, ask] {
            ConditionChoice &c = m_state.choices.conditions[size_t(index)];
            c.field = fields[size_t(std::max(0, field->currentIndex()))];
            c.comparison = comparisons[std::max(0, comparison->currentIndex())];
            c.value = value->text();
            c.askWhenRun = ask->isChecked();
            if (check())
                emit changed();
        };
        connect(field, &QComboBox::currentIndexChanged, this, update);
        connect(comparison, &QComboBox::currentIndexChanged, this, update);
        connect(value, &QLineEdit::textChanged, this, update);
        connect(ask, &QCheckBox::toggled, this, update);
        connect(remove, &QPushButton::clicked, this, [this, index] {
            m_state.choices.conditions.erase(m_state.choices.conditions.begin() + index);
            QMetaObject::invokeMethod(this, [this] { rebuild(); emit changed(); }, Qt::QueuedConnection);
        });
    }
    check();
}

bool FilterStep::check()
{
    if (!m_state.catalog)
        return true;
    try {
        buildRecordFilter(m_state.choices.conditions, *m_state.catalog);
    } catch (const Failure &failure) {
        showMessage(m_status, failure.description(), MessageKind::Error);
        return false;
    }
    showMessage(m_status,
                m_state.choices.conditions.empty()        ? QStringLiteral("Sense condicions: l'informe mostra tots els registres.")
                : m_state.choices.conditions.size() == 1 ? QStringLiteral("Es mostren els registres que compleixen la condició.")
                                                          : QStringLiteral("Es mostren els registres que compleixen les %1 "
                                                                           "condicions.")
                                                                .arg(m_state.choices.conditions.size()),
                MessageKind::Plain);
    return true;
}

} // namespace velmora::wizard
