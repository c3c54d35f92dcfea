#include "engine/formula/TextCharacters.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace velmora {

namespace {

// Below U+0300 (combining marks start there) each UTF-16 unit but CR is a character of its own.
bool isSimple(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x300 && c != u'\r'; });
}

} // namespace

TextCharacters::TextCharacters(const QString &text) : m_text(text)
{
    m_boundaries.reserve(size_t(text.size()) + 1);
    if (isSimple(text)) {
        for (qsizetype i = 0; i <= text.size(); ++i)
            m_boundaries.push_back(i);
        return;
    }
    m_boundaries.push_back(0);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        m_boundaries.push_back(at);
    if (m_boundaries.back() != text.size())
        m_boundaries.push_back(text.size());
}

qsizetype TextCharacters::indexAt(qsizetype offset) const
{
    const auto after = std::upper_bound(m_boundaries.begin(), m_boundaries.end(), offset);
    return qsizetype(after - m_boundaries.begin()) - 1;
}

QString TextCharacters::slice(qsizetype first, qsizetype length) const
{
    const qsizetype start = std::clamp<qsizetype>(first, 0, count());
    const qsizetype end = std::clamp<qsizetype>(start + std::min(length, count()), start, count());
    return m_text.mid(offsetOf(start), offsetOf(end) - offsetOf(start));
}

} // namespace velmora
