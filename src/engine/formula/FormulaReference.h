#pragma once

#include <QString>

namespace velmora {

/// One name a formula reads from its report: a database field
/// `{Alias.Field}`, another formula `{@Name}`, a parameter `{?Name}` or a
/// running total `{#Name}`. `table` is set for fields only.
struct FormulaReference {
    enum class Kind { Field, Formula, Parameter, RunningTotal };

    Kind kind = Kind::Field;
    QString table;
    QString name;

    /// The reference as a user writes it, braces included: "{Comandes.Data}".
    QString toText() const;

    bool operator==(const FormulaReference &) const = default;
};

} // namespace velmora
