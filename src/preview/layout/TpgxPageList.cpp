#include "preview/layout/TpgxPageList.h"

#include <algorithm>
#include <cmath>

namespace pgx::preview {

namespace {

// Page sizes come from prepared files, which may come from strangers:
// coordinates are summed in 64 bits and held below these bounds, so that
// an absurd page size gives an absurd layout rather than an overflow (a
// page's right and bottom edges included).
constexpr qint64 kMaxSize = 1 << 28;
constexpr qint64 kMaxCoordinate = 1 << 29;

int bounded(qint64 value, qint64 limit = kMaxCoordinate)
{
    return int(std::clamp<qint64>(value, 0, limit));
}

}   // namespace

void TpgxPageList::clear()
{
    m_items.clear();
    m_range = QSize(0, 0);
    m_widestRow = 0;
}

void TpgxPageList::add(QSize size)
{
    m_items.append(QRect(0, 0, bounded(size.width(), kMaxSize), bounded(size.height(), kMaxSize)));
}

void TpgxPageList::layout(int usableWidth)
{
    m_widestRow = 0;
    qint64 top = kGap;
    qint64 bottom = 0;
    int index = 0;
    while (index < count()) {
        // The row: pages side by side while they fit, at least one. Lefts
        // count from 0 here, each page followed by its gap.
        const int first = index;
        qint64 x = 0;
        qint64 rowHeight = 0;
        for (; index < count(); ++index) {
            QRect &item = m_items[index];
            if (x > 0 && x + item.width() > usableWidth)
                break;
            item.moveTo(bounded(x), bounded(top));
            x += item.width() + kGap;
            rowHeight = std::max<qint64>(rowHeight, item.height());
        }
        m_widestRow = std::max(m_widestRow, bounded(x));
        // Centred between gaps of 10 on either side of the usable width.
        const qint64 free = (usableWidth - x + kGap) / 2;
        const int shift = bounded(std::max<qint64>(free, 0) + kGap);
        for (int i = first; i < index; ++i)
            m_items[i].translate(shift, 0);
        bottom = top + rowHeight;
        top = bottom + kGap;
    }
    // The bottom of the last row, not of the last page: in a row of mixed
    // heights the last page need not be the tallest.
    m_range = count() ? QSize(bounded(m_widestRow + qint64(kGap)), bounded(bottom + kGap))
                      : QSize(0, 0);
}

QRect TpgxPageList::item(int index) const
{
    return index >= 0 && index < count() ? m_items[index] : QRect();
}

namespace {

// The first page whose top is below `y` (the tops never decrease).
qsizetype firstBelow(const QList<QRect> &items, int y)
{
    return std::upper_bound(items.begin(), items.end(), y,
                            [](int value, const QRect &item) { return value < item.top(); })
        - items.begin();
}

}   // namespace

int TpgxPageList::pageAt(QPoint point) const
{
    // Only the row whose top is the last one above the point can hold it:
    // every row starts below the tallest page of the row before.
    qsizetype i = firstBelow(m_items, point.y()) - 1;
    if (i < 0)
        return -1;
    const int rowTop = m_items[i].top();
    for (; i >= 0 && m_items[i].top() == rowTop; --i)
        if (m_items[i].contains(point))
            return int(i);
    return -1;
}

int TpgxPageList::pageForScroll(int scrollTop) const
{
    const auto reached = [&](int i) {
        const QRect &r = m_items[i];
        return r.top() <= scrollTop + r.height() / 5.0;
    };
    int lo = 0;   // reached, or the first page
    int hi = count() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (reached(mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    return std::max(lo, 0);
}

QList<int> TpgxPageList::visiblePages(const QRect &view) const
{
    QList<int> pages;
    if (view.isEmpty())
        return pages;
    // From the start of the row at the view's top to the last row that
    // begins inside it: all of them, however many a wide view at a small
    // zoom shows at once.
    qsizetype i = std::max<qsizetype>(firstBelow(m_items, view.top()) - 1, 0);
    if (i < count()) {
        const int rowTop = m_items[i].top();
        while (i > 0 && m_items[i - 1].top() == rowTop)
            --i;
    }
    for (; i < count() && m_items[i].top() <= view.bottom(); ++i)
        if (m_items[i].intersects(view))
            pages.append(int(i));
    return pages;
}

QRect TpgxPageList::placeholder(double zoom, int usableWidth)
{
    zoom = boundedZoom(zoom);
    const int width = int(std::lround(794 * zoom));
    const int height = int(std::lround(1123 * zoom));
    const int left = std::max((usableWidth - width) / 2, kGap);
    return QRect(left, int(std::lround(kGap * zoom)), width, height);
}

double boundedZoom(double zoom)
{
    return std::isnan(zoom) ? 1.0 : std::clamp(zoom, kMinZoom, kMaxZoom);
}

double wholePageZoom(int workspaceHeight, double pageHeight)
{
    if (!(pageHeight > 0))
        return kMinZoom;
    return boundedZoom((workspaceHeight - 26) / pageHeight);
}

double pageWidthZoom(int workspaceWidth, int scrollBarWidth, double pageWidth)
{
    if (!(pageWidth > 0))
        return kMinZoom;
    return boundedZoom((workspaceWidth - scrollBarWidth - 26) / pageWidth);
}

}   // namespace pgx::preview
