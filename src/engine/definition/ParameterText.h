#pragma once

#include "engine/core/ParameterValue.h"
#include "engine/definition/ReportDefinition.h"

#include <QString>

namespace velmora {

/// A parameter value read from its text form, or why the text is not one.
struct ParameterTextReading {
    ParameterValue value;
    QString problem; ///< empty when the text was read; else what was wrong, in Catalan
    bool ok() const { return problem.isEmpty(); }
};

/// Reads the text form the report file's `default` and the batch
/// exporter's `--param` share (docs/report-format.md, "Parameter values").
/// A parameter taking one value reads the whole text as that value, as the
/// report files of earlier versions did. One taking several values splits
/// the text at each comma that no backslash escapes, and trims each item;
/// one taking ranges reads an item holding ".." as a range: `a..b`, with
/// `<` next to ".." leaving that bound out (`a<..b`, `a..<b`) and an
/// empty side leaving that end open.
ParameterTextReading readParameterText(const ParameterDefinition &parameter, const QString &text);

/// The text form of `value`, read back by readParameterText into the same value.
QString parameterText(const ParameterDefinition &parameter, const ParameterValue &value);

/// What a value of `type` must look like in the text form, as a Catalan
/// phrase that follows "cal": "un nombre enter", "una data aaaa-mm-dd".
QString parameterTextNeed(ValueType type);

} // namespace velmora
