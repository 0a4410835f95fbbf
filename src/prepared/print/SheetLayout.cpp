#include "prepared/print/SheetLayout.h"

#include <algorithm>
#include <cmath>

namespace pgx::prepared {

namespace {

constexpr double kSplitRemainder = 11;   // mm
constexpr double kJoinTolerance = 1;     // mm

bool usable(double length)
{
    return std::isfinite(length) && length > 0;
}

}   // namespace

int splitPieces(double page, double sheet)
{
    if (!usable(page) || !usable(sheet))
        return 1;
    const double whole = std::trunc(page / sheet);
    const int pieces = std::abs(whole * sheet - page) >= kSplitRemainder
        ? int(whole) + 1
        : int(std::nearbyint(page / sheet));
    return std::max(pieces, 1);
}

int joinPieces(double sheet, double page)
{
    if (!usable(page) || !usable(sheet))
        return 1;
    return std::max(1, int(std::floor((sheet + kJoinTolerance) / page)));
}

SheetGrid splitGrid(double pageWidth, double pageHeight, double sheetWidth, double sheetHeight)
{
    const SheetGrid upright{splitPieces(pageWidth, sheetWidth), splitPieces(pageHeight, sheetHeight),
                            false};
    const SheetGrid turned{splitPieces(pageWidth, sheetHeight), splitPieces(pageHeight, sheetWidth),
                           true};
    return turned.columns * turned.rows < upright.columns * upright.rows ? turned : upright;
}

SheetGrid joinGrid(double sheetWidth, double sheetHeight, double pageWidth, double pageHeight)
{
    const SheetGrid upright{joinPieces(sheetWidth, pageWidth), joinPieces(sheetHeight, pageHeight),
                            false};
    const SheetGrid turned{joinPieces(sheetHeight, pageWidth), joinPieces(sheetWidth, pageHeight),
                           true};
    return turned.columns * turned.rows > upright.columns * upright.rows ? turned : upright;
}

double scaleToSheet(double pageWidth, double pageHeight, double sheetWidth, double sheetHeight)
{
    if (!usable(pageWidth) || !usable(pageHeight) || !usable(sheetWidth) || !usable(sheetHeight))
        return 1;
    return std::min(sheetWidth / pageWidth, sheetHeight / pageHeight);
}

}   // namespace pgx::prepared
