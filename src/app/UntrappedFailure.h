#pragma once

#include <QString>
#include <QtGlobal>

#include <exception>
#include <utility>

namespace velmora {

/// A failure that no handler trapped, as the user is told of it: a number
/// and a description. A velmora::Failure keeps its own; anything else is
/// reported as PlatformErrors::Unexpected with what is known of it.
struct UntrappedFailure {
    qint32 number = 0;
    QString description;

    static UntrappedFailure from(std::exception_ptr failure);
    /// The message box text: the number, a line break, the description.
    QString messageText() const;
};

/// Tells the user of the failure in a message box titled "Velmora" and
/// returns; the program goes on.
void reportUntrappedFailure(std::exception_ptr failure) noexcept;

/// Runs an event handler's body so that no exception leaves it towards Qt:
/// a failure is reported to the user and the handler simply ends.
template<typename Body>
void runTrappingFailures(Body &&body) noexcept
{
    try {
        std::forward<Body>(body)();
    } catch (...) {
        reportUntrappedFailure(std::current_exception());
    }
}

} // namespace velmora
