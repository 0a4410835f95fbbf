#pragma once

#include <QtCore/QList>
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSize>

namespace pgx::preview {

// The pages of a preview workspace as rectangles in workspace pixels, laid
// out in centred rows: 10 pixels around and between pages, a page starting a
// new row when it would pass the usable width.
class TpgxPageList
{
public:
    static constexpr int kGap = 10;

    void clear();
    // A page of that size in pixels (already at the workspace's zoom).
    void add(QSize size);
    // Places the pages in rows for a client `usableWidth` pixels wide (the
    // scroll bar left out).
    void layout(int usableWidth);

    int count() const { return int(m_items.size()); }
    // Page `index`'s rectangle; an empty one outside the list.
    QRect item(int index) const;
    // The widest row + 10 by the bottom of the last row (its tallest page)
    // + 10; (0, 0) without pages.
    QSize scrollRange() const { return m_range; }
    int widestRow() const { return m_widestRow; }

    // The page under `point`, -1 when none.
    int pageAt(QPoint point) const;
    // The page scrolling to `scrollTop` makes current: the last page whose
    // top is not below scrollTop plus a fifth of its height (by bisection
    // over the tops); 0 for an empty list.
    int pageForScroll(int scrollTop) const;
    // The pages that intersect `view`, in order, found by bisection over
    // the tops: every one of them, also when a wide view at a small zoom
    // shows more than 40 after the page at its top.
    QList<int> visiblePages(const QRect &view) const;

    // The stand-in rectangle for a store without pages: 794 x 1123 x zoom,
    // centred (left 10 when it does not fit), 10 x zoom from the top.
    static QRect placeholder(double zoom, int usableWidth);

private:
    QList<QRect> m_items;
    QSize m_range{0, 0};
    int m_widestRow = 0;
};

// Zoom that fits the whole page in a workspace `height` pixels high, or the
// page width in one `width` pixels wide (less the vertical scroll bar):
// never below kMinZoom, also for a tiny window or an empty page, and never
// above kMaxZoom (a page of a pixel or two).
inline constexpr double kMinZoom = 0.25;
// Beyond this a page's pixels no longer fit the workspace's coordinates.
inline constexpr double kMaxZoom = 20;
// `zoom` held within kMinZoom..kMaxZoom; NaN gives 1.
double boundedZoom(double zoom);
double wholePageZoom(int workspaceHeight, double pageHeight);
double pageWidthZoom(int workspaceWidth, int scrollBarWidth, double pageWidth);

}   // namespace pgx::preview
