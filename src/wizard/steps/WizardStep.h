#pragma once

#include "wizard/steps/WizardState.h"

#include <QWidget>

class QLabel;

namespace velmora::wizard {

/// One page of the wizard. Its controls write their choices into the shared
/// state as soon as they change, and say so with `changed`, so that the
/// preview follows every step.
class WizardStep : public QWidget {
    Q_OBJECT
public:
    WizardStep(WizardState &state, QWidget *parent);

    virtual QString title() const = 0;
    /// Shows the state's choices; called each time the step is entered.
    virtual void enter() = 0;
    /// Whether the wizard may go past this step; when not, `refusal` says why.
    virtual bool mayLeave(QString &refusal);

signals:
    void changed();

protected:
    /// A caption above the step's controls, for a person and a screen reader.
    QLabel *addIntroduction(const QString &text);
    /// A panel that scrolls when its rows outgrow the step; its layout is the caller's.
    QWidget *addScrolledPanel();

    WizardState &m_state;
};

/// Gives a control the name a screen reader says for it.
template<typename Widget>
Widget *named(Widget *widget, const QString &name)
{
    widget->setAccessibleName(name);
    return widget;
}

} // namespace velmora::wizard
