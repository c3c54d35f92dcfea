#pragma once

#include "engine/control/RenderedPageCache.h"
#include "engine/control/ZoomLevel.h"
#include "engine/page/Page.h"

#include <QAbstractScrollArea>
#include <QUrl>

#include <optional>

namespace velmora {

/// Shows one page of a report at a zoom, with an edge around it, scrolled
/// inside the control. It paints only the page it shows, keeps the last few
/// renderings, and turns the user's wheel, keys and clicks into requests
/// (next page, zoom step, open a link) that the viewer control decides on.
class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

    /// The page to show (none: the placeholder text); `generation` tells
    /// renderings of different page sources apart.
    void setPage(std::optional<Page> page, quint64 generation);
    const std::optional<Page> &page() const { return m_page; }
    void setPlaceholderText(const QString &text);

    void setZoom(const ZoomLevel &zoom);
    const ZoomLevel &zoom() const { return m_zoom; }
    /// Device pixels per twip as now shown.
    double scale() const;
    /// The scale as a percentage of the page's real size.
    double shownPercent() const;

    /// Scrolls so that `y` twips of the page stand at the top of the view.
    void scrollToY(Twips y);
    void scrollToTop();
    void scrollToBottom();
    /// Marks a found text (twips) and scrolls it into view; none clears it.
    void setHighlight(std::optional<QRectF> twipsRect);
    const std::optional<QRectF> &highlight() const { return m_highlight; }

    void setGreyEdge(bool grey);
    void setFramed(bool framed);
    void setWebLinksEnabled(bool enabled);
    /// Where the page stands in the viewport, in pixels.
    QRect pageRect() const;

signals:
    /// The user scrolled or paged past the end (+1) or start (-1) of the page.
    void pageStepRequested(int direction);
    void firstPageRequested();
    void lastPageRequested();
    void zoomStepRequested(int steps);
    void linkActivated(const QUrl &url);
    void contextMenuWanted(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    static constexpr int edge = 12;
    QSize pageSizeInPixels() const;
    QSize pageSizeInTwips() const;
    void updateScrollBars();
    void paintPage(QPainter &painter, const QRect &target);
    std::optional<QUrl> linkAt(QPoint viewportPos) const;
    bool atBottom() const;
    bool atTop() const;

    std::optional<Page> m_page;
    quint64 m_generation = 0;
    QString m_placeholder;
    ZoomLevel m_zoom = ZoomLevel::percent(100);
    std::optional<QRectF> m_highlight;
    bool m_webLinks = true;
    RenderedPageCache m_cache{3};
};

} // namespace velmora
