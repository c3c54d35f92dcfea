#pragma once

#include "engine/report/ParameterPrompt.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace velmora {

/// The editor of one parameter in the prompt, fit for its type and shape: a
/// check box for a Boolean; a list to pick from (closed) or to pick from or
/// type into (open) when it has choices; a line for one value (with a
/// calendar for dates); "des de" and "fins a" lines for a range; check boxes
/// over the choices, or a line of values separated by ";", for several.
class ParameterRowEditor : public QWidget {
    Q_OBJECT
public:
    ParameterRowEditor(const PromptRow &row, QWidget *parent);

    /// The value as edited, or nothing with `problem` saying why it cannot
    /// be taken (naming the parameter and what it needs).
    std::optional<ParameterValue> value(QString &problem) const;
    /// The control that takes focus when the row is refused.
    QWidget *focusTarget() const;

private:
    QLineEdit *addLine(const QString &accessibleName, const QString &text);
    void buildSingle(const Value &value);
    void buildRange(const ParameterValue &value);
    void buildSeveral(const ParameterValue &value);
    std::optional<Value> readOne(const QString &text, QString &problem) const;
    std::optional<ParameterValue> readSingle(QString &problem) const;
    std::optional<ParameterValue> readRange(QString &problem) const;
    std::optional<ParameterValue> readSeveral(QString &problem) const;
    bool takes(const Value &value) const;

    PromptRow m_row;
    QCheckBox *m_check = nullptr;
    QComboBox *m_choice = nullptr;
    QListWidget *m_picks = nullptr;
    QLineEdit *m_line = nullptr;
    QLineEdit *m_high = nullptr;
    ValueRange m_rangeShape; ///< which ends the range left out, kept as given
};

} // namespace velmora
