#pragma once

#include "report/component/Units.h"

namespace pgx::text {

// Frame sides as the frame's Typ stores them.
enum FrameSide { kFrameLeft = 1, kFrameRight = 2, kFrameTop = 4, kFrameBottom = 8 };

// A rectangle in whole device pixels (report units at scale 1); right and
// bottom are one past the last pixel, so width() is right - left.
struct DeviceRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const DeviceRect &) const = default;
};

// How report units map to a device: device = offset + scale x units.
struct DeviceScale
{
    double scaleX = 1;
    double scaleY = 1;
    double offsetX = 0;
    double offsetY = 0;
};

// The box a memo's text sits in, in report units: the object's rectangle,
// its gaps and the frame and shadow that take room from the text.
struct MemoBox
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double gapX = 2;
    double gapY = 1;
    int frameSides = 0;   // FrameSide bits
    double frameWidth = 1;
    TColor frameColor = kClBlack;
    bool dropShadow = false;
    double shadowWidth = 4;

    // What the gaps, the frame and the shadow add to the text's height and
    // width: 2 x gap, (frame width - 1) / 2 with a top (left) line, frame
    // width / 2 with a bottom (right) line, the shadow width with a shadow.
    double heightInsets() const;
    double widthInsets() const;

    // The object's rectangle on the device (smaller by the shadow, which is
    // drawn beside it).
    DeviceRect objectRect(const DeviceScale &scale) const;
    // The rectangle the text is laid out and drawn in: the object's,
    // shrunk on each side by the scaled gap and by half the scaled width
    // of each frame line present; right and bottom one pixel further.
    DeviceRect textRect(const DeviceScale &scale) const;
};

}   // namespace pgx::text
