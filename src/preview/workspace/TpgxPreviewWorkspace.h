#pragma once

#include "preview/layout/TpgxPageList.h"

#include <QtCore/QRectF>
#include <QtGui/QColor>
#include <QtWidgets/QAbstractScrollArea>

class TpgxPreviewPages;

namespace pgx::preview {

// The scrollable surface the prepared pages are painted on: the main view
// of the preview, or its strip of thumbnails (zoom 0.1, page numbers).
// Only the pages in view are built and drawn, from the store's cache.
class TpgxPreviewWorkspace : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int kSmallStep = 8;
    static constexpr int kLargeStep = 300;
    static constexpr double kThumbnailZoom = 0.1;

    explicit TpgxPreviewWorkspace(bool thumbnails = false, QWidget *parent = nullptr);

    void setPages(TpgxPreviewPages *pages);
    TpgxPreviewPages *pages() const { return m_pages; }
    bool isThumbnails() const { return m_thumbnails; }

    double zoom() const { return m_zoom; }
    // Lays the pages out anew at this zoom.
    void setZoom(double zoom);
    // The page sizes were read again (pages added, deleted, edited).
    void relayout();
    // While locked the store is changing: nothing is laid out or painted.
    void setLocked(bool locked);
    bool isLocked() const { return m_locked; }

    const TpgxPageList &pageList() const { return m_list; }
    // The width a page row may take: the viewport without a scroll bar.
    int usableWidth() const;

    int currentPage() const { return m_current; }
    // Marks the page current (0-based) without scrolling.
    void setCurrentPage(int index);
    // Scrolls so that the page's top, plus `top` pixels, is 10 pixels
    // below the view's top.
    void scrollToPage(int index, int top = 0);
    // Makes `rect` (page pixels at zoom 1 on page `index`) visible with a
    // 20-pixel margin.
    void ensureVisible(int index, const QRectF &rect);
    // The found text, shown inverted; an empty rect shows none.
    void setHighlight(int index, const QRectF &rect);

    QColor backColor = QColor(0x80, 0x80, 0x80);
    QColor frameColor = Qt::black;
    QColor activeFrameColor = QColor(0x20, 0x40, 0x80);

    // The page and its point in report units (zoom 1, paper origin) under
    // a viewport position; page -1 when none.
    int pageAtViewport(QPoint point, QPointF *pagePoint = nullptr) const;

signals:
    // The user scrolled another page to the top, or clicked a page.
    void currentPageChanged(int index);
    void pageClicked(int index, QPointF pagePoint, Qt::MouseButton button,
                     Qt::KeyboardModifiers modifiers);
    void mouseOverPage(int index, QPointF pagePoint);
    // Ctrl and the wheel: the zoom in notches (positive: larger).
    void zoomByWheel(int notches);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void updateScrollBars();
    QPoint offset() const;

    TpgxPreviewPages *m_pages = nullptr;
    TpgxPageList m_list;
    double m_zoom = 1;
    bool m_thumbnails;
    bool m_locked = false;
    int m_current = 0;
    int m_highlightPage = -1;
    QRectF m_highlight;
    // A drag with the left button scrolls the view like a hand.
    bool m_dragging = false;
    QPoint m_dragStart;
    QPoint m_dragLast;
};

}   // namespace pgx::preview
