#include "designer/workspace/BandArrangement.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace pgx::designer {

double sectionSpace(GridKind grid)
{
    switch (grid) {
    case GridKind::Pixels: return 40;
    case GridKind::Centimetres: return 37.7953;
    case GridKind::Inches: return 38.4;
    case GridKind::Characters: return 17;
    case GridKind::Dialog: return 0;
    }
    return 0;
}

namespace {

double sortKey(const BandSlot &band, bool titleBeforeHeader)
{
    switch (band.kind) {
    case BandSlot::PageHeader: return titleBeforeHeader ? 0.01 : 0;
    case BandSlot::ReportTitle: return titleBeforeHeader ? 0 : 0.01;
    case BandSlot::ColumnHeader: return 0.02;
    case BandSlot::ColumnFooter: return 99999;
    case BandSlot::ReportSummary: return 100000;
    case BandSlot::PageFooter: return 100001;
    case BandSlot::Other: break;
    }
    // As the key is written: two decimals.
    return std::round(std::abs(band.top) * 100) / 100;
}

enum class Section { Top, Middle, Bottom };

Section sectionOf(const QList<BandSlot> &bands, int index)
{
    // A child band belongs where the band owning it does, through chains.
    for (int guard = 0; bands[index].owner >= 0 && guard < bands.size(); ++guard)
        index = bands[index].owner;
    switch (bands[index].kind) {
    case BandSlot::PageHeader:
    case BandSlot::ReportTitle:
    case BandSlot::ColumnHeader: return Section::Top;
    case BandSlot::PageFooter:
    case BandSlot::ReportSummary:
    case BandSlot::ColumnFooter: return Section::Bottom;
    case BandSlot::Other: break;
    }
    return Section::Middle;
}

}   // namespace

QList<int> bandOrder(const QList<BandSlot> &bands, bool titleBeforeHeader)
{
    QList<int> owners;
    for (int i = 0; i < bands.size(); ++i)
        if (bands[i].owner < 0 || bands[i].owner >= bands.size() || bands[i].owner == i)
            owners << i;
    std::stable_sort(owners.begin(), owners.end(), [&](int a, int b) {
        return sortKey(bands[a], titleBeforeHeader) < sortKey(bands[b], titleBeforeHeader);
    });
    // Children after their owners, chains in order; a cycle is not followed.
    QList<int> order;
    QList<bool> placed(bands.size(), false);
    const auto place = [&](int index, auto &&self) -> void {
        if (placed[index])
            return;
        placed[index] = true;
        order << index;
        for (int i = 0; i < bands.size(); ++i)
            if (bands[i].owner == index && i != index)
                self(i, self);
    };
    for (int index : owners)
        place(index, place);
    for (int i = 0; i < bands.size(); ++i)
        if (!placed[i])
            place(i, place);
    return order;
}

QList<double> bandTops(const QList<BandSlot> &bands, const QList<int> &order, double captionHeight,
                       int gap, double gridStepY, GridKind grid)
{
    const double step = gridStepY > 0 ? gridStepY : 1;
    QList<double> tops(bands.size(), 0);
    double previousTop = 0;
    double previousHeight = 0;
    Section previous = Section::Top;
    for (int n = 0; n < order.size(); ++n) {
        const int index = order[n];
        const Section section = sectionOf(bands, index);
        double top = captionHeight;
        if (n > 0) {
            top = std::round((previousTop + previousHeight + captionHeight + gap) / step) * step;
            if ((previous == Section::Top && section != Section::Top)
                || (previous != Section::Bottom && section == Section::Bottom))
                top += sectionSpace(grid);
        }
        top = std::round(top * 1e8) / 1e8;
        tops[index] = top;
        previousTop = top;
        previousHeight = bands[index].height;
        previous = section;
    }
    return tops;
}

}   // namespace pgx::designer
