#pragma once

namespace velmora {

/// A place in the report file: 1-based line and column, columns counted in
/// characters.
struct FormulaPosition {
    int line = 1;
    int column = 1;
};

} // namespace velmora
