#pragma once

// Formatting formulas: a property of an object or section whose value a
// formula works out record by record (docs/report-format.md, "Formatting
// formulas"). Each property is named in the file as the attribute that
// fixes it.

#include <QString>

namespace velmora {

enum class FormattedProperty : quint8 {
    Color, Background, Bold, Italic, Underline, StrikeOut, FontSize, FontFamily, Alignment,
    Border, BorderColor, BorderWidth, ValueFormat, MaxLines, LineWidth, LineStyle, Link,
};

/// What a formatting formula for the property must give.
enum class PropertyType : quint8 {
    Colour,         ///< a colour text; empty or Null: as designed
    OptionalColour, ///< a colour text; empty: none
    Boolean,
    Number,
    Text,
    Choice, ///< one word of a fixed list (align, lineStyle, border sides)
};

struct PropertyFormula {
    FormattedProperty property = FormattedProperty::Color;
    /// The formula as the file writes it, with where it starts.
    QString text;
    int line = 0;
    int column = 0;
    bool operator==(const PropertyFormula &other) const
    {
        return property == other.property && text == other.text;
    }
};

} // namespace velmora
