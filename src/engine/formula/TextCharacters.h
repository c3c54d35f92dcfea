#pragma once

#include <QString>

#include <vector>

namespace velmora {

/// A text seen as the characters a reader counts (grapheme clusters): "à"
/// written as a + accent, 👍🏽 and 🇨🇦 are one character each. Len, Left,
/// Mid, InStr and StrReverse count these, so that they agree with what a
/// user sees whatever the text's encoding.
class TextCharacters {
public:
    explicit TextCharacters(const QString &text);

    qsizetype count() const { return qsizetype(m_boundaries.size()) - 1; }
    /// Where character `index` (0-based) starts in the text; count() gives the end.
    qsizetype offsetOf(qsizetype index) const { return m_boundaries[size_t(index)]; }
    /// The 0-based character that holds UTF-16 `offset`.
    qsizetype indexAt(qsizetype offset) const;
    /// Characters [first, first + length), both clamped to the text.
    QString slice(qsizetype first, qsizetype length) const;

private:
    const QString &m_text;
    std::vector<qsizetype> m_boundaries;
};

} // namespace velmora
