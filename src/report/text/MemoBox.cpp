#include "report/text/MemoBox.h"

#include "platform/format/NumberText.h"

namespace pgx::text {

namespace {

int nint(double value)
{
    return int(format::roundHalfEven(value));
}

}   // namespace

double MemoBox::heightInsets() const
{
    double insets = 2 * gapY;
    if (frameSides & kFrameTop)
        insets += (frameWidth - 1) / 2;
    if (frameSides & kFrameBottom)
        insets += frameWidth / 2;
    if (dropShadow)
        insets += shadowWidth;
    return insets;
}

double MemoBox::widthInsets() const
{
    double insets = 2 * gapX;
    if (frameSides & kFrameLeft)
        insets += (frameWidth - 1) / 2;
    if (frameSides & kFrameRight)
        insets += frameWidth / 2;
    if (dropShadow)
        insets += shadowWidth;
    return insets;
}

DeviceRect MemoBox::objectRect(const DeviceScale &s) const
{
    DeviceRect r;
    r.left = nint(s.offsetX + s.scaleX * left);
    r.top = nint(s.offsetY + s.scaleY * top);
    r.right = nint(s.offsetX + s.scaleX * (left + width));
    r.bottom = nint(s.offsetY + s.scaleY * (top + height));
    if (dropShadow) {
        r.right -= nint(shadowWidth * s.scaleX);
        r.bottom -= nint(shadowWidth * s.scaleY);
    }
    return r;
}

DeviceRect MemoBox::textRect(const DeviceScale &s) const
{
    DeviceRect r = objectRect(s);
    r.left += nint(s.scaleX * gapX);
    r.right -= nint(s.scaleX * gapX);
    r.top += nint(s.scaleY * gapY);
    r.bottom -= nint(s.scaleY * gapY);
    if (frameSides & kFrameLeft)
        r.left += nint((s.scaleX * frameWidth - 1) / 2);
    if (frameSides & kFrameTop)
        r.top += nint((s.scaleY * frameWidth - 1) / 2);
    if (frameSides & kFrameRight)
        r.right -= nint(s.scaleX * frameWidth / 2);
    if (frameSides & kFrameBottom)
        r.bottom -= nint(s.scaleY * frameWidth / 2);
    ++r.right;
    ++r.bottom;
    return r;
}

}   // namespace pgx::text
