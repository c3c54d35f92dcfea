#pragma once

#include "engine/core/ParameterValue.h"
#include "engine/definition/ReportDefinition.h"

#include <QStringList>

#include <vector>

namespace velmora {

/// A parameter as a run of the report sees it: its declaration, and where
/// its pick list's field lives (the table keys of the layout input: the
/// alias, or "<subreport object>/<alias>").
struct RunParameter {
    ParameterDefinition definition;
    QString tableKey;  ///< of `definition.listField`; empty without one
    QString tableName; ///< the database table behind that key
};

/// The parameters of a report and of its subreports, and the values given
/// to them. A subreport's parameter of the same name as one declared before
/// it is the same parameter: one answer serves both.
class ReportParameters {
public:
    explicit ReportParameters(const ReportDefinition &report);

    const std::vector<RunParameter> &all() const { return m_parameters; }
    bool isEmpty() const { return m_parameters.empty(); }
    /// By name, ignoring case as references do; null when not declared.
    const RunParameter *find(const QString &name) const;
    /// Fails with UnknownParameter when not declared.
    const RunParameter &require(const QString &name) const;

    /// The value given, else the default.
    ParameterValue current(const QString &name) const;
    void give(const QString &name, ParameterValue value);
    /// Whether `name` has been given a value in this session.
    bool isGiven(const QString &name) const { return m_given.count(require(name).definition.name) > 0; }
    /// What the layout reads: every parameter's current value.
    ParameterValues values() const;
    /// Fails with MissingValue for the first mandatory parameter left empty.
    void requireComplete() const;

    /// Reads `text` as a value of parameter `name`: fails with BadValue or
    /// NotInList (for the lists written in the report) naming it.
    ParameterValue read(const QString &name, const QString &text) const;

    /// One line per parameter: name, type, prompt, default, list, tab-separated.
    QStringList listing() const;

private:
    void collect(const ReportDefinition &report, const QString &keyPrefix);

    std::vector<RunParameter> m_parameters;
    ParameterValues m_given;
};

} // namespace velmora
