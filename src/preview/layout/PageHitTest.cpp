#include "preview/layout/PageHitTest.h"

#include "report/bands/Bands.h"
#include "report/component/Units.h"
#include "report/pages/TpgxReportPage.h"
#include "report/views/TpgxView.h"

#include <QtCore/QRectF>

namespace pgx::preview {

PageHit hitTest(const TpgxReportPage &page, int pageIndex, QPointF point)
{
    const bool mirrored = page.mirrorMargins() && pageIndex % 2 == 1;
    const QPointF origin((mirrored ? page.rightMargin() : page.leftMargin()) * kPg01cm,
                         page.topMargin() * kPg01cm);
    const QPointF at = point - origin;
    const auto contains = [&at](const TpgxComponent *object) {
        return QRectF(object->absLeft(), object->absTop(), object->width(), object->height())
            .contains(at);
    };
    PageHit hit;
    const QList<TpgxComponent *> objects = page.allObjects();
    // Drawn in list order: the last drawn lies on top.
    for (auto it = objects.crbegin(); it != objects.crend(); ++it) {
        TpgxComponent *object = *it;
        if (!contains(object))
            continue;
        if (auto *header = qobject_cast<TpgxGroupHeader *>(object)) {
            if (header->drillDown() && !hit.drillHeader)
                hit.drillHeader = header;
        } else if (auto *view = qobject_cast<TpgxView *>(object); view && !hit.view) {
            hit.view = view;
            for (TpgxComponent *parent = view->parentComponent(); parent && !hit.drillHeader;
                 parent = parent->parentComponent())
                if (auto *header = qobject_cast<TpgxGroupHeader *>(parent);
                    header && header->drillDown() && contains(header))
                    hit.drillHeader = header;
        }
    }
    return hit;
}

}   // namespace pgx::preview
