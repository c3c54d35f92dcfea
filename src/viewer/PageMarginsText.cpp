#include "viewer/PageMarginsText.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {
constexpr double twipsPerMillimetre = 1440.0 / 25.4;
// Far beyond any paper, yet small enough that two of them add up in an int.
constexpr double largestTwips = 1e7;

const std::array<QString, PageMarginsText::sideCount> &sideNames()
{
    static const std::array<QString, PageMarginsText::sideCount> names{
        QStringLiteral("esquerre"), QStringLiteral("superior"), QStringLiteral("dret"), QStringLiteral("inferior")};
    return names;
}

int sideOf(const QMargins &margins, PageMarginsText::Side side)
{
    switch (side) {
    case PageMarginsText::Left: return margins.left();
    case PageMarginsText::Top: return margins.top();
    case PageMarginsText::Right: return margins.right();
    case PageMarginsText::Bottom: return margins.bottom();
    }
    return 0;
}

QString millimetres(double twips)
{
    return QLocale(QLocale::Catalan).toString(twips / twipsPerMillimetre, 'f', 1);
}

PageMarginsText::Reading refusal(PageMarginsText::Side culprit, const QString &problem)
{
    return {QMargins(), problem, culprit};
}

std::optional<PageMarginsText::Reading> roomProblem(const QMargins &margins, const QSize &paper)
{
    if (margins.left() + margins.right() >= paper.width())
        return refusal(PageMarginsText::Left,
                       QStringLiteral("Els marges esquerre i dret junts ocupen tota l'amplada del paper (%1 mm). "
                                      "Cal que sumin menys.")
                           .arg(millimetres(paper.width())));
    if (margins.top() + margins.bottom() >= paper.height())
        return refusal(PageMarginsText::Top,
                       QStringLiteral("Els marges superior i inferior junts ocupen tota l'alçada del paper (%1 mm). "
                                      "Cal que sumin menys.")
                           .arg(millimetres(paper.height())));
    return std::nullopt;
}
} // namespace

QString PageMarginsText::millimetresText(int twips) { return millimetres(twips); }

PageMarginsText::Texts PageMarginsText::textsOf(const QMargins &margins)
{
    Texts texts;
    for (int side = 0; side < sideCount; ++side)
        texts[side] = millimetresText(sideOf(margins, Side(side)));
    return texts;
}

QString PageMarginsText::paperText(const QSize &paperTwips)
{
    return QStringLiteral("%1 × %2 mm").arg(millimetres(paperTwips.width()), millimetres(paperTwips.height()));
}

// Both the decimal comma and the decimal point are taken: people type either.
std::optional<double> PageMarginsText::twipsOfText(const QString &text)
{
    QString plain = text.trimmed();
    plain.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value * twipsPerMillimetre;
}

PageMarginsText::Reading PageMarginsText::read(const Texts &texts, const QMargins &shown, const QSize &paperTwips)
{
    const Texts shownTexts = textsOf(shown);
    std::array<int, sideCount> twips{};
    for (int side = 0; side < sideCount; ++side) {
        const std::optional<double> value = texts[side] == shownTexts[side]
            ? std::optional<double>(sideOf(shown, Side(side)))
            : twipsOfText(texts[side]);
        if (!value)
            return refusal(Side(side), QStringLiteral("El marge %1 ha de ser un nombre de mil·límetres, com ara 20,0.")
                                           .arg(sideNames()[side]));
        if (*value < 0)
            return refusal(Side(side), QStringLiteral("El marge %1 no pot ser negatiu.").arg(sideNames()[side]));
        twips[side] = qRound(std::min(*value, largestTwips));
    }
    const QMargins margins(twips[Left], twips[Top], twips[Right], twips[Bottom]);
    if (const auto problem = roomProblem(margins, paperTwips))
        return *problem;
    return {margins, QString(), Left};
}

} // namespace velmora
