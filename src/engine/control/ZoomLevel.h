#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace velmora {

/// How large the viewer shows a page: a fixed percentage, or fitted to the
/// page area (the whole page, or its width). A value type; the scale it
/// gives is in device pixels per twip.
class ZoomLevel {
public:
    enum class Mode { Percent, WholePage, PageWidth };

    static ZoomLevel percent(int value) { return ZoomLevel(Mode::Percent, value); }
    static ZoomLevel wholePage() { return ZoomLevel(Mode::WholePage, 0); }
    static ZoomLevel pageWidth() { return ZoomLevel(Mode::PageWidth, 0); }

    Mode mode() const { return m_mode; }
    int percentValue() const { return m_percent; }

    /// Pixels per twip for a page of `pageTwips` in an area of `area`
    /// pixels on a screen of `dpi` dots per inch, leaving `margin` pixels
    /// of edge on each side when fitting.
    double scale(QSize pageTwips, QSize area, double dpi, int margin) const;

    /// "Pàgina sencera", "Amplada de pàgina" or "75 %".
    QString caption() const;

    /// The zoom list, in the order the viewer offers it.
    static const QList<ZoomLevel> &choices();

    /// The next larger (steps > 0) or smaller percentage of the list from
    /// the scale now shown, for Ctrl+wheel.
    static ZoomLevel stepped(double shownPercent, int steps);

    /// One integer for a list entry's data: the percentage, or a negative
    /// code for the fitted modes.
    int code() const;
    static ZoomLevel fromCode(int code);

    bool operator==(const ZoomLevel &) const = default;

private:
    ZoomLevel(Mode mode, int value) : m_mode(mode), m_percent(value) {}
    Mode m_mode;
    int m_percent;
};

} // namespace velmora
