#pragma once

#include "report/text/MemoBox.h"
#include "report/text/TextLayout.h"

#include <QtGui/QTransform>
#include <vector>

namespace pgx::text {

// A layout placed on a device: where every line and every character goes,
// in whole device pixels. Positions are in "text space", whose x axis runs
// along the lines and whose y axis runs down across them; `toDevice` maps
// it onto the device (a rotation for rotated text).
struct PlacedLine
{
    int line = 0;              // index in TextLayout::lines()
    int top = 0;               // y of the line's top
    std::vector<int> x;        // left edge of each character
    std::vector<int> widths;   // device advance of each character
};

struct TextPlacement
{
    DeviceRect objectRect;   // the object, the clip with Clipped
    DeviceRect textRect;
    int width = 0;   // text space: the text rectangle, turned with the text
    int height = 0;
    QTransform toDevice;
    int fontPixelSize = 0;    // pixels per em of the memo font on the device
    double scaleAlong = 1;    // device pixels per report unit along the lines
    double scaleAcross = 1;   // and across them
    std::vector<PlacedLine> lines;
    int textHeight = 0;   // the sum of the line steps
    // The memo's Underlines, in device pixels: one horizontal line across
    // the object at each y.
    std::vector<int> underlineY;
    int underlineWidth = 0;
};

// Places `layout` in `box` on a device. Lines step by the device line
// height; with Wysiwyg the steps add up to the layout height scaled to the
// device and each line's characters to its layout width, the rounding
// differences spread evenly (spreadEvenly), so that a line ends at the same
// place on screen and paper. Then the vertical alignment, and per line the
// horizontal one: left, right, centred, or justified (the free width spread
// over the blanks, a paragraph's last line left - right with right-to-left
// reading). A paragraph's first line is indented by the paragraph gap for
// left and justified text; right-to-left lines run from their right end.
TextPlacement placeText(const TextLayout &layout, const MemoBox &box, const DeviceScale &scale);

}   // namespace pgx::text
