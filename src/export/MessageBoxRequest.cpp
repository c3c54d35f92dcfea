#include "export/MessageBoxRequest.h"

namespace velmora {

QString MessageBoxRequest::shownTitle() const
{
    return title.isEmpty() ? QStringLiteral("Velmora") : title;
}

QMessageBox::StandardButton showMessageBox(QWidget *parent, const MessageBoxRequest &request)
{
    QMessageBox box(request.icon, request.shownTitle(), request.text, request.buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace velmora
