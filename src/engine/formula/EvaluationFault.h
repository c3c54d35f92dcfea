#pragma once

#include <QString>
#include <QtGlobal>

namespace velmora {

/// A failure raised while a formula is evaluated, before it is told which
/// formula and which place in the report file it came from. Formula::evaluate
/// turns it into a Failure; nothing outside the formula library sees it.
struct EvaluationFault {
    qint32 number;
    QString message;
    int node = -1; ///< the syntax node being evaluated, once known
};

[[noreturn]] inline void raiseFault(qint32 number, QString message)
{
    throw EvaluationFault{number, std::move(message)};
}

} // namespace velmora
