#include "viewer/CommandEdge.h"

#include "engine/core/Failure.h"
#include "viewer/ViewerErrors.h"

#include <QApplication>
#include <QMessageBox>

namespace velmora {

void reportUntrappedCommandFailure(std::exception_ptr failure) noexcept
{
    try {
        const Failure shown = failureFrom(failure, ViewerErrors::Unexpected);
        const QString text = QString::number(shown.number()) + u'\n' + shown.description();
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Velmora"), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        box.exec();
    } catch (...) {
        // Telling the user failed as well (out of memory, most likely);
        // nothing is left that could be shown.
    }
}

} // namespace velmora
