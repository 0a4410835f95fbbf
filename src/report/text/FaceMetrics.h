#pragma once

#include "report/text/FontTable.h"

#include <QtGui/QRawFont>

#include <array>
#include <atomic>
#include <memory>
#include <mutex>

namespace pgx::text {

// A 26.6 fixed-point length rounded to whole pixels, ties to even.
inline int pixelsFrom64(qint64 value64)
{
    qint64 whole = value64 >> 6;
    const qint64 rest = value64 & 63;
    if (rest > 32 || (rest == 32 && (whole & 1)))
        ++whole;
    return int(whole);
}

// One font file at one pixel size (pixels per em): the design metrics the
// layout measures with, read from the file and never hinted, and the raw
// font that draws its glyphs. Instances live for the whole process (the
// cache below), so pointers to them stay valid.
//
// Advances are the font's design advances (its hmtx table through
// QRawFont::UseDesignMetrics, without kerning) at the pixel size, in 1/64
// pixel. The height is the OS/2 table's usWinAscent + usWinDescent scaled
// to the pixel size, each rounded to whole pixels. Characters the face has
// no glyph for are taken from the fallback face (DejaVu Sans) when it has
// one; control characters measure and draw as a blank.
//
// Needs a QGuiApplication (any platform, offscreen included): Qt loads
// raw fonts only through the platform's font database.
class FaceMetrics
{
public:
    struct Glyph
    {
        qint32 advance64 = 0;    // 1/64 pixel
        quint32 index = 0;       // glyph index in its face
        bool fallback = false;   // the glyph is the fallback face's
    };

    // The metrics of `file` at `pixelSize`, loaded on first use. The glyph
    // table fills 256 characters at a time as they are first asked for,
    // under the face's lock; a filled page is read without one.
    static const FaceMetrics &get(const FontFile &file, int pixelSize);

    bool isValid() const { return m_raw.isValid(); }
    const FontFile &file() const { return m_file; }
    int pixelSize() const { return m_pixelSize; }
    int ascent() const { return m_ascent; }
    int descent() const { return m_descent; }
    int height() const { return m_ascent + m_descent; }

    // `codePoint` beyond U+10FFFF, and lone surrogates, give an empty glyph.
    const Glyph &glyph(char32_t codePoint) const
    {
        const char32_t page = codePoint >> 8;
        if (page >= kPages) [[unlikely]]
            return kNoGlyph;
        const Page *p = m_pages[page].load(std::memory_order_acquire);
        if (!p) [[unlikely]]
            p = fillPage(page);
        return (*p)[codePoint & 0xFF];
    }

    // The raw font drawing this face (or, with `fallback`, the fallback
    // face) at this size, loaded from the file.
    const QRawFont &rawFont(bool fallback = false) const;

    FaceMetrics(const FontFile &file, int pixelSize);
    ~FaceMetrics();
    FaceMetrics(const FaceMetrics &) = delete;
    FaceMetrics &operator=(const FaceMetrics &) = delete;

private:
    using Page = std::array<Glyph, 256>;
    static constexpr char32_t kPages = 0x110000 >> 8;
    static const Glyph kNoGlyph;

    const Page *fillPage(char32_t page) const;

    FontFile m_file;
    int m_pixelSize;
    QRawFont m_raw;
    std::unique_ptr<const FaceMetrics> m_fallback;   // none for the fallback face itself
    int m_ascent = 0;
    int m_descent = 0;
    mutable std::mutex m_fillLock;
    mutable std::unique_ptr<std::atomic<const Page *>[]> m_pages;
};

}   // namespace pgx::text
