#include "engine/formula/CatalanNames.h"

#include <QStringView>

#include <array>

namespace velmora::CatalanNames {

namespace {

constexpr std::array<QStringView, 12> months = {u"gener", u"febrer", u"març", u"abril", u"maig", u"juny",
                                                u"juliol", u"agost", u"setembre", u"octubre", u"novembre", u"desembre"};
constexpr std::array<QStringView, 12> monthAbbreviations = {u"gen.", u"febr.", u"març", u"abr.", u"maig", u"juny",
                                                            u"jul.", u"ag.", u"set.", u"oct.", u"nov.", u"des."};
constexpr std::array<QStringView, 7> weekdays = {u"dilluns", u"dimarts", u"dimecres", u"dijous", u"divendres", u"dissabte", u"diumenge"};
constexpr std::array<QStringView, 7> weekdayAbbreviations = {u"dl.", u"dt.", u"dc.", u"dj.", u"dv.", u"ds.", u"dg."};

template<size_t N>
QString pick(const std::array<QStringView, N> &names, int oneBased)
{
    return oneBased >= 1 && oneBased <= int(N) ? names[size_t(oneBased - 1)].toString() : QString();
}

} // namespace

QString monthName(int month) { return pick(months, month); }
QString monthAbbreviation(int month) { return pick(monthAbbreviations, month); }
QString weekdayName(int dayOfWeek) { return pick(weekdays, dayOfWeek); }
QString weekdayAbbreviation(int dayOfWeek) { return pick(weekdayAbbreviations, dayOfWeek); }

} // namespace velmora::CatalanNames
