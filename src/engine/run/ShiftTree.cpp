#include "engine/run/ShiftTree.h"

#include <algorithm>
#include <numeric>

namespace pgx::engine {

namespace {

constexpr double kTolerance = 0.0001;

bool overlapX(const QRectF &a, const QRectF &b)
{
    return b.left() < a.right() - kTolerance && b.right() > a.left() + kTolerance;
}

bool overlapY(const QRectF &a, const QRectF &b)
{
    return b.top() < a.bottom() - kTolerance && b.bottom() > a.top() + kTolerance;
}

}   // namespace

ShiftTree::ShiftTree(const QList<QRectF> &rects, double bandWidth)
{
    m_children.resize(rects.size() + 1);
    // Node 0 stands for the band; the order is by top, numerically, ties in
    // band order.
    QList<QRectF> nodes{QRectF(0, -2, bandWidth, 1)};
    nodes.append(rects);
    QList<int> order(rects.size());
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return nodes[a].top() < nodes[b].top(); });
    order.prepend(0);

    for (qsizetype i = 0; i < order.size(); ++i) {
        const QRectF &a = nodes[order[i]];
        for (qsizetype j = i + 1; j < order.size(); ++j) {
            const QRectF &b = nodes[order[j]];
            if (overlapY(a, b) || !(a.top() < b.top()) || !overlapX(a, b))
                continue;
            const double spanLeft = std::max(a.left(), b.left());
            const double spanRight = std::min(a.right(), b.right());
            const QRectF span(spanLeft, 0, spanRight - spanLeft, 1);
            bool blocked = false;
            for (qsizetype k = i + 1; k < j && !blocked; ++k) {
                const QRectF &between = nodes[order[k]];
                blocked = !overlapY(between, a) && !overlapY(between, b)
                    && overlapX(QRectF(between.left(), 0, between.width(), 1), span);
            }
            if (!blocked)
                m_children[order[i]].append(order[j] - 1);
        }
    }
}

void ShiftTree::shift(QList<Item> &items) const
{
    shiftChildren(-1, 0, items);
}

void ShiftTree::shiftChildren(int node, double offset, QList<Item> &items) const
{
    const QList<int> &children = node < 0 ? topRow() : childrenOf(node);
    for (const int c : children) {
        Item &child = items[c];
        double passed = 0;
        switch (child.mode) {
        case Mode::Always:
            child.top += offset;
            passed = offset + child.growth;
            break;
        case Mode::DontShift: passed = offset + child.growth; break;
        case Mode::WhenOverlapped: {
            if (node < 0) {
                passed = child.growth;
                break;
            }
            const double parentBottom = items[node].top + items[node].height;
            if (child.top >= parentBottom) {
                passed = child.growth;
            } else {
                passed = parentBottom - child.top + child.growth;
                child.top = parentBottom;
            }
            break;
        }
        }
        shiftChildren(c, passed, items);
        child.growth = 0;
    }
}

}   // namespace pgx::engine
