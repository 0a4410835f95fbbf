#pragma once

#include "report/component/Units.h"

#include <QtCore/QString>

namespace pgx::text {

// What one character is drawn with: the memo's font changed by the HTML
// tags before it.
struct CharFormat
{
    int size = 10;             // points
    int style = 0;             // FontStyleBit
    TColor color = kClBlack;   // the font colour, 0x00BBGGRR or a system colour
    bool lowered = false;      // subscript: drawn lower by its size

    bool operator==(const CharFormat &) const = default;
};

// The memo's font as the layout needs it.
struct FontSpec
{
    QString name = QStringLiteral("Arial");
    int size = 10;   // points
    int style = 0;   // FontStyleBit
    TColor color = kClBlack;

    CharFormat format() const { return CharFormat{size, style, color, false}; }
};

// Horizontal and vertical alignment, in the order of the memo's HAlign and
// VAlign values.
enum class HAlign { Left, Right, Center, Block };
enum class VAlign { Top, Bottom, Center };

// Everything a memo's text is laid out and drawn with, apart from the
// text and the box: plain values, so that anything (the memo view, a tool,
// a test) can lay out text.
struct TextOptions
{
    FontSpec font;
    bool wordWrap = true;
    bool wordBreak = false;   // hyphenate Russian words
    bool allowHtmlTags = false;
    bool autoWidth = false;   // measure without a wrapping limit
    bool wysiwyg = true;      // device positions follow the 600-dpi layout
    bool clipped = true;
    bool rtlReading = false;
    bool underlines = false;
    int rotation = 0;   // degrees, any sign
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    double lineSpacing = 2;    // report units
    double charSpacing = 0;    // report units
    double paragraphGap = 0;   // report units, first-line indent
    // The text continues a paragraph of a previous part / is continued in
    // the next part.
    bool firstParaBreak = false;
    bool lastParaBreak = false;

    // Rotation in 0..359.
    int normalizedRotation() const { return ((rotation % 360) + 360) % 360; }
    // Lines run along the box's height (rotations 90-179 and 270-359).
    bool runsAlongHeight() const
    {
        const int r = normalizedRotation();
        return (r >= 90 && r < 180) || r >= 270;
    }
};

}   // namespace pgx::text
