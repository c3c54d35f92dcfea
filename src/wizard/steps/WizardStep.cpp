#include "wizard/steps/WizardStep.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace velmora::wizard {

WizardStep::WizardStep(WizardState &state, QWidget *parent) : QWidget(parent), m_state(state)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

bool WizardStep::mayLeave(QString &)
{
    return true;
}

QLabel *WizardStep::addIntroduction(const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setAccessibleName(text);
    layout()->addWidget(label);
    return label;
}

QWidget *WizardStep::addScrolledPanel()
{
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *panel = new QWidget(scroll);
    scroll->setWidget(panel);
    layout()->addWidget(scroll);
    return panel;
}

} // namespace velmora::wizard
