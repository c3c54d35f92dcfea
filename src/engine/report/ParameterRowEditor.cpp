#include "engine/report/ParameterRowEditor.h"

#include "engine/definition/ParameterChecks.h"
#include "engine/report/CalendarButton.h"
#include "engine/report/PromptValueText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

namespace velmora {

namespace {

const QString itemSeparator = QStringLiteral(";");
const QString rangeMark = QStringLiteral("..");

QString choiceCaption(const PickValue &choice)
{
    const QString text = promptText(choice.value);
    return choice.description.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, choice.description);
}

bool hasCalendar(ValueType type) { return type == ValueType::Date || type == ValueType::DateTime; }

} // namespace

ParameterRowEditor::ParameterRowEditor(const PromptRow &row, QWidget *parent) : QWidget(parent), m_row(row)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const ParameterDefinition &parameter = m_row.parameter;
    if (parameter.multipleValues)
        buildSeveral(m_row.value);
    else if (parameter.rangeValues)
        buildRange(m_row.value);
    else
        buildSingle(m_row.value.first());
}

QLineEdit *ParameterRowEditor::addLine(const QString &accessibleName, const QString &text)
{
    auto *line = new QLineEdit(text, this);
    line->setAccessibleName(accessibleName);
    line->setMinimumWidth(160);
    layout()->addWidget(line);
    if (hasCalendar(m_row.parameter.type))
        layout()->addWidget(new CalendarButton(line, accessibleName, this));
    return line;
}

void ParameterRowEditor::buildSingle(const Value &value)
{
    const QString question = m_row.parameter.question();
    if (m_row.parameter.type == ValueType::Boolean) {
        m_check = new QCheckBox(this);
        m_check->setAccessibleName(question);
        m_check->setChecked(value.type() == ValueType::Boolean && value.asBoolean());
        layout()->addWidget(m_check);
        return;
    }
    if (m_row.choices.empty()) {
        m_line = addLine(question, promptText(value));
        return;
    }
    m_choice = new QComboBox(this);
    m_choice->setAccessibleName(question);
    m_choice->setEditable(!m_row.parameter.closedList);
    if (m_row.parameter.optional || value.isNull())
        m_choice->addItem(QString(), QVariant());
    for (const PickValue &choice : m_row.choices)
        m_choice->addItem(choiceCaption(choice), promptText(choice.value));
    const int at = m_choice->findData(promptText(value));
    if (at >= 0)
        m_choice->setCurrentIndex(at);
    else if (m_choice->isEditable())
        m_choice->setEditText(promptText(value));
    layout()->addWidget(m_choice);
}

void ParameterRowEditor::buildRange(const ParameterValue &value)
{
    const QString question = m_row.parameter.question();
    if (!value.ranges.empty())
        m_rangeShape = value.ranges.front();
    else
        m_rangeShape = ValueRange{value.first(), value.first(), true, true};
    layout()->addWidget(new QLabel(QStringLiteral("des de"), this));
    m_line = addLine(QStringLiteral("%1, des de").arg(question), promptText(m_rangeShape.low));
    layout()->addWidget(new QLabel(QStringLiteral("fins a"), this));
    m_high = addLine(QStringLiteral("%1, fins a").arg(question), promptText(m_rangeShape.high));
}

void ParameterRowEditor::buildSeveral(const ParameterValue &value)
{
    const QString question = m_row.parameter.question();
    std::vector<Value> typed;
    if (!m_row.choices.empty()) {
        m_picks = new QListWidget(this);
        m_picks->setAccessibleName(question);
        m_picks->setMaximumHeight(110);
        for (const PickValue &choice : m_row.choices) {
            auto *item = new QListWidgetItem(choiceCaption(choice), m_picks);
            item->setData(Qt::UserRole, promptText(choice.value));
            const bool chosen = std::find(value.values.begin(), value.values.end(), choice.value) != value.values.end();
            item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
        }
        layout()->addWidget(m_picks);
        if (m_row.parameter.closedList)
            return;
    }
    QStringList items;
    for (const Value &v : value.values)
        if (!takes(v) || m_row.choices.empty())
            items << promptText(v);
    for (const ValueRange &range : value.ranges)
        items << promptText(range.low) + rangeMark + promptText(range.high);
    m_line = addLine(m_picks ? QStringLiteral("%1, altres valors").arg(question) : question, items.join(itemSeparator + u' '));
    m_line->setPlaceholderText(m_row.parameter.rangeValues ? QStringLiteral("valors separats per ; (interval: a..b)")
                                                           : QStringLiteral("valors separats per ;"));
}

bool ParameterRowEditor::takes(const Value &value) const
{
    return std::any_of(m_row.choices.begin(), m_row.choices.end(), [&](const PickValue &c) { return c.value == value; });
}

QWidget *ParameterRowEditor::focusTarget() const
{
    for (QWidget *widget : {static_cast<QWidget *>(m_line), static_cast<QWidget *>(m_choice),
                            static_cast<QWidget *>(m_picks), static_cast<QWidget *>(m_check)})
        if (widget)
            return widget;
    return nullptr;
}

std::optional<Value> ParameterRowEditor::readOne(const QString &text, QString &problem) const
{
    auto value = readPromptText(m_row.parameter.type, text);
    if (!value)
        problem = QStringLiteral("«%1» no és vàlid per a «%2»: cal %3.")
                      .arg(text.trimmed(), m_row.parameter.question(), promptTextNeed(m_row.parameter.type));
    return value;
}

std::optional<ParameterValue> ParameterRowEditor::readSingle(QString &problem) const
{
    if (m_check)
        return ParameterValue(Value::boolean(m_check->isChecked()));
    const QString text = m_choice ? (m_choice->isEditable() ? m_choice->currentText() : m_choice->currentData().toString())
                                  : m_line->text();
    if (text.trimmed().isEmpty())
        return ParameterValue();
    const auto value = readOne(text, problem);
    return value ? std::optional(ParameterValue(*value)) : std::nullopt;
}

std::optional<ParameterValue> ParameterRowEditor::readRange(QString &problem) const
{
    ValueRange range = m_rangeShape;
    range.low = Value();
    range.high = Value();
    for (auto [line, end] : {std::pair{m_line, &range.low}, std::pair{m_high, &range.high}}) {
        if (line->text().trimmed().isEmpty())
            continue;
        const auto value = readOne(line->text(), problem);
        if (!value)
            return std::nullopt;
        *end = *value;
    }
    ParameterValue value;
    if (!range.low.isNull() || !range.high.isNull())
        value.ranges.push_back(range);
    return value;
}

std::optional<ParameterValue> ParameterRowEditor::readSeveral(QString &problem) const
{
    ParameterValue value;
    for (int i = 0; m_picks && i < m_picks->count(); ++i)
        if (m_picks->item(i)->checkState() == Qt::Checked)
            value.values.push_back(*readPromptText(m_row.parameter.type, m_picks->item(i)->data(Qt::UserRole).toString()));
    const QStringList items = m_line ? m_line->text().split(itemSeparator, Qt::SkipEmptyParts) : QStringList();
    for (const QString &item : items) {
        const qsizetype mark = m_row.parameter.rangeValues ? item.indexOf(rangeMark) : -1;
        if (mark < 0) {
            const auto one = readOne(item.trimmed(), problem);
            if (!one)
                return std::nullopt;
            value.values.push_back(*one);
            continue;
        }
        ValueRange range;
        for (auto [text, end] : {std::pair{item.left(mark), &range.low}, std::pair{item.mid(mark + 2), &range.high}}) {
            if (text.trimmed().isEmpty())
                continue;
            const auto bound = readOne(text, problem);
            if (!bound)
                return std::nullopt;
            *end = *bound;
        }
        value.ranges.push_back(range);
    }
    return value;
}

std::optional<ParameterValue> ParameterRowEditor::value(QString &problem) const
{
    const ParameterDefinition &parameter = m_row.parameter;
    std::optional<ParameterValue> value = parameter.multipleValues ? readSeveral(problem)
                                        : parameter.rangeValues    ? readRange(problem)
                                                                   : readSingle(problem);
    if (!value)
        return std::nullopt;
    if (value->isEmpty() && !parameter.optional) {
        problem = QStringLiteral("Cal un valor per a «%1»: %2.").arg(parameter.question(), promptTextNeed(parameter.type));
        return std::nullopt;
    }
    problem = outsideChoices(parameter, m_row.choices, *value);
    if (!problem.isEmpty())
        return std::nullopt;
    return value;
}

} // namespace velmora
