#pragma once

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QVariant>

class TpgxBand;
class TpgxComponent;
class TpgxDataBand;
class TpgxGroupHeader;

namespace pgx {

// What the engine works out about a band for a run: its place in the band
// tree and its counters. Never stored; the engine rebuilds it at the start
// of every run, while the template cannot change (plain pointers).
struct BandRunState
{
    // A data band's detail data bands in order; for a group header the
    // chain of nested group headers, itself first.
    QList<TpgxBand *> subBands;
    TpgxBand *headerBand = nullptr;
    TpgxBand *footerBand = nullptr;
    // The outermost group header of a data band.
    TpgxGroupHeader *groupBand = nullptr;
    int lineCounter = 0;
    int absLineCounter = 0;
    // The height after calculation, for outline positions.
    double calculatedHeight = 0;
    // Objects the band had before the engine added temporary ones; -1 when
    // none were added.
    int initialObjectCount = -1;
    bool crossedByVerticalBands = false;
    // Set while the band prints the part that did not fit on the previous
    // page (scripts read it as Overflow).
    bool overflow = false;
    // Multi-column data bands: the lowest bottom reached in the current row
    // of band columns.
    double columnRowBottom = 0;
    // Group headers: the value of the Condition when the group began, the
    // data rows printed in the group so far, and whether the group's header
    // opened an outline level (which its footer closes).
    QVariant lastGroupValue;
    int groupRows = 0;
    bool groupOutlined = false;

    void clearTree()
    {
        subBands.clear();
        headerBand = nullptr;
        footerBand = nullptr;
        groupBand = nullptr;
        crossedByVerticalBands = false;
        overflow = false;
    }
};

// A report page's top-level data bands for a run, by orientation.
struct PageRunState
{
    QList<TpgxDataBand *> horizontalDataBands;
    QList<TpgxDataBand *> verticalDataBands;
    // Objects of horizontal bands moved into the vertical bands they lie in
    // (the cells), and the band each came from.
    QHash<const TpgxComponent *, TpgxBand *> homeBands;
    QList<TpgxDataBand *> &dataBands(bool vertical)
    {
        return vertical ? verticalDataBands : horizontalDataBands;
    }
};

}   // namespace pgx
