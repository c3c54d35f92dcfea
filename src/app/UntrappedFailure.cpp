#include "app/UntrappedFailure.h"

#include "app/PlatformErrors.h"
#include "app/VelmoraApplication.h"
#include "engine/core/Failure.h"

namespace velmora {

UntrappedFailure UntrappedFailure::from(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const Failure &known) {
        return {known.number(), known.description()};
    } catch (const std::exception &other) {
        return {PlatformErrors::Unexpected,
                QStringLiteral("Error inesperat: %1").arg(QString::fromLocal8Bit(other.what()))};
    } catch (...) {
        return {PlatformErrors::Unexpected, QStringLiteral("Error inesperat.")};
    }
}

QString UntrappedFailure::messageText() const
{
    return QString::number(number) + u'\n' + description;
}

void reportUntrappedFailure(std::exception_ptr failure) noexcept
{
    try {
        const UntrappedFailure shown = UntrappedFailure::from(failure);
        if (auto *application = qobject_cast<VelmoraApplication *>(QCoreApplication::instance()))
            application->showFailure(shown);
        else
            qCritical("%s", qUtf8Printable(shown.messageText()));
    } catch (...) {
        // Telling the user failed as well (out of memory, most likely);
        // nothing is left that could be shown.
    }
}

} // namespace velmora
