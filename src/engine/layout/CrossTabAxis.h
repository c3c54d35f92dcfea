#pragma once

#include "engine/core/Value.h"

#include <optional>
#include <unordered_map>
#include <vector>

namespace velmora {

/// The values met on one side of a cross-tab (its rows or its columns), as
/// a tree: one level per row or column field, the root standing for all of
/// them. A node is one line of the grid (an innermost value) or a group of
/// lines (an outer value, with its subtotal). Grows with the distinct
/// values, never with the records.
class CrossTabAxis {
public:
    struct Node {
        int parent = -1;
        int level = -1; ///< -1 for the root
        Value key;
        bool gathered = false; ///< stands for the values a Top N left over
        std::vector<int> children;
    };
    static constexpr int root = 0;

    explicit CrossTabAxis(int levels);

    int levels() const { return m_levels; }
    /// The node of `key` under `parent`, made when it is new.
    int intern(int parent, const Value &key, bool gathered = false);
    std::optional<int> find(int parent, const Value &key, bool gathered = false) const;
    const Node &node(int index) const { return m_nodes[size_t(index)]; }
    int size() const { return int(m_nodes.size()); }

private:
    struct Key {
        int parent;
        Value value;
        bool gathered;
    };
    struct KeyHash {
        std::size_t operator()(const Key &k) const;
    };
    struct KeyEqual {
        bool operator()(const Key &a, const Key &b) const;
    };

    int m_levels;
    std::vector<Node> m_nodes;
    std::unordered_map<Key, int, KeyHash, KeyEqual> m_index;
};

} // namespace velmora
