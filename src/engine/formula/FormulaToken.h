#pragma once

#include "engine/core/Value.h"
#include "engine/formula/FormulaReference.h"
#include "engine/formula/FormulaPosition.h"

#include <QString>

namespace velmora {

/// One word of a formula's text as the lexer reads it.
struct FormulaToken {
    enum class Kind {
        Literal,     ///< number, string or date: `literal` holds it
        Reference,   ///< `{...}`: `reference` holds it
        Identifier,  ///< a keyword, function or special value name in `text`
        Symbol,      ///< an operator or punctuation in `text`
        End,
    };

    Kind kind = Kind::End;
    QString text;
    Value literal;
    FormulaReference reference;
    FormulaPosition position;
};

} // namespace velmora
