#pragma once

#include <QByteArray>
#include <QString>

#include <unordered_map>
#include <vector>

namespace velmora {

/// The workbook's shared string table: every text cell refers to its string
/// by index, each distinct string stored once. Strings are kept as packed
/// UTF-16 (no object per string), so a report of a million cells stays small.
/// Writes the SST record with as many CONTINUE records as it needs (a string
/// split across records carries its own encoding flag, as Excel expects) and
/// the EXTSST index. Limit: Excel keeps at most 32767 characters in a cell;
/// longer texts are cut there.
class SharedStringTable {
public:
    static constexpr int maxCharacters = 32767;

    /// The index of the string, added on first use; counts one reference.
    quint32 indexOf(const QString &text);

    quint32 uniqueCount() const { return quint32(m_starts.size()); }
    quint32 referenceCount() const { return m_references; }

    /// SST, CONTINUE and EXTSST records, for a stream where the SST record
    /// starts at `streamOffset` (EXTSST holds absolute positions).
    QByteArray records(quint32 streamOffset) const;

private:
    QStringView at(quint32 index) const;

    std::vector<char16_t> m_characters;
    std::vector<quint32> m_starts;
    std::vector<quint32> m_lengths;
    std::unordered_multimap<size_t, quint32> m_byHash;
    quint32 m_references = 0;
};

} // namespace velmora
