#pragma once

#include "report/text/MemoBox.h"
#include "report/text/TextLayout.h"

namespace pgx::text {

// What a text object measures and splits, from plain inputs: its lines,
// its options and its box. These are the memo's CalcHeight, CalcWidth and
// DrawNextPart.

// The wrapping limit in layout pixels: the text rectangle's width (its
// height for text running along it) at scale 1, or 10,000 units with
// AutoWidth.
double layoutLimit(const TextOptions &options, const MemoBox &box);

// The layout measuring uses.
TextLayout layOutMemo(const QStringList &lines, const TextOptions &options, const MemoBox &box);

// nint(lines x line height + vertical insets); an empty memo measures its
// insets only.
double calcHeight(const QStringList &lines, const TextOptions &options, const MemoBox &box);
// nint(widest line + horizontal insets).
double calcWidth(const QStringList &lines, const TextOptions &options, const MemoBox &box);

// The part of a text that fits the box's height, for splitting a memo
// across pages and for FlowTo.
struct TextPart
{
    TextLayout layout;            // the lines that fit (all of them when all do)
    QString text;                 // the memo's text for them: the source up to the last one
    QString remainingText;        // what did not fit, empty when everything did
    bool lastParaBreak = false;   // the part ends inside a paragraph
    // The empty height below the last whole line (0.0001 for none at
    // all); the box's whole height when not even one line fits.
    double emptyHeight = 0;
};

// Lays out `lines` in `box` and takes the lines that fit: as many as
// floor((text rectangle height + 1) / line height). The remaining text
// starts at the first line that did not fit (without the blank it may
// start with inside a paragraph), behind tags restoring its first
// character's colour and style when tags are allowed.
TextPart takePart(const QStringList &lines, const TextOptions &options, const MemoBox &box);

}   // namespace pgx::text
