#include "engine/core/ParameterValue.h"

namespace velmora {

ParameterValue::ParameterValue(Value single)
{
    if (!single.isNull())
        values.push_back(std::move(single));
}

} // namespace velmora
