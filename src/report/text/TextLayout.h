#pragma once

#include "report/text/FaceMetrics.h"
#include "report/text/TextOptions.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <array>
#include <vector>

namespace pgx::text {

// Text is laid out at 600 dots per inch, the resolution of the printers the
// format was made for; report units are 96 per inch, so one report unit is
// kLayoutFactor layout pixels. Measuring at this resolution, whatever the
// screen, is what makes a memo wrap at the same word everywhere.
inline constexpr int kLayoutDpi = 600;
inline constexpr double kLayoutFactor = kLayoutDpi / 96.0;

// The pixels per em of a font of `points` at `dpi` (rounded half to even).
int pixelSizeAt(double points, double dpi);

enum ParagraphFlag { kFirstOfParagraph = 1, kLastOfParagraph = 2 };

// One laid-out line.
struct LayoutLine
{
    int begin = 0;             // its first character in TextLayout::text()
    int end = 0;               // one past its last, the hyphen included
    int width = 0;             // layout pixels: the sum of its advances
    int flags = 0;             // ParagraphFlag bits
    bool hyphenated = false;   // ends in a "-" that the source does not have
    int sourceBegin = 0;       // where it starts in TextLayout::source()
    int sourceEnd = 0;         // one past its last source character
};

// A memo's text broken into lines (word wrap, hyphenation, the HTML tag
// subset) at the 600-dpi layout resolution. A plain value: building one
// touches nothing shared but the font cache, so layouts may nest (a script
// measuring text while a layout runs).
class TextLayout
{
public:
    TextLayout() = default;
    // Lays out the memo lines `lines` with `options`, breaking lines longer
    // than `limit` layout pixels (the first line of a paragraph is shorter
    // by the paragraph gap).
    TextLayout(const QStringList &lines, const TextOptions &options, double limit);

    const TextOptions &options() const { return m_options; }
    // The memo lines joined by CR LF, tags included.
    const QString &source() const { return m_source; }
    // The characters of every line, one line after the other.
    const QString &text() const { return m_text; }
    const std::vector<LayoutLine> &lines() const { return m_lines; }
    int lineCount() const { return int(m_lines.size()); }
    QString lineText(int line) const;

    // Per character of text(): its advance in layout pixels and its format.
    int advance(int i) const { return m_advances[size_t(i)]; }
    int formatIndex(int i) const { return m_formatOf[size_t(i)]; }
    const CharFormat &format(int i) const { return m_formats[m_formatOf[size_t(i)]]; }
    const std::vector<CharFormat> &formats() const { return m_formats; }

    // The memo font's height in layout pixels, and the line step in report
    // units: that height at the layout resolution plus the line spacing.
    int fontHeight() const { return m_fontHeight; }
    double lineHeight() const { return m_fontHeight / kLayoutFactor + m_options.lineSpacing; }
    // In report units, the paragraph gap counted on a paragraph's first line.
    double lineWidth(int line) const;
    double widestLine() const;

    // Drops the lines after the first `count`; when the new last line does
    // not end its paragraph, the layout's LastParaBreak is set.
    void keepLines(int count);

private:
    struct Scratch;
    void layOutParagraph(Scratch &s, double limit, bool firstOfText);
    void measure(Scratch &s);
    void addLine(const Scratch &s, int from, int to, bool hyphen, int flags);
    quint16 formatIndexOf(const CharFormat &format);
    const FaceMetrics &faceFor(int style);

    TextOptions m_options;
    QString m_source;
    QString m_text;
    std::vector<int> m_advances;
    std::vector<quint16> m_formatOf;
    std::vector<CharFormat> m_formats;
    std::vector<LayoutLine> m_lines;
    std::array<const FaceMetrics *, 4> m_faces{};   // by bold and italic bits
    int m_pixelSize = 0;
    int m_fontHeight = 0;
    int m_charSpacing = 0;   // layout pixels
};

}   // namespace pgx::text
