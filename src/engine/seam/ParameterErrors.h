#pragma once

#include "engine/core/Failure.h"

#include <QtGlobal>

#include <exception>

/// Failures about a report's parameters (docs/errors.md, 1000-1999). The
/// batch exporter takes every one of them but PromptCancelled for a
/// mistake on its command line.
namespace velmora::ParameterErrors {
constexpr qint32 UnknownParameter = 1030; ///< the report declares no parameter of that name
constexpr qint32 BadValue = 1031;         ///< not a value of the parameter's type, or not its shape
constexpr qint32 NotInList = 1032;        ///< outside the parameter's closed pick list
constexpr qint32 MissingValue = 1033;     ///< a mandatory parameter without a value
/// The user closed the parameter prompt without answering: the user's own
/// choice, which the windows take quietly (no failure message).
constexpr qint32 PromptCancelled = 1034;
constexpr qint32 PickListUnreadable = 1035; ///< the database field of a pick list could not be read

inline bool isCommandLineMistake(qint32 number)
{
    return number >= UnknownParameter && number <= MissingValue;
}

/// Whether `failure` is the user's cancelling of the parameter prompt,
/// which the windows end quietly.
inline bool isPromptCancel(std::exception_ptr failure) noexcept
{
    try {
        if (failure)
            std::rethrow_exception(failure);
    } catch (const Failure &known) {
        return known.number() == PromptCancelled;
    } catch (...) {
    }
    return false;
}
} // namespace velmora::ParameterErrors
