#pragma once

namespace velmora {

/// A value per record that the engine sorts, groups or sums by: a database
/// field or a formula.
struct Operand {
    bool isFormula = false;
    int index = 0; ///< field index or formula index
    bool operator==(const Operand &) const = default;
};

} // namespace velmora
