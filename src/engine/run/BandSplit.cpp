#include "engine/run/TpgxEngine.h"

#include "engine/run/BandPart.h"

#include "prepared/TpgxPreviewPages.h"
#include "report/bands/TpgxBand.h"
#include "report/views/TpgxSubreport.h"
#include "report/views/TpgxView.h"

#include <QtCore/QHash>
#include <QtCore/QSet>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTolerance = 0.0001;

bool overlapsHorizontally(const TpgxComponent *a, const TpgxComponent *b)
{
    return b->left() < a->left() + a->width() - kTolerance
        && b->left() + b->width() > a->left() + kTolerance;
}

}   // namespace

// A band taller than the room left is printed in parts: what fits goes on
// this page, stretchable objects print the lines that fit and continue on
// the next, and everything below an object cut short moves down with it.
void TpgxEngine::splitBand(TpgxBand *band)
{
    QList<TpgxComponent *> work;
    QHash<TpgxComponent *, double> remaining;
    pgx::engine::BandPart part(band->objects());
    for (TpgxComponent *object : band->objects()) {
        if (qobject_cast<TpgxSubreport *>(object) || !object->visible())
            continue;
        work.append(object);
        if (auto *stretching = qobject_cast<TpgxStretcheable *>(object)) {
            stretching->preparePart();
            remaining.insert(object, object->height());
        }
    }
    bool freshColumn = atFreshTop();
    double free = freeSpace();
    while (!work.isEmpty()) {
        QSet<TpgxComponent *> moved;
        QSet<TpgxComponent *> inPart;
        const auto pushDown = [&](TpgxComponent *above, double by) {
            for (TpgxComponent *other : std::as_const(work)) {
                if (other == above || moved.contains(other))
                    continue;
                if (other->top() >= above->top() + above->height()
                    && overlapsHorizontally(above, other)) {
                    other->setTop(other->top() + by);
                    moved.insert(other);
                }
            }
        };
        for (qsizetype i = 0; i < work.size();) {
            TpgxComponent *object = work[i];
            auto *stretching = qobject_cast<TpgxStretcheable *>(object);
            if (object->top() + object->height() <= free) {
                inPart.insert(object);
                if (stretching)
                    stretching->drawNextPart();
                work.removeAt(i);
                continue;
            }
            if (stretching && object->top() < free) {
                object->setHeight(free - object->top());
                const double left = stretching->drawNextPart();
                pushDown(object, left);
                if (std::abs(left - object->height()) < kTolerance) {
                    object->setTop(free);
                    object->setHeight(remaining.value(object));
                } else {
                    inPart.insert(object);
                    remaining[object] -= object->height() - left;
                }
            } else if (!stretching && object->top() < free) {
                pushDown(object, free - object->top());
                object->setTop(free);
            }
            ++i;
        }
        // Nothing fits even on a fresh page or column: what is left is
        // placed as it stands and overflows, instead of breaking for ever.
        if (inPart.isEmpty() && freshColumn) {
            for (TpgxComponent *object : std::as_const(work))
                inPart.insert(object);
            work.clear();
        }

        double bottom = 0;
        for (const TpgxComponent *object : std::as_const(inPart))
            bottom = std::max(bottom, object->top() + object->height());
        band->setHeight(bottom);
        if (work.isEmpty()) {
            for (TpgxComponent *object : std::as_const(inPart)) {
                auto *view = qobject_cast<TpgxView *>(object);
                if (view && view->align() == TpgxComponent::baBottom)
                    object->setTop(bottom - object->height());
                auto *stretching = qobject_cast<TpgxStretcheable *>(object);
                if (stretching && stretching->stretchMode() == TpgxStretcheable::smMaxHeight)
                    object->setHeight(bottom - object->top());
            }
        }
        part.showOnly([&](int, TpgxComponent *object) { return inPart.contains(object); });
        band->setLeft(m_curX);
        band->setTop(m_curY);
        m_pages.addObject(band);
        if (work.isEmpty()) {
            m_curY += band->height();
            break;
        }
        newColumn();
        freshColumn = true;
        for (TpgxComponent *object : std::as_const(work)) {
            object->setTop(object->top() - free);
            if (qobject_cast<TpgxStretcheable *>(object)) {
                if (object->top() < 0)
                    object->setTop(0);
                object->setHeight(remaining.value(object));
            }
        }
        free = freeSpace();
    }
}
