#include "engine/control/RenderedPageCache.h"

namespace velmora {

QImage RenderedPageCache::find(const Key &key)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->first == key) {
            m_entries.splice(m_entries.begin(), m_entries, it);
            return m_entries.front().second;
        }
    }
    return {};
}

void RenderedPageCache::insert(const Key &key, const QImage &image)
{
    m_entries.emplace_front(key, image);
    while (int(m_entries.size()) > m_capacity)
        m_entries.pop_back();
}

} // namespace velmora
