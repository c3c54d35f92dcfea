#pragma once

#include "engine/core/Failure.h"

#include <QString>

class QLabel;

namespace velmora::wizard {

enum class MessageKind { Plain, Success, Error };

/// Shows a message in a step's status line, in red for an error, and lets
/// a screen reader read it as the label's name.
void showMessage(QLabel *label, const QString &text, MessageKind kind);

/// A failure as the wizard shows it: the engine's own description and its number.
QString failureText(const Failure &failure);

} // namespace velmora::wizard
