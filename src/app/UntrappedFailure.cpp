#include "app/UntrappedFailure.h"

#include "app/PlatformErrors.h"
#include "app/VelmoraApplication.h"
#include "engine/core/Failure.h"

namespace velmora {

UntrappedFailure UntrappedFailure::from(std::exception_ptr failure)
{
    const Failure known = failureFrom(failure, PlatformErrors::Unexpected);
    return {known.number(), known.description()};
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
