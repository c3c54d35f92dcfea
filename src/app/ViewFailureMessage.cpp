#include "app/ViewFailureMessage.h"

#include "app/UntrappedFailure.h"

namespace velmora {

MessageBoxRequest viewFailureMessage(std::exception_ptr failure)
{
    const UntrappedFailure known = UntrappedFailure::from(failure);
    MessageBoxRequest request;
    request.text = QString::number(known.number) + QStringLiteral("\r\n") + known.description;
    request.title = QStringLiteral("Velmora");
    request.icon = QMessageBox::NoIcon;
    request.buttons = QMessageBox::Ok;
    return request;
}

} // namespace velmora
