#pragma once

#include <QtCore/QPointF>

class TpgxGroupHeader;
class TpgxReportPage;
class TpgxView;

namespace pgx::preview {

// What lies under a point of a built prepared page (report units from the
// paper's corner, as the page is drawn: margins included), the topmost
// object first.
struct PageHit
{
    // A group header with DrillDown that holds the point (or holds the
    // object under it): a click folds or unfolds its group.
    TpgxGroupHeader *drillHeader = nullptr;
    // The first view under the point.
    TpgxView *view = nullptr;
};

// `pageIndex` (0-based) decides the margins: even page numbers of a page
// with MirrorMargins take them swapped, as they are drawn.
PageHit hitTest(const TpgxReportPage &page, int pageIndex, QPointF point);

}   // namespace pgx::preview
