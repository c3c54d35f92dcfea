#include "wizard/steps/StepMessages.h"

#include <QLabel>

namespace velmora::wizard {

void showMessage(QLabel *label, const QString &text, MessageKind kind)
{
    label->setText(text);
    switch (kind) {
    case MessageKind::Error: label->setStyleSheet(QStringLiteral("color: #B00020;")); break;
    case MessageKind::Success: label->setStyleSheet(QStringLiteral("color: #1B5E20;")); break;
    case MessageKind::Plain: label->setStyleSheet(QString()); break;
    }
    label->setAccessibleDescription(text);
}

QString failureText(const Failure &failure)
{
    return QStringLiteral("%1 (error %2)").arg(failure.description()).arg(failure.number());
}

} // namespace velmora::wizard
