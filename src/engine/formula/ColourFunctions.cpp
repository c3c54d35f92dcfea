#include "engine/formula/ColourText.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/FunctionArguments.h"
#include "engine/formula/FunctionTables.h"

namespace velmora {

namespace {

// Color (r, g, b): each part from 0 to 255, giving the text "#RRGGBB";
// Color ("vermell") checks a name or a "#RRGGBB" text and gives it the same way.
Value colour(const FunctionArguments &args)
{
    if (args.count() == 1) {
        const auto rgb = colourFromText(args.text(0));
        if (!rgb)
            args.fail(FormulaErrors::InvalidArgument,
                      QStringLiteral("«%1» no és cap color conegut ni un color #RRGGBB").arg(args.text(0)));
        return Value::string(colourToText(*rgb));
    }
    unsigned int rgb = 0;
    for (int i = 0; i < 3; ++i)
        rgb = (rgb << 8) | unsigned(args.wholeWithin(i, 0, 255));
    return Value::string(colourToText(rgb));
}

constexpr FunctionDefinition functions[] = {
    {u"Color", 1, 3, colour, ValueType::String, true, argumentCounts({1, 3})},
};

} // namespace

std::span<const FunctionDefinition> colourFunctions() { return functions; }

} // namespace velmora
