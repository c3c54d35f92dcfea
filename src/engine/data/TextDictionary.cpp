#include "engine/data/TextDictionary.h"

namespace velmora {

namespace {
/// Below this many texts the lookup always pays for itself.
constexpr qsizetype smallDictionary = 4096;
} // namespace

quint32 TextDictionary::addText(QString text)
{
    m_texts.push_back(std::move(text));
    return quint32(m_texts.size() - 1);
}

quint32 TextDictionary::idFor(QString text)
{
    if (text.isNull()) {
        if (m_nullTextId < 0)
            m_nullTextId = addText(QString());
        return quint32(m_nullTextId);
    }
    if (!m_lookingUp)
        return addText(std::move(text));
    const auto found = m_lookup.constFind(text);
    if (found != m_lookup.constEnd())
        return found.value();
    const quint32 id = addText(text);
    m_lookup.insert(std::move(text), id);
    // Counted with the row about to be added.
    if (m_texts.size() >= size_t(smallDictionary) && m_texts.size() * 2 > m_ids.size() + 1) {
        m_lookingUp = false;
        m_lookup = {};
    }
    return id;
}

void TextDictionary::appendRows(TextDictionary &&other)
{
    std::vector<quint32> newId(other.m_texts.size());
    for (size_t id = 0; id < other.m_texts.size(); ++id)
        newId[id] = idFor(std::move(other.m_texts[id]));
    m_ids.reserve(m_ids.size() + other.m_ids.size());
    for (const quint32 id : other.m_ids)
        m_ids.push_back(newId[id]);
    other = TextDictionary();
}

void TextDictionary::finish()
{
    m_lookup = {};
    m_lookingUp = false;
    m_texts.shrink_to_fit();
    m_ids.shrink_to_fit();
}

qint64 TextDictionary::storedBytes() const
{
    qint64 bytes = qint64(m_ids.size() * sizeof(quint32));
    for (const QString &text : m_texts)
        bytes += qint64(sizeof text) + text.size() * 2;
    return bytes;
}

} // namespace velmora
