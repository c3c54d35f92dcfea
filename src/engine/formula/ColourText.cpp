#include "engine/formula/ColourText.h"

namespace velmora {

namespace {

constexpr unsigned int opaque = 0xFF000000u;

constexpr NamedColour colours[] = {
    {u"negre", u"black", 0x000000},      {u"blanc", u"white", 0xFFFFFF},
    {u"vermell", u"red", 0xFF0000},      {u"verd", u"green", 0x008000},
    {u"blau", u"blue", 0x0000FF},        {u"groc", u"yellow", 0xFFFF00},
    {u"taronja", u"orange", 0xFFA500},   {u"gris", u"grey", 0x808080},
    {u"grisclar", u"silver", 0xC0C0C0},  {u"granat", u"maroon", 0x800000},
    {u"blaumari", u"navy", 0x000080},    {u"morat", u"purple", 0x800080},
    {u"cian", u"cyan", 0x00FFFF},        {u"magenta", u"magenta", 0xFF00FF},
    {u"oliva", u"olive", 0x808000},      {u"verdblau", u"teal", 0x008080},
};

bool sameWord(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

} // namespace

std::span<const NamedColour> namedColours() { return colours; }

std::optional<unsigned int> colourFromText(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.size() == 7 && t.front() == u'#') {
        bool ok = false;
        const unsigned int rgb = t.mid(1).toUInt(&ok, 16);
        for (const QChar c : t.mid(1))
            ok = ok && (c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f'));
        if (ok)
            return opaque | rgb;
        return std::nullopt;
    }
    for (const NamedColour &named : colours)
        if (sameWord(t, named.catalan) || sameWord(t, named.english)
            || (sameWord(named.english, u"grey") && sameWord(t, u"gray")))
            return opaque | named.rgb;
    return std::nullopt;
}

QString colourToText(unsigned int rgb)
{
    return u'#' + QStringLiteral("%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace velmora
