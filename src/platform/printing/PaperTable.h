#pragma once

#include <array>
#include <string_view>

namespace pgx {

// The platform paper code of a size that is not in the table; pages store
// their own width and height with it.
inline constexpr int kCustomPaper = 256;
// The paper every new page and the virtual printer start with (A4).
inline constexpr int kDefaultPaper = 9;

// One row of the table of standard papers. Sizes are tenths of a millimetre,
// portrait as the platform's paper codes define them (a few codes, such as 4
// and 35, are wider than tall by definition).
struct TPaperInfo
{
    int code;
    std::string_view name;   // empty in every row: printers supply the names
    int width;
    int height;
};

// The paper codes templates store. Codes 48 and 49 were never assigned and
// 256 is the custom size, so neither appears here.
inline constexpr std::array<TPaperInfo, 66> kPaperTable{{
    {1, "", 2159, 2794},  {2, "", 2159, 2794},   {3, "", 2794, 4318},  {4, "", 4318, 2794},
    {5, "", 2159, 3556},  {6, "", 1397, 2159},   {7, "", 1842, 2667},  {8, "", 2970, 4200},
    {9, "", 2100, 2970},  {10, "", 2100, 2970},  {11, "", 1480, 2100}, {12, "", 2500, 3540},
    {13, "", 1820, 2570}, {14, "", 2159, 3302},  {15, "", 2150, 2750}, {16, "", 2540, 3556},
    {17, "", 2794, 4318}, {18, "", 2159, 2794},  {19, "", 984, 2254},  {20, "", 1048, 2413},
    {21, "", 1143, 2635}, {22, "", 1207, 2794},  {23, "", 1270, 2921}, {24, "", 4318, 5588},
    {25, "", 5588, 8636}, {26, "", 8636, 11176}, {27, "", 1100, 2200}, {28, "", 1620, 2290},
    {29, "", 3240, 4580}, {30, "", 2290, 3240},  {31, "", 1140, 1620}, {32, "", 1140, 2290},
    {33, "", 2500, 3530}, {34, "", 1760, 2500},  {35, "", 1760, 1250}, {36, "", 1100, 2300},
    {37, "", 984, 1905},  {38, "", 920, 1651},   {39, "", 3778, 2794}, {40, "", 2159, 3048},
    {41, "", 2159, 3302}, {42, "", 2500, 3530},  {43, "", 1000, 1480}, {44, "", 2286, 2794},
    {45, "", 2540, 2794}, {46, "", 3810, 2794},  {47, "", 2200, 2200}, {50, "", 2355, 3048},
    {51, "", 2355, 3810}, {52, "", 2969, 4572},  {53, "", 2354, 3223}, {54, "", 2101, 2794},
    {55, "", 2100, 2970}, {56, "", 2355, 3048},  {57, "", 2270, 3560}, {58, "", 3050, 4870},
    {59, "", 2159, 3223}, {60, "", 2100, 3300},  {61, "", 1480, 2100}, {62, "", 1820, 2570},
    {63, "", 3220, 4450}, {64, "", 1740, 2350},  {65, "", 2010, 2760}, {66, "", 4200, 5940},
    {67, "", 2970, 4200}, {68, "", 3220, 4450},
}};
static_assert(kPaperTable.size() == 66, "the paper table has 66 rows");

namespace detail {
constexpr bool paperTableIsWellFormed()
{
    int previous = 0;
    for (const TPaperInfo &row : kPaperTable) {
        if (row.code <= previous || row.code == 48 || row.code == 49 || row.code >= kCustomPaper)
            return false;
        if (row.width <= 0 || row.height <= 0 || !row.name.empty())
            return false;
        previous = row.code;
    }
    return true;
}
}   // namespace detail
// Ascending unique codes keep "first row with that code" and "table order"
// the same thing; the custom code must never be found in the table.
static_assert(detail::paperTableIsWellFormed(),
              "paper codes ascend, skip 48/49 and stay below 256");

// Width and height in millimetres, portrait, of the first row with that code;
// false (and the outputs untouched) for any code not in the table, 256 included.
bool lookUpPaperSize(int code, double &width, double &height);

// How far (in millimetres, each side) a driver's media size may lie from a
// table row and still count as that paper: drivers round inch sizes to whole
// hundredths of a millimetre and some to whole millimetres.
inline constexpr double kPaperSizeTolerance = 1.0;

// The paper code for a sheet of the given size in millimetres: the table row
// closest to it within the tolerance (the first such row on a tie), compared
// in the orientation given; kCustomPaper when no row fits.
int paperCodeForSize(double width, double height);

}   // namespace pgx
