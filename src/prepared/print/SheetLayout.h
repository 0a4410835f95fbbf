#pragma once

namespace pgx::prepared {

// How many sheets of length `sheet` a page of length `page` needs when split:
// a remainder of less than 11 mm is not worth a sheet of its own.
int splitPieces(double page, double sheet);

// How many pages of length `page` fit whole on a sheet of length `sheet`,
// at least one; a page up to 1 mm too long still counts as fitting.
int joinPieces(double sheet, double page);

// Pieces across and down, and whether the sheet is turned to landscape.
struct SheetGrid
{
    int columns = 1;
    int rows = 1;
    bool landscape = false;
    bool operator==(const SheetGrid &) const = default;
};

// A big page over several sheets of (sheetWidth x sheetHeight, portrait):
// the sheet is turned when that needs fewer sheets.
SheetGrid splitGrid(double pageWidth, double pageHeight, double sheetWidth, double sheetHeight);

// Small pages side by side on one sheet: the sheet is turned when that
// holds more pages.
SheetGrid joinGrid(double sheetWidth, double sheetHeight, double pageWidth, double pageHeight);

// The one factor that scales a page onto a sheet, keeping its proportions:
// the smaller of the two directions.
double scaleToSheet(double pageWidth, double pageHeight, double sheetWidth, double sheetHeight);

}   // namespace pgx::prepared
