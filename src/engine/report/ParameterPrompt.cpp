#include "engine/report/ParameterPrompt.h"

#include <map>
#include <mutex>

namespace velmora {

namespace {

using AnswerKey = std::pair<QString, ValueType>;

std::mutex answersMutex;

std::map<AnswerKey, ParameterValue> &answers()
{
    static std::map<AnswerKey, ParameterValue> kept;
    return kept;
}

AnswerKey keyOf(const ParameterDefinition &parameter) { return {parameter.name.toCaseFolded(), parameter.type}; }

} // namespace

std::optional<ParameterValue> RememberedAnswers::find(const ParameterDefinition &parameter)
{
    std::lock_guard lock(answersMutex);
    const auto found = answers().find(keyOf(parameter));
    return found == answers().end() ? std::nullopt : std::optional(found->second);
}

void RememberedAnswers::keep(const ParameterDefinition &parameter, const ParameterValue &value)
{
    std::lock_guard lock(answersMutex);
    answers()[keyOf(parameter)] = value;
}

} // namespace velmora
