#include "engine/writers/RtfStyleTables.h"

#include "engine/render/FontResolver.h"
#include "engine/writers/RtfText.h"

#include <vector>

namespace velmora {

namespace {

QByteArray familyKeyword(const QString &family)
{
    if (family.contains(u"Mono") || family.contains(u"Courier"))
        return "\\fmodern";
    if (family.contains(u"Serif") && !family.contains(u"Sans"))
        return "\\froman";
    return "\\fswiss";
}

template<typename Key>
std::vector<Key> inIndexOrder(const std::map<Key, int> &indexes, int first)
{
    std::vector<Key> keys(indexes.size());
    for (const auto &[key, index] : indexes)
        keys[size_t(index - first)] = key;
    return keys;
}

} // namespace

int RtfStyleTables::fontIndex(const QString &reportFamily)
{
    const QString family = resolvedFontFamily(reportFamily);
    return m_fonts.try_emplace(family, int(m_fonts.size())).first->second;
}

int RtfStyleTables::colorIndex(QRgb color)
{
    return m_colors.try_emplace(color & RGB_MASK, int(m_colors.size()) + 1).first->second;
}

QByteArray RtfStyleTables::fontTable() const
{
    QByteArray table = "{\\fonttbl";
    int index = 0;
    for (const QString &family : inIndexOrder(m_fonts, 0)) {
        table += "{\\f" + QByteArray::number(index++) + familyKeyword(family) + "\\fcharset0 "
            + RtfText::escaped(family) + ";}";
    }
    if (m_fonts.empty())
        table += "{\\f0\\fswiss\\fcharset0 Liberation Sans;}";
    return table + "}\n";
}

QByteArray RtfStyleTables::colorTable() const
{
    QByteArray table = "{\\colortbl;";
    for (QRgb color : inIndexOrder(m_colors, 1)) {
        table += "\\red" + QByteArray::number(qRed(color)) + "\\green" + QByteArray::number(qGreen(color))
            + "\\blue" + QByteArray::number(qBlue(color)) + ';';
    }
    return table + "}\n";
}

} // namespace velmora
