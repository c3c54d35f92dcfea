#pragma once

#include <QHash>
#include <QString>

#include <vector>

namespace velmora {

/// The texts of one column, each distinct text kept once: a row holds the
/// number of its text in the dictionary. A column whose texts repeat (a
/// country, a state, a city per order line) then costs four bytes a row.
/// While the column is filled a hash finds the texts already kept; when
/// the texts turn out to be mostly distinct (notes, descriptions) the
/// lookup is given up, and each new text gets an entry of its own, so
/// such a column costs no more than a plain list of texts. Equal texts
/// may therefore have different numbers: compare texts, not numbers.
/// Read-only once filled; safe to read from several threads.
class TextDictionary {
public:
    void reserve(qsizetype rows) { m_ids.reserve(size_t(rows)); }
    void append(QString text) { m_ids.push_back(idFor(std::move(text))); }
    /// Appends the rows of `other`, filled with later rows of the same column.
    void appendRows(TextDictionary &&other);
    /// Frees what only filling needed (the lookup hash, spare capacity).
    void finish();

    qsizetype rowCount() const { return qsizetype(m_ids.size()); }
    const QString &at(qsizetype row) const { return m_texts[m_ids[size_t(row)]]; }
    /// The dictionary number of the row's text.
    quint32 idAt(qsizetype row) const { return m_ids[size_t(row)]; }
    qsizetype textCount() const { return qsizetype(m_texts.size()); }
    const QString &text(quint32 id) const { return m_texts[id]; }
    qint64 storedBytes() const;

private:
    quint32 idFor(QString text);
    quint32 addText(QString text);

    std::vector<QString> m_texts;
    std::vector<quint32> m_ids;
    QHash<QString, quint32> m_lookup;
    bool m_lookingUp = true;
    /// A null text and an empty one compare equal in the hash but are
    /// told apart by callers that ask isNull(): each keeps its own entry.
    qint64 m_nullTextId = -1;
};

} // namespace velmora
