#pragma once

#include <QtCore/QList>

namespace pgx::designer {

// How the workspace lines bands up on a page, in report units, without the
// bands themselves: a band is its kind, its top and height, and the band
// that owns it when it is a child band.
struct BandSlot
{
    enum Kind {
        PageHeader,
        ReportTitle,
        ColumnHeader,
        ColumnFooter,
        ReportSummary,
        PageFooter,
        Other
    };
    Kind kind = Other;
    double top = 0;
    double height = 0;
    int owner = -1;   // index of the band whose child this is
};

// The grid the page uses, for the extra space between the top bands, the
// middle and the bottom bands.
enum class GridKind { Pixels, Centimetres, Inches, Dialog, Characters };
double sectionSpace(GridKind grid);

// The bands' order on the page: page header, report title and column
// header first (title before header when asked), column footer, report
// summary and page footer last, the others by their top; equal keys keep
// their order; every child band right after the band that owns it.
QList<int> bandOrder(const QList<BandSlot> &bands, bool titleBeforeHeader);

// The tops of the bands in `order`: the first at the caption height, each
// next one below the previous band, its caption and the gap, on the
// vertical grid, with `sectionSpace` more where the top bands end and where
// the bottom bands begin. Rounded to 8 decimals.
QList<double> bandTops(const QList<BandSlot> &bands, const QList<int> &order, double captionHeight,
                       int gap, double gridStepY, GridKind grid);

}   // namespace pgx::designer
