#include "engine/control/ZoomLevel.h"

#include "engine/page/Page.h"

#include <algorithm>

namespace velmora {

double ZoomLevel::scale(QSize pageTwips, QSize area, double dpi, int margin) const
{
    const double atHundred = dpi / twipsPerInch;
    if (m_mode == Mode::Percent || pageTwips.isEmpty())
        return atHundred * std::max(m_percent, 1) / 100.0;
    const double across = std::max(1, area.width() - 2 * margin) / double(pageTwips.width());
    if (m_mode == Mode::PageWidth)
        return across;
    const double down = std::max(1, area.height() - 2 * margin) / double(pageTwips.height());
    return std::min(across, down);
}

QString ZoomLevel::caption() const
{
    switch (m_mode) {
    case Mode::WholePage:
        return QStringLiteral("Pàgina sencera");
    case Mode::PageWidth:
        return QStringLiteral("Amplada de pàgina");
    case Mode::Percent:
        break;
    }
    return QStringLiteral("%1 %").arg(m_percent);
}

int ZoomLevel::code() const
{
    switch (m_mode) {
    case Mode::WholePage:
        return -1;
    case Mode::PageWidth:
        return -2;
    case Mode::Percent:
        break;
    }
    return m_percent;
}

ZoomLevel ZoomLevel::fromCode(int code)
{
    if (code == -1)
        return wholePage();
    if (code == -2)
        return pageWidth();
    return percent(std::max(code, 1));
}

const QList<ZoomLevel> &ZoomLevel::choices()
{
    static const QList<ZoomLevel> list{wholePage(),  pageWidth(),   percent(25),  percent(50), percent(75),
                                       percent(100), percent(150), percent(200), percent(400)};
    return list;
}

ZoomLevel ZoomLevel::stepped(double shownPercent, int steps)
{
    QList<int> percents;
    for (const ZoomLevel &z : choices())
        if (z.mode() == Mode::Percent)
            percents.append(z.percentValue());
    if (steps > 0) {
        const auto next = std::upper_bound(percents.cbegin(), percents.cend(), int(shownPercent + 0.5));
        return percent(next == percents.cend() ? percents.back() : *next);
    }
    const auto below = std::lower_bound(percents.cbegin(), percents.cend(), int(shownPercent + 0.5));
    return percent(below == percents.cbegin() ? percents.front() : *(below - 1));
}

} // namespace velmora
