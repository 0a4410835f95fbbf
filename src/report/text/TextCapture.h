#pragma once

#include <QtCore/QList>
#include <QtCore/QRectF>
#include <QtCore/QString>

#include <utility>

class QTransform;

namespace pgx::text {

class TextLayout;
struct TextPlacement;

// One line as drawText placed it (blank lines left out): its characters
// (the hyphen it was given included) and its box, from the line's top to its bottom (the memo
// font's ascent and descent) and from its first character's left edge to
// its last one's advance, in the painter's device coordinates.
struct CapturedLine
{
    QString text;
    QRectF rect;
};

// Glyph runs leave no characters in a paint device, so whatever needs to
// know what a page says (text search) draws it with a capture alive:
// drawText, on the thread that made the capture, reports every line it
// draws to the innermost capture alive. Without one, drawText pays one
// pointer test. Captures nest strictly (they live on the stack).
class TextCapture
{
public:
    TextCapture();
    ~TextCapture();
    TextCapture(const TextCapture &) = delete;
    TextCapture &operator=(const TextCapture &) = delete;

    const QList<CapturedLine> &lines() const { return m_lines; }
    QList<CapturedLine> takeLines() { return std::exchange(m_lines, {}); }

    // The capture drawText reports to on this thread; null when none.
    static TextCapture *current() { return tCurrent; }

    // drawText's report: the placed lines of `layout`, mapped through
    // `toDevice` (the painter's transform from text space to the device).
    void record(const TextLayout &layout, const TextPlacement &placement,
                const QTransform &toDevice);

private:
    static inline constinit thread_local TextCapture *tCurrent = nullptr;

    TextCapture *m_outer;
    QList<CapturedLine> m_lines;
};

}   // namespace pgx::text
