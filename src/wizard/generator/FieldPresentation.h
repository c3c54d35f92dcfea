#pragma once

#include "engine/data/TableSchema.h"
#include "engine/definition/ReportDefinition.h"
#include "engine/page/Page.h"

#include <QString>

namespace velmora::wizard {

/// How a column of a given type is shown: aligned, formatted, and how many
/// characters wide its widest usual value is.
struct FieldPresentation {
    HorizontalAlignment alignment = HorizontalAlignment::Left;
    QString format;          ///< the value format; empty: the type's default
    int characters = 10;     ///< the width to plan for, in characters
    bool digits = false;     ///< the characters are digits (measured as such)
    bool mayWrap = false;    ///< long text, which may take several lines
};

FieldPresentation presentationOf(const ColumnSchema &column);

/// The format of a total: sums, minima and maxima keep the field's own,
/// averages show two decimals, counts whole numbers.
QString totalFormat(SummaryOperation operation, const FieldPresentation &field);

} // namespace velmora::wizard
