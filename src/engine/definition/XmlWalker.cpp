#include "engine/definition/XmlWalker.h"

#include "engine/definition/DefinitionErrors.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr qint64 cdataCloseLength = 3; // "]]>"

bool isBlank(QStringView text)
{
    return text.trimmed().isEmpty();
}

} // namespace

XmlWalker::XmlWalker(const SourceText &source) : m_source(source), m_xml(source.text())
{
}

QXmlStreamReader::TokenType XmlWalker::advance()
{
    m_tokenStart = m_xml.characterOffset();
    const auto token = m_xml.readNext();
    if (token == QXmlStreamReader::Invalid)
        throw m_source.failureAt(m_xml.characterOffset(), DefinitionErrors::MalformedXml,
                                 QStringLiteral("el fitxer no és un XML ben format (%1).").arg(m_xml.errorString()));
    if (token == QXmlStreamReader::StartElement) {
        m_open.append(m_xml.name().toString());
        m_elementOffset = m_source.text().lastIndexOf(u'<', m_xml.characterOffset() - 1);
    }
    return token;
}

void XmlWalker::closeElement()
{
    m_open.removeLast();
}

void XmlWalker::enterRoot()
{
    while (!m_xml.atEnd()) {
        const auto token = advance();
        if (token == QXmlStreamReader::StartDocument) {
            const auto encoding = m_xml.documentEncoding().toString().toLower();
            if (!encoding.isEmpty() && encoding != QLatin1String("utf-8") && encoding != QLatin1String("utf8"))
                throw m_source.failureAt(0, DefinitionErrors::UnsupportedEncoding,
                                         QStringLiteral("la codificació «%1» no s'admet: un informe s'ha de desar "
                                                        "en UTF-8.")
                                             .arg(m_xml.documentEncoding().toString()));
        } else if (token == QXmlStreamReader::StartElement) {
            return;
        } else if (token == QXmlStreamReader::Characters && !m_xml.isWhitespace()) {
            failUnexpectedText();
        }
    }
    throw m_source.failureAt(m_xml.characterOffset(), DefinitionErrors::NotXml,
                             QStringLiteral("el fitxer no té cap element XML."));
}

void XmlWalker::finishDocument()
{
    while (!m_xml.atEnd()) {
        if (advance() == QXmlStreamReader::Characters && !m_xml.isWhitespace())
            failUnexpectedText();
    }
}

bool XmlWalker::nextChild()
{
    while (true) {
        switch (advance()) {
        case QXmlStreamReader::StartElement: return true;
        case QXmlStreamReader::EndElement: closeElement(); return false;
        case QXmlStreamReader::Characters:
            if (!isBlank(m_xml.text()))
                failUnexpectedText();
            break;
        case QXmlStreamReader::EndDocument:
        case QXmlStreamReader::NoToken: return false;
        default: break; // comments, processing instructions
        }
    }
}

std::vector<XmlWalker::TextRun> XmlWalker::readTextRuns()
{
    std::vector<TextRun> runs;
    while (true) {
        const auto token = advance();
        if (token == QXmlStreamReader::EndElement)
            break;
        if (token == QXmlStreamReader::StartElement)
            failUnknownElement();
        if (token == QXmlStreamReader::Characters) {
            const QString text = m_xml.text().toString();
            const qint64 offset = m_xml.isCDATA() ? m_xml.characterOffset() - cdataCloseLength - text.size()
                                                  : m_tokenStart;
            runs.push_back({text, offset});
        }
    }
    closeElement();
    return runs;
}

FormulaText XmlWalker::readFormula()
{
    FormulaText formula;
    for (const TextRun &run : readTextRuns()) {
        if (!formula.text.isEmpty()) {
            formula.text += run.text;
            continue;
        }
        const auto firstVisible = std::find_if(run.text.begin(), run.text.end(), [](QChar c) { return !c.isSpace(); });
        if (firstVisible == run.text.end())
            continue;
        const qint64 skipped = firstVisible - run.text.begin();
        const SourcePosition start = m_source.positionAt(run.offset + skipped);
        formula.line = start.line;
        formula.column = start.column;
        formula.text = run.text.mid(skipped);
    }
    while (!formula.text.isEmpty() && formula.text.back().isSpace())
        formula.text.chop(1);
    return formula;
}

QString XmlWalker::readText()
{
    QString text;
    for (const TextRun &run : readTextRuns())
        text += run.text;
    return text;
}

FormulaText XmlWalker::readOptionalFormulaChild(QStringView childName)
{
    FormulaText formula;
    bool seen = false;
    while (nextChild()) {
        if (name() != childName)
            failUnknownElement();
        if (seen)
            fail(DefinitionErrors::ElementOutOfPlace,
                 QStringLiteral("l'element <%1> només pot sortir una vegada dins de <%2>.").arg(name(), parentName()));
        seen = true;
        formula = readFormula();
    }
    return formula;
}

void XmlWalker::finishEmpty()
{
    if (nextChild())
        failUnknownElement();
}

void XmlWalker::skipElement()
{
    int depth = 1;
    while (depth > 0) {
        const auto token = advance();
        if (token == QXmlStreamReader::StartElement)
            ++depth;
        else if (token == QXmlStreamReader::EndElement) {
            --depth;
            closeElement();
        } else if (token == QXmlStreamReader::EndDocument || token == QXmlStreamReader::NoToken)
            return;
    }
}

void XmlWalker::fail(qint32 number, const QString &message) const
{
    failAt(position(), number, message);
}

void XmlWalker::failAt(SourcePosition position, qint32 number, const QString &message) const
{
    throw m_source.failureAt(position, number, message);
}

void XmlWalker::failUnknownElement() const
{
    fail(DefinitionErrors::UnknownElement,
         QStringLiteral("l'element <%1> no és conegut dins de <%2>.").arg(name(), parentName()));
}

void XmlWalker::failUnexpectedText() const
{
    throw m_source.failureAt(m_tokenStart, DefinitionErrors::UnexpectedText,
                             QStringLiteral("hi ha text «%1» on només hi poden anar elements.")
                                 .arg(m_xml.text().trimmed().left(40)));
}

} // namespace velmora
