#pragma once

#include "engine/definition/ReportDefinition.h"
#include "engine/definition/SourceText.h"

#include <QStringList>
#include <QXmlStreamReader>

#include <vector>

namespace velmora {

/// A strict walk through the elements of a report file: it hands out one
/// child element at a time, refuses stray text, and raises every failure at
/// the line and column of the element concerned.
///
/// After `nextChild()` returns true the caller owns that child and must read
/// it to its end (`readFormula`, `readText`, `finishEmpty` or a loop of
/// `nextChild` until false).
class XmlWalker {
public:
    explicit XmlWalker(const SourceText &source);

    /// Moves to the document's root element.
    void enterRoot();
    /// Reads what follows the root element, which may only be comments.
    void finishDocument();
    /// Moves to the next child of the current element; false at its end.
    bool nextChild();

    QString name() const { return m_open.isEmpty() ? QString() : m_open.last(); }
    QString parentName() const { return m_open.size() < 2 ? QString() : m_open.at(m_open.size() - 2); }
    QXmlStreamAttributes attributes() const { return m_xml.attributes(); }
    SourcePosition position() const { return m_source.positionAt(m_elementOffset); }

    /// The element's text, trimmed, positioned at its first character.
    FormulaText readFormula();
    /// The element's text as it stands.
    QString readText();
    /// Reads an element whose only allowed child is one `childName` element
    /// holding a formula (a group's <selection>); empty when it is absent.
    FormulaText readOptionalFormulaChild(QStringView childName);
    /// Reads an element that takes neither text nor children.
    void finishEmpty();
    /// Passes over the element and all it holds, unread.
    void skipElement();

    [[noreturn]] void fail(qint32 number, const QString &message) const;
    [[noreturn]] void failUnknownElement() const;
    [[noreturn]] void failAt(SourcePosition position, qint32 number, const QString &message) const;

private:
    /// One run of character data with the offset of its first character.
    struct TextRun {
        QString text;
        qint64 offset = 0;
    };

    QXmlStreamReader::TokenType advance();
    /// The character data up to the current element's end.
    std::vector<TextRun> readTextRuns();
    void closeElement();
    [[noreturn]] void failUnexpectedText() const;

    const SourceText &m_source;
    QXmlStreamReader m_xml;
    QStringList m_open;
    qint64 m_elementOffset = 0;
    qint64 m_tokenStart = 0;
};

} // namespace velmora
