#pragma once

#include "engine/seam/ParameterErrors.h"

#include <exception>
#include <utility>

namespace velmora {

/// Tells the user of a failure that no command trapped: a message box titled
/// "Velmora" with the number, a line break and the description.
void reportUntrappedCommandFailure(std::exception_ptr failure) noexcept;

/// Runs a command where Qt called it. The commands trap nothing themselves,
/// but an exception must never travel back into Qt's event loop: it ends
/// here, shown to the user, and the command simply stops.
template<typename Body>
void runAtCommandEdge(Body &&body) noexcept
{
    try {
        std::forward<Body>(body)();
    } catch (...) {
        // A cancelled parameter prompt is the user's choice, not a fault to report.
        if (!ParameterErrors::isPromptCancel(std::current_exception()))
            reportUntrappedCommandFailure(std::current_exception());
    }
}

} // namespace velmora
