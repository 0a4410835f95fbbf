#pragma once

#include "report/text/MemoBox.h"
#include "report/text/TextLayout.h"
#include "report/text/TextPlacement.h"

class QPainter;

namespace pgx::text {

// Draws a layout with every glyph at the position placeText computed, as
// glyph runs of equal format: transparent, in the characters' colours,
// clipped to the object with Clipped, subscripts lowered by their size,
// and the memo's underlines in the frame's colour and width. Glyphs come
// from the same files the layout measured; the fonts are registered with
// the application so that PDF output embeds them rather than drawing
// outlines.
void drawText(QPainter &painter, const TextLayout &layout, const TextPlacement &placement,
              const MemoBox &box);

// placeText and drawText in one.
void drawText(QPainter &painter, const TextLayout &layout, const MemoBox &box,
              const DeviceScale &scale);

}   // namespace pgx::text
