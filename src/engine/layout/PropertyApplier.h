#pragma once

#include "engine/layout/ObjectLook.h"
#include "engine/layout/PropertyPlan.h"
#include "engine/layout/RecordContext.h"

#include <optional>
#include <vector>

namespace velmora {

/// Works out formatting formulas on the record the context stands on and
/// puts their results into a look. A formula that gives Null leaves the
/// property as designed; one that gives a value the property cannot take
/// fails with 4510 (wrong type) or 4511 (not a colour, a word or a size it
/// knows), naming the object and the property.
class PropertyApplier {
public:
    explicit PropertyApplier(RecordContext &context) : m_context(context) {}

    /// `objectValue` is what ObjectValue gives: the field's value, the text's text.
    void apply(const std::vector<PropertyPlan> &plans, const Value &objectValue, bool isBox, ObjectLook &look);
    /// A background given by formula over a fixed one (a section's, a
    /// cross-tab cell's): the formula's colour, none for "", the fixed one
    /// for Null. `objectValue` is what ObjectValue gives.
    std::optional<QRgb> background(const std::vector<PropertyPlan> &plans, std::optional<QRgb> fixed,
                                   const Value &objectValue = Value());

    /// The property's value in `look`, as formulas read it (DesignValue).
    static Value designValueOf(FormattedProperty property, const ObjectLook &look, bool isBox);
    /// A section's background as DesignValue reads it.
    static Value designBackground(std::optional<QRgb> background);

private:
    Value evaluate(const PropertyPlan &plan, const Value &objectValue);
    void put(const PropertyPlan &plan, const Value &value, bool isBox, ObjectLook &look);

    RecordContext &m_context;
};

} // namespace velmora
