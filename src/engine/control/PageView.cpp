#include "engine/control/PageView.h"

#include "engine/control/WebLink.h"
#include "engine/render/PagePainter.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace velmora {

namespace {
// Above this many pixels a rendering is painted straight to the screen
// rather than kept: a page at 400 % would hold tens of megabytes.
constexpr qint64 largestCachedRendering = 8'000'000;
const QColor highlightColour(255, 200, 0, 110);
} // namespace

PageView::PageView(QWidget *parent) : QAbstractScrollArea(parent)
{
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setGreyEdge(true);
    setFramed(true);
}

void PageView::setPage(std::optional<Page> page, quint64 generation)
{
    if (generation != m_generation)
        m_cache.clear();
    m_page = std::move(page);
    m_generation = generation;
    m_highlight.reset();
    updateScrollBars();
    viewport()->update();
}

void PageView::setPlaceholderText(const QString &text)
{
    m_placeholder = text;
    viewport()->update();
}

void PageView::setZoom(const ZoomLevel &zoom)
{
    const double oldHeight = std::max(1, pageSizeInPixels().height());
    const double position = verticalScrollBar()->value() / oldHeight;
    m_zoom = zoom;
    updateScrollBars();
    verticalScrollBar()->setValue(int(position * pageSizeInPixels().height()));
    viewport()->update();
}

QSize PageView::pageSizeInTwips() const { return m_page ? m_page->size : QSize(11906, 16838); }

double PageView::scale() const
{
    return m_zoom.scale(pageSizeInTwips(), viewport()->size(), logicalDpiX(), edge);
}

double PageView::shownPercent() const { return scale() * twipsPerInch / logicalDpiX() * 100.0; }

QSize PageView::pageSizeInPixels() const
{
    const QSize twips = pageSizeInTwips();
    return QSize(int(std::lround(twips.width() * scale())), int(std::lround(twips.height() * scale())));
}

QRect PageView::pageRect() const
{
    const QSize size = pageSizeInPixels();
    const int centred = (viewport()->width() - size.width()) / 2;
    const int left = centred > edge ? centred : edge - horizontalScrollBar()->value();
    return QRect(QPoint(left, edge - verticalScrollBar()->value()), size);
}

void PageView::updateScrollBars()
{
    const QSize content = pageSizeInPixels() + QSize(2 * edge, 2 * edge);
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, content.height() - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

void PageView::scrollToY(Twips y) { verticalScrollBar()->setValue(int(y * scale())); }
void PageView::scrollToTop() { verticalScrollBar()->setValue(0); }
void PageView::scrollToBottom() { verticalScrollBar()->setValue(verticalScrollBar()->maximum()); }
bool PageView::atTop() const { return verticalScrollBar()->value() <= verticalScrollBar()->minimum(); }
bool PageView::atBottom() const { return verticalScrollBar()->value() >= verticalScrollBar()->maximum(); }

void PageView::setHighlight(std::optional<QRectF> twipsRect)
{
    m_highlight = twipsRect;
    if (twipsRect) {
        const double s = scale();
        const int top = int(twipsRect->top() * s);
        const int bottom = int(twipsRect->bottom() * s) + 2 * edge;
        QScrollBar *bar = verticalScrollBar();
        if (top < bar->value() || bottom > bar->value() + viewport()->height())
            bar->setValue(top - viewport()->height() / 3);
        const int left = int(twipsRect->left() * s);
        QScrollBar *across = horizontalScrollBar();
        if (left < across->value() || left + edge > across->value() + viewport()->width())
            across->setValue(left - viewport()->width() / 3);
    }
    viewport()->update();
}

void PageView::setGreyEdge(bool grey)
{
    QPalette palette = viewport()->palette();
    const QColor edge = grey ? QColor(128, 128, 128) : QColor(Qt::white);
    // The scroll area paints its viewport with the Base role.
    palette.setColor(QPalette::Base, edge);
    palette.setColor(QPalette::Window, edge);
    viewport()->setPalette(palette);
}

void PageView::setFramed(bool framed)
{
    setFrameStyle(framed ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
}

void PageView::setWebLinksEnabled(bool enabled) { m_webLinks = enabled; }

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    if (!m_page) {
        painter.setPen(viewport()->palette().color(QPalette::Base).lightness() < 160 ? Qt::white : Qt::black);
        painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap, m_placeholder);
        return;
    }
    const QRect target = pageRect();
    painter.fillRect(target.translated(3, 3), QColor(0, 0, 0, 70));
    painter.fillRect(target, Qt::white);
    paintPage(painter, target);
    if (m_highlight) {
        const double s = scale();
        const QRectF mark(target.left() + m_highlight->left() * s, target.top() + m_highlight->top() * s,
                          m_highlight->width() * s, m_highlight->height() * s);
        painter.fillRect(mark.adjusted(-2, -1, 2, 1), highlightColour);
    }
}

void PageView::paintPage(QPainter &painter, const QRect &target)
{
    const double s = scale();
    if (qint64(target.width()) * target.height() > largestCachedRendering) {
        painter.save();
        painter.translate(target.topLeft());
        PagePainter::paint(painter, *m_page, s);
        painter.restore();
        return;
    }
    const RenderedPageCache::Key key{m_generation, m_page->number, s};
    QImage image = m_cache.find(key);
    if (image.isNull()) {
        image = QImage(target.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter onImage(&image);
        PagePainter::paint(onImage, *m_page, s);
        m_cache.insert(key, image);
    }
    painter.drawImage(target.topLeft(), image);
}

void PageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PageView::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta != 0)
            emit zoomStepRequested(delta > 0 ? 1 : -1);
        event->accept();
        return;
    }
    if (delta < 0 && atBottom() && m_page) {
        emit pageStepRequested(1);
        event->accept();
        return;
    }
    if (delta > 0 && atTop() && m_page) {
        emit pageStepRequested(-1);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PageView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Home:
        emit firstPageRequested();
        return;
    case Qt::Key_End:
        emit lastPageRequested();
        return;
    case Qt::Key_PageDown:
        if (atBottom())
            emit pageStepRequested(1);
        else
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        return;
    case Qt::Key_PageUp:
        if (atTop())
            emit pageStepRequested(-1);
        else
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

std::optional<QUrl> PageView::linkAt(QPoint viewportPos) const
{
    if (!m_page || !m_webLinks)
        return std::nullopt;
    const QRect target = pageRect();
    const double s = scale();
    return WebLink::at(*m_page, QPointF((viewportPos.x() - target.left()) / s, (viewportPos.y() - target.top()) / s));
}

void PageView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (const auto url = linkAt(event->position().toPoint())) {
            emit linkActivated(*url);
            return;
        }
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void PageView::mouseMoveEvent(QMouseEvent *event)
{
    viewport()->setCursor(linkAt(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QAbstractScrollArea::mouseMoveEvent(event);
}

void PageView::contextMenuEvent(QContextMenuEvent *event)
{
    emit contextMenuWanted(event->globalPos());
}

} // namespace velmora
