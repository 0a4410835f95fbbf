#include "preview/workspace/TpgxPreviewWorkspace.h"

#include "prepared/TpgxPreviewPages.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QScrollBar>

#include <cmath>

namespace pgx::preview {

namespace {

// A thumbnail's number: " n " in 8-point type, white on the active colour.
void drawPageNumber(QPainter &painter, const QRect &page, int number, const QColor &colour)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    painter.setFont(font);
    const QString text = QStringLiteral(" %1 ").arg(number);
    const QRect box = painter.fontMetrics().boundingRect(text).translated(page.topLeft());
    const QRect label(page.topLeft(), box.size());
    painter.fillRect(label, colour);
    painter.setPen(Qt::white);
    painter.drawText(label, Qt::AlignCenter, text);
}

}   // namespace

TpgxPreviewWorkspace::TpgxPreviewWorkspace(bool thumbnails, QWidget *parent)
    : QAbstractScrollArea(parent), m_zoom(thumbnails ? kThumbnailZoom : 1), m_thumbnails(thumbnails)
{
    setFocusPolicy(thumbnails ? Qt::ClickFocus : Qt::StrongFocus);
    viewport()->setMouseTracking(!thumbnails);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(kSmallStep);
    verticalScrollBar()->setSingleStep(kSmallStep);
    verticalScrollBar()->setPageStep(kLargeStep);
}

void TpgxPreviewWorkspace::setPages(TpgxPreviewPages *pages)
{
    m_pages = pages;
    m_current = 0;
    m_highlightPage = -1;
    relayout();
}

void TpgxPreviewWorkspace::setZoom(double zoom)
{
    m_zoom = m_thumbnails ? kThumbnailZoom : boundedZoom(zoom);
    relayout();
}

void TpgxPreviewWorkspace::setLocked(bool locked)
{
    m_locked = locked;
    if (!locked)
        relayout();
}

int TpgxPreviewWorkspace::usableWidth() const
{
    return std::max(0, width() - verticalScrollBar()->sizeHint().width() - 2 * frameWidth());
}

void TpgxPreviewWorkspace::relayout()
{
    if (m_locked)
        return;
    m_list.clear();
    const int count = m_pages ? m_pages->count() : 0;
    for (int i = 0; i < count; ++i) {
        const QSize size = m_pages->pageSize(i);
        m_list.add(QSize(int(std::lround(size.width() * m_zoom)),
                         int(std::lround(size.height() * m_zoom))));
    }
    m_list.layout(usableWidth());
    m_current = std::clamp(m_current, 0, std::max(0, count - 1));
    updateScrollBars();
    viewport()->update();
}

void TpgxPreviewWorkspace::updateScrollBars()
{
    const QSize range = m_list.count() > 0
        ? m_list.scrollRange()
        : TpgxPageList::placeholder(m_zoom, usableWidth()).adjusted(0, 0, 10, 10).size();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, range.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, range.height() - view.height()));
    verticalScrollBar()->setPageStep(std::max(kLargeStep, view.height()));
}

QPoint TpgxPreviewWorkspace::offset() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void TpgxPreviewWorkspace::setCurrentPage(int index)
{
    if (index == m_current || index < 0 || (m_list.count() > 0 && index >= m_list.count()))
        return;
    m_current = index;
    viewport()->update();
}

void TpgxPreviewWorkspace::scrollToPage(int index, int top)
{
    const QRect page = m_list.item(index);
    if (page.isEmpty())
        return;
    setCurrentPage(index);
    const QSignalBlocker block(this);
    verticalScrollBar()->setValue(page.top() + top - TpgxPageList::kGap);
    viewport()->update();
}

void TpgxPreviewWorkspace::ensureVisible(int index, const QRectF &rect)
{
    const QRect page = m_list.item(index);
    if (page.isEmpty())
        return;
    constexpr int kMargin = 20;
    const QRect target
        = QRectF(page.left() + rect.left() * m_zoom, page.top() + rect.top() * m_zoom,
                 rect.width() * m_zoom, rect.height() * m_zoom)
              .toAlignedRect();
    const QSize view = viewport()->size();
    QScrollBar *h = horizontalScrollBar();
    QScrollBar *v = verticalScrollBar();
    if (target.left() - kMargin < h->value()
        || target.right() + kMargin > h->value() + view.width())
        h->setValue(target.left() - kMargin);
    if (target.top() - kMargin < v->value()
        || target.bottom() + kMargin > v->value() + view.height())
        v->setValue(target.top() - kMargin);
}

void TpgxPreviewWorkspace::setHighlight(int index, const QRectF &rect)
{
    m_highlightPage = rect.isEmpty() ? -1 : index;
    m_highlight = rect;
    viewport()->update();
}

int TpgxPreviewWorkspace::pageAtViewport(QPoint point, QPointF *pagePoint) const
{
    const QPoint at = point + offset();
    const int index = m_list.pageAt(at);
    if (index >= 0 && pagePoint) {
        const QRect page = m_list.item(index);
        *pagePoint = QPointF((at.x() - page.left()) / m_zoom, (at.y() - page.top()) / m_zoom);
    }
    return index;
}

void TpgxPreviewWorkspace::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QRect view(offset(), viewport()->size());
    painter.fillRect(viewport()->rect(), backColor);
    if (m_locked)
        return;
    painter.translate(-view.topLeft());
    if (m_list.count() == 0) {
        const QRect placeholder = TpgxPageList::placeholder(m_zoom, usableWidth());
        painter.fillRect(placeholder, Qt::white);
        painter.setPen(frameColor);
        painter.drawRect(placeholder.adjusted(0, 0, -1, -1));
        return;
    }
    const QRect current = m_list.item(m_current);
    if (current.intersects(view.adjusted(-3, -3, 3, 3))) {
        painter.setPen(QPen(activeFrameColor, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(current).adjusted(-2, -2, 1, 1));
    }
    for (int index : m_list.visiblePages(view)) {
        const QRect page = m_list.item(index);
        painter.fillRect(page, Qt::white);
        painter.setPen(frameColor);
        painter.drawRect(page.adjusted(0, 0, -1, -1));
        if (m_pages) {
            painter.save();
            m_pages->drawPage(index, &painter, m_zoom, m_zoom, page.left(), page.top());
            painter.restore();
        }
        if (m_thumbnails)
            drawPageNumber(painter, page, index + 1, activeFrameColor);
        if (index == m_highlightPage) {
            const QRectF found(page.left() + m_highlight.left() * m_zoom,
                               page.top() + m_highlight.top() * m_zoom,
                               m_highlight.width() * m_zoom, m_highlight.height() * m_zoom);
            painter.save();
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.fillRect(found, Qt::white);
            painter.restore();
        }
    }
}

void TpgxPreviewWorkspace::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void TpgxPreviewWorkspace::scrollContentsBy(int, int)
{
    viewport()->update();
    if (m_list.count() == 0 || signalsBlocked())
        return;
    const int page = m_list.pageForScroll(verticalScrollBar()->value());
    if (page != m_current) {
        m_current = page;
        emit currentPageChanged(page);
    }
}

void TpgxPreviewWorkspace::mousePressEvent(QMouseEvent *event)
{
    QPointF at;
    const int index = pageAtViewport(event->position().toPoint(), &at);
    if (index >= 0 && index != m_current) {
        m_current = index;
        viewport()->update();
        emit currentPageChanged(index);
    }
    if (event->button() == Qt::LeftButton && !m_thumbnails) {
        m_dragging = true;
        m_dragStart = m_dragLast = event->position().toPoint();
    }
    if (index >= 0)
        emit pageClicked(index, at, event->button(), event->modifiers());
}

void TpgxPreviewWorkspace::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        const QPoint delta = position - m_dragLast;
        m_dragLast = position;
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() - delta.y());
        return;
    }
    QPointF at;
    const int index = pageAtViewport(position, &at);
    emit mouseOverPage(index, at);
}

void TpgxPreviewWorkspace::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
}

void TpgxPreviewWorkspace::mouseDoubleClickEvent(QMouseEvent *)
{
    emit doubleClicked();
}

void TpgxPreviewWorkspace::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / 120;
    if (event->modifiers() & Qt::ControlModifier) {
        if (notches != 0)
            emit zoomByWheel(notches);
        return;
    }
    constexpr int kWheelStep = 20;
    QScrollBar *bar
        = (event->modifiers() & Qt::ShiftModifier) ? horizontalScrollBar() : verticalScrollBar();
    bar->setValue(bar->value() - notches * kWheelStep);
}

}   // namespace pgx::preview
