#pragma once

#include "engine/definition/AttributeReader.h"
#include "engine/definition/ReportDefinition.h"

#include <initializer_list>

namespace velmora {

/// Reads field and group references from attributes, in the formula
/// language's spelling ("{Clients.Nom}", "{@Import}", "{?Any}", "{#Acumulat}",
/// "PageNumber"), and checks them against what the report declared before
/// them: table aliases, formulas, parameters, running totals and groups.
class ReferenceReader {
public:
    using Kinds = std::initializer_list<FieldRef::Kind>;

    explicit ReferenceReader(const ReportDefinition &scope) : m_scope(scope) {}

    /// A field of one of `allowed` kinds, from a required attribute.
    FieldRef field(AttributeReader &attributes, QStringView name, Kinds allowed) const;
    /// A 0-based group level, from a group number (1-based), a group's field
    /// reference, or `noneWord` ("report", "never") for -1.
    int groupLevel(AttributeReader &attributes, QStringView name, QStringView noneWord, int fallback) const;

private:
    FieldRef parse(const AttributeReader &attributes, QStringView name, const QString &text) const;
    void checkDeclared(const AttributeReader &attributes, const FieldRef &field, const QString &text) const;

    const ReportDefinition &m_scope;
};

} // namespace velmora
