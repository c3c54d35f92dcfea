#include "engine/definition/XmlOutput.h"

#include "engine/definition/PropertyNames.h"

#include <algorithm>

namespace velmora {

void XmlOutput::textUnlessEmpty(QStringView name, const QString &value)
{
    if (!value.isEmpty())
        text(name, value);
}

void XmlOutput::integerUnless(QStringView name, int value, int fallback)
{
    if (value != fallback)
        integer(name, value);
}

void XmlOutput::flag(QStringView name, bool value)
{
    if (value)
        text(name, QStringLiteral("true"));
}

void XmlOutput::colour(QStringView name, std::optional<QRgb> value)
{
    if (value)
        text(name, QStringLiteral("#%1%2%3")
                       .arg(qRed(*value), 2, 16, QLatin1Char('0'))
                       .arg(qGreen(*value), 2, 16, QLatin1Char('0'))
                       .arg(qBlue(*value), 2, 16, QLatin1Char('0'))
                       .toUpper());
}

void XmlOutput::colourUnless(QStringView name, QRgb value, QRgb fallback)
{
    if (value != fallback)
        colour(name, value);
}

void XmlOutput::formula(QStringView element, const FormulaText &formula)
{
    if (formula.text.isEmpty())
        return;
    start(element);
    formulaText(formula);
    end();
}

void XmlOutput::formulaText(const FormulaText &formula)
{
    const QString &text = formula.text;
    // Characters XML would escape go in CDATA, so the formula reads as written.
    const bool needsCdata = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c == u'<' || c == u'>' || c == u'&' || c == u'"' || c == u'\'';
    });
    if (needsCdata && !text.contains(QLatin1String("]]>")))
        m_xml.writeCDATA(text);
    else
        m_xml.writeCharacters(text);
}

void XmlOutput::propertyFormulas(const std::vector<PropertyFormula> &formulas)
{
    for (const PropertyFormula &f : formulas) {
        start(u"property");
        text(u"name", propertyName(f.property));
        formulaText(FormulaText{f.text, f.line, f.column});
        end();
    }
}

} // namespace velmora
