#include "engine/data/CatalanCollation.h"

#include <QString>

#include <cstring>

namespace velmora {

namespace {

constexpr char16_t middleDot = u'\u00B7';
constexpr char16_t greekAnoTeleia = u'\u0387';
// Below every weight, so a shorter level sorts first.
constexpr char16_t levelEnd = 0;
// Ends the accents of one letter; below every accent, so a letter without
// accents sorts first.
constexpr char16_t letterEnd = 1;

void appendUnit(QByteArray &key, char16_t unit)
{
    key.append(char(unit >> 8));
    key.append(char(unit & 0xFF));
}

bool isAscii(QStringView text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

bool isAccent(QChar c)
{
    return c.category() == QChar::Mark_NonSpacing || c == middleDot || c == greekAnoTeleia;
}

struct Levels {
    QByteArray primary;
    QByteArray accents;
    QByteArray cases;
};

void addLetter(Levels &levels, QChar c, bool firstLetter)
{
    if (!firstLetter)
        appendUnit(levels.accents, letterEnd);
    const char16_t folded = c.unicode() < 0x80 ? char16_t(c.unicode() >= u'A' && c.unicode() <= u'Z' ? c.unicode() + 32 : c.unicode())
                                               : c.toCaseFolded().unicode();
    appendUnit(levels.primary, folded == 0 ? char16_t(1) : folded);
    const bool upper = c.unicode() < 0x80 ? (c.unicode() >= u'A' && c.unicode() <= u'Z') : c.isUpper();
    levels.cases.append(upper ? char(2) : char(1));
}

} // namespace

QByteArray CatalanCollation::sortKey(QStringView text)
{
    const QString decomposed = isAscii(text) ? QString() : text.toString().normalized(QString::NormalizationForm_D);
    const QStringView letters = decomposed.isNull() ? text : QStringView(decomposed);
    Levels levels;
    levels.primary.reserve(letters.size() * 2 + 2);
    levels.cases.reserve(letters.size());
    bool firstLetter = true;
    for (const QChar c : letters) {
        if (!decomposed.isNull() && isAccent(c)) {
            appendUnit(levels.accents, c.unicode());
            continue;
        }
        addLetter(levels, c, firstLetter);
        firstLetter = false;
    }
    QByteArray key;
    key.reserve(levels.primary.size() + levels.accents.size() + levels.cases.size() + text.size() * 2 + 5);
    key.append(levels.primary);
    appendUnit(key, levelEnd);
    key.append(levels.accents);
    appendUnit(key, levelEnd);
    key.append(levels.cases);
    key.append(char(0));
    for (const QChar c : text)
        appendUnit(key, c.unicode());
    return key;
}

int CatalanCollation::compareText(QStringView a, QStringView b)
{
    const QByteArray keyA = sortKey(a);
    const QByteArray keyB = sortKey(b);
    const int common = int(qMin(keyA.size(), keyB.size()));
    const int byBytes = std::memcmp(keyA.constData(), keyB.constData(), size_t(common));
    if (byBytes != 0)
        return byBytes < 0 ? -1 : 1;
    return keyA.size() == keyB.size() ? 0 : (keyA.size() < keyB.size() ? -1 : 1);
}

} // namespace velmora
