#include "viewer/CommandEdge.h"

#include "engine/core/Failure.h"
#include "viewer/ViewerErrors.h"

#include <QApplication>
#include <QMessageBox>

namespace velmora {

namespace {
Failure asFailure(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const Failure &known) {
        return known;
    } catch (const std::exception &other) {
        return Failure(ViewerErrors::Unexpected,
                       QStringLiteral("Error inesperat: %1").arg(QString::fromLocal8Bit(other.what())));
    } catch (...) {
        return Failure(ViewerErrors::Unexpected, QStringLiteral("Error inesperat."));
    }
}
} // namespace

void reportUntrappedCommandFailure(std::exception_ptr failure) noexcept
{
    try {
        const Failure shown = asFailure(failure);
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
