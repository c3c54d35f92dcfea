#pragma once

#include <QImage>

#include <list>

namespace velmora {

/// The last few pages painted for the screen, so that paging back and forth
/// or repainting after a scroll does not lay out or paint a page again.
/// A page is known by its source generation, its index and the scale.
class RenderedPageCache {
public:
    explicit RenderedPageCache(int capacity = 4) : m_capacity(capacity) {}

    struct Key {
        quint64 generation = 0;
        int pageIndex = 0;
        double scale = 0;
        bool operator==(const Key &) const = default;
    };

    /// The cached image, or a null image; a hit becomes the most recent.
    QImage find(const Key &key);
    void insert(const Key &key, const QImage &image);
    void clear() { m_entries.clear(); }

private:
    int m_capacity;
    std::list<std::pair<Key, QImage>> m_entries; // most recent first
};

} // namespace velmora
