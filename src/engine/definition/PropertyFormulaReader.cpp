#include "engine/definition/PropertyFormulaReader.h"

#include "engine/definition/AttributeReader.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/PropertyNames.h"

#include <algorithm>

namespace velmora {

void readPropertyFormula(XmlWalker &walker, std::optional<ReportObject::Kind> kind,
                         std::vector<PropertyFormula> &formulas)
{
    const SourcePosition position = walker.position();
    const QString owner = walker.parentName();
    AttributeReader attributes(walker);
    const QString name = attributes.required(u"name");
    attributes.finish();
    const auto property = propertyNamed(name);
    if (!property || !propertyApplies(*property, kind)) {
        const QString allowed = propertyList(kind);
        walker.fail(DefinitionErrors::UnknownProperty,
                    allowed.isEmpty()
                        ? QStringLiteral("<%1> no té cap propietat que es pugui donar per fórmula.").arg(owner)
                        : QStringLiteral("<%1> no té cap propietat «%2»; les que es poden donar per fórmula són: %3.")
                              .arg(owner, name, allowed));
    }
    const bool repeated = std::any_of(formulas.begin(), formulas.end(),
                                      [&](const PropertyFormula &f) { return f.property == *property; });
    if (repeated)
        walker.fail(DefinitionErrors::RepeatedProperty,
                    QStringLiteral("la propietat «%1» de <%2> ja té una fórmula.").arg(name, owner));
    const FormulaText formula = walker.readFormula();
    if (formula.isEmpty())
        walker.failAt(position, DefinitionErrors::EmptyFormula,
                      QStringLiteral("la fórmula de la propietat «%1» de <%2> no té text.").arg(name, owner));
    formulas.push_back({*property, formula.text, formula.line, formula.column});
}

} // namespace velmora
