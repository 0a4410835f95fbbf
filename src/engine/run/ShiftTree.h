#pragma once

#include <QtCore/QList>
#include <QtCore/QRectF>

namespace pgx::engine {

// Which objects of a band move when an object above them grows: each
// object's shift children are the objects directly below it that nothing
// else stands between. Plain geometry, built once per band.
class ShiftTree
{
public:
    enum class Mode { Always, DontShift, WhenOverlapped };
    struct Item
    {
        double top = 0;
        double height = 0;
        double growth = 0;   // how much the object grew when measured
        Mode mode = Mode::Always;
    };

    // `rects` are the band's objects in band order, in band coordinates;
    // `bandWidth` is the width of the band, whose stand-in lies 2 units
    // above its top.
    ShiftTree(const QList<QRectF> &rects, double bandWidth);

    // The objects (by index into `rects`) that move with the band itself.
    const QList<int> &topRow() const { return m_children.front(); }
    const QList<int> &childrenOf(int object) const { return m_children[object + 1]; }

    // Moves the items below grown ones, as their modes say; every growth is
    // consumed (0 afterwards).
    void shift(QList<Item> &items) const;

private:
    void shiftChildren(int node, double offset, QList<Item> &items) const;

    // Index 0 is the band; object i is at i + 1.
    QList<QList<int>> m_children;
};

}   // namespace pgx::engine
