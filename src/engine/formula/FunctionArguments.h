#pragma once

#include "engine/core/Value.h"

#include <QStringView>

#include <span>

namespace velmora {

/// The evaluated arguments of one function call, read with the type each
/// function needs. A wrong type or value raises an evaluation fault that
/// names the function and the argument.
class FunctionArguments {
public:
    FunctionArguments(QStringView functionName, std::span<const Value> values)
        : m_name(functionName), m_values(values) {}

    qsizetype count() const { return qsizetype(m_values.size()); }
    const Value &value(int i) const { return m_values[size_t(i)]; }
    bool has(int i) const { return i < count(); }

    /// Any numeric argument as a double.
    double number(int i) const;
    /// A numeric argument cut to a whole number, which must fit in int64.
    qint64 whole(int i) const;
    /// A whole number within [minimum, maximum].
    qint64 wholeWithin(int i, qint64 minimum, qint64 maximum) const;
    const QString &text(int i) const;
    /// A Date, Time or DateTime argument.
    DateTime moment(int i) const;

    [[noreturn]] void fail(qint32 number, const QString &what) const;
    [[noreturn]] void failArgument(int i, const QString &expected) const;

private:
    QStringView m_name;
    std::span<const Value> m_values;
};

} // namespace velmora
