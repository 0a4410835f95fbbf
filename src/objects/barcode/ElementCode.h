#pragma once

// An encoded linear symbol is a string of element codes, one character per
// bar or space: "0"-"3" spaces of widths w1-w4, "5"-"8" full-height bars,
// "A"-"D" short bars (two fifths of the height) of the same widths.

#include <QtCore/QString>

#include <array>
#include <string_view>

namespace pgx::barcode {

// w1 = module, w2 = nint(module x ratio), w3 = w2 x 3 div 2, w4 = w2 x 2,
// in drawing units.
struct ElementWidths
{
    std::array<int, 4> w{1, 2, 3, 4};

    static ElementWidths from(int module, double ratio);
};

enum class ElementKind { Space, Bar, ShortBar };

struct Element
{
    ElementKind kind = ElementKind::Space;
    int width = 0;
};

// The element a code stands for; any other character is the encoder's
// internal error ("TpgxBarcode: internal Error").
Element elementOf(QChar code, const ElementWidths &widths);
// The sum of the widths of every element of `elements`.
int totalWidth(const QString &elements, const ElementWidths &widths);

// Module widths ("211412": bar, space, bar ...) as element codes.
QString fromModuleWidths(std::string_view widths);
// Narrow/wide letters ("NWNNW", bar first) as element codes.
QString fromNarrowWide(std::string_view pattern);

}   // namespace pgx::barcode
