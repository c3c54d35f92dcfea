#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

namespace velmora {

/// One message box as the windows ask for it: text, title (empty for the
/// application's default title), icon, buttons and the default button.
struct MessageBoxRequest {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;

    /// The title the box really carries.
    QString shownTitle() const;
};

/// Shows a message box modally and returns the button pressed. Windows hold
/// one of these so that tests can answer in place of a user.
using MessageBoxFunction =
    std::function<QMessageBox::StandardButton(QWidget *parent, const MessageBoxRequest &request)>;

/// The real message box.
QMessageBox::StandardButton showMessageBox(QWidget *parent, const MessageBoxRequest &request);

} // namespace velmora
