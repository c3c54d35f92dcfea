#include "engine/layout/CrossTabAxis.h"

#include "engine/layout/ValueOrder.h"

namespace velmora {

std::size_t CrossTabAxis::KeyHash::operator()(const Key &k) const
{
    return hashValue(k.value) ^ (std::size_t(k.parent) * 0x9E3779B97F4A7C15ull) ^ std::size_t(k.gathered);
}

bool CrossTabAxis::KeyEqual::operator()(const Key &a, const Key &b) const
{
    return a.parent == b.parent && a.gathered == b.gathered && sameValue(a.value, b.value);
}

CrossTabAxis::CrossTabAxis(int levels) : m_levels(levels)
{
    m_nodes.emplace_back();
}

int CrossTabAxis::intern(int parent, const Value &key, bool gathered)
{
    const Value stored = gathered ? Value() : key;
    const auto [it, added] = m_index.try_emplace(Key{parent, stored, gathered}, int(m_nodes.size()));
    if (!added)
        return it->second;
    Node node;
    node.parent = parent;
    node.level = m_nodes[size_t(parent)].level + 1;
    node.key = stored;
    node.gathered = gathered;
    m_nodes[size_t(parent)].children.push_back(it->second);
    m_nodes.push_back(std::move(node));
    return it->second;
}

std::optional<int> CrossTabAxis::find(int parent, const Value &key, bool gathered) const
{
    const auto it = m_index.find(Key{parent, gathered ? Value() : key, gathered});
    if (it == m_index.end())
        return std::nullopt;
    return it->second;
}

} // namespace velmora
