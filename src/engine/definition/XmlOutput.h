#pragma once

#include "engine/definition/ReportDefinition.h"

#include <QRgb>
#include <QXmlStreamWriter>

#include <optional>

namespace velmora {

/// The writer's side of the format's value spellings: attributes left out
/// when they hold their default, colours as #RRGGBB, booleans as
/// true/false, formulas as element text (in CDATA when they hold characters
/// XML would otherwise escape).
class XmlOutput {
public:
    explicit XmlOutput(QXmlStreamWriter &xml) : m_xml(xml) {}

    QXmlStreamWriter &xml() { return m_xml; }
    void start(QStringView element) { m_xml.writeStartElement(element.toString()); }
    void end() { m_xml.writeEndElement(); }

    void text(QStringView name, const QString &value) { m_xml.writeAttribute(name.toString(), value); }
    void textUnlessEmpty(QStringView name, const QString &value);
    void integer(QStringView name, int value) { text(name, QString::number(value)); }
    void integerUnless(QStringView name, int value, int fallback);
    void flag(QStringView name, bool value); ///< written only when true
    void colourUnless(QStringView name, QRgb value, QRgb fallback);
    void colour(QStringView name, std::optional<QRgb> value);

    /// The formula as the current element's text.
    void formulaText(const FormulaText &formula);
    /// <element>formula</element>, left out when the formula is empty.
    void formula(QStringView element, const FormulaText &formula);
    /// <property name="…">formula</property>, one for each formatting formula.
    void propertyFormulas(const std::vector<PropertyFormula> &formulas);

private:
    QXmlStreamWriter &m_xml;
};

} // namespace velmora
