#include "engine/formula/FunctionLibrary.h"

#include "engine/formula/FunctionTables.h"

namespace velmora {

const FunctionDefinition *findFunction(QStringView name)
{
    for (const auto table : {textFunctions(), numberFunctions(), dateFunctions(), conversionFunctions(), colourFunctions()}) {
        for (const FunctionDefinition &definition : table) {
            if (definition.name.compare(name, Qt::CaseInsensitive) == 0)
                return &definition;
        }
    }
    return nullptr;
}

} // namespace velmora
