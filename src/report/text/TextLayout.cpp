#include "report/text/TextLayout.h"

#include "platform/format/NumberText.h"
#include "report/text/HtmlTags.h"
#include "report/text/Hyphenation.h"

#include <algorithm>

namespace pgx::text {

namespace {

int nint(double value)
{
    return int(format::roundHalfEven(value));
}

bool isBlank(QChar c)
{
    return c == u' ';
}

}   // namespace

int pixelSizeAt(double points, double dpi)
{
    return nint(points * dpi / 72);
}

// One memo line while it is broken: its characters without tags, their
// formats, where each came from in the source, and their advances.
struct TextLayout::Scratch
{
    QString plain;
    std::vector<CharFormat> formats;
    std::vector<int> sources;
    std::vector<int> advances;
    bool blankOnly = false;   // an empty memo line, laid out as one blank
};

TextLayout::TextLayout(const QStringList &lines, const TextOptions &options, double limit)
    : m_options(options)
{
    m_pixelSize = pixelSizeAt(options.font.size, kLayoutDpi);
    m_fontHeight = faceFor(options.font.style).height();
    m_charSpacing = nint(options.charSpacing * kLayoutFactor);
    m_source = lines.join(QLatin1String("\r\n"));
    m_text.reserve(m_source.size() + 8);
    m_advances.reserve(size_t(m_source.size()) + 8);
    m_formatOf.reserve(size_t(m_source.size()) + 8);
    m_formats.push_back(options.font.format());

    HtmlTagParser tags(options.font.format());
    Scratch s;
    int offset = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        s.plain.clear();
        s.formats.clear();
        s.sources.clear();
        if (options.allowHtmlTags) {
            tags.parseLine(line, offset, s.plain, s.formats, s.sources);
        } else {
            s.plain = line;
            s.sources.resize(size_t(line.size()));
            for (int k = 0; k < int(line.size()); ++k)
                s.sources[size_t(k)] = offset + k;
        }
        s.blankOnly = s.plain.isEmpty();
        if (s.blankOnly) {
            s.plain = QStringLiteral(" ");
            s.sources.assign(1, offset);
            if (options.allowHtmlTags)
                s.formats.assign(1, tags.current());
        }
        measure(s);
        layOutParagraph(s, limit, i == 0);
        offset += int(line.size()) + 2;
    }
    if (!m_lines.empty()) {
        if (options.firstParaBreak)
            m_lines.front().flags &= ~kFirstOfParagraph;
        if (options.lastParaBreak)
            m_lines.back().flags &= ~kLastOfParagraph;
    }
}

const FaceMetrics &TextLayout::faceFor(int style)
{
    const int slot = style & (kBold | kItalic);
    const FaceMetrics *&face = m_faces[size_t(slot)];
    if (!face)
        face = &FaceMetrics::get(fontFileFor(m_options.font.name, slot), m_pixelSize);
    return *face;
}

quint16 TextLayout::formatIndexOf(const CharFormat &format)
{
    // Usually one format; a memo with tags has a handful.
    for (size_t i = 0; i < m_formats.size(); ++i)
        if (m_formats[i] == format)
            return quint16(i);
    m_formats.push_back(format);
    return quint16(m_formats.size() - 1);
}

// The advance of a character is the difference of the rounded extents of
// the line up to it and up to the one before, so that the advances of a
// line add up to its rounded extent whatever the fractions; plus the
// character spacing, and for the small characters of <sub> and <sup> two
// thirds of that.
void TextLayout::measure(Scratch &s)
{
    const qsizetype n = s.plain.size();
    s.advances.resize(size_t(n));
    const bool formatted = !s.formats.empty();
    const FaceMetrics *face = &faceFor(m_options.font.style);
    const int defaultSize = m_options.font.size;
    qint64 extent64 = 0;
    int extent = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = s.plain[i];
        if (c.isLowSurrogate() && i > 0 && s.plain[i - 1].isHighSurrogate()) {
            s.advances[size_t(i)] = 0;   // the pair measured with its first half
            continue;
        }
        char32_t codePoint = c.unicode();
        if (c.isHighSurrogate() && i + 1 < n && s.plain[i + 1].isLowSurrogate())
            codePoint = QChar::surrogateToUcs4(c, s.plain[i + 1]);
        if (formatted)
            face = &faceFor(s.formats[size_t(i)].style);
        extent64 += face->glyph(codePoint).advance64;
        const int next = pixelsFrom64(extent64);
        int advance = next - extent + m_charSpacing;
        extent = next;
        if (formatted && s.formats[size_t(i)].size != defaultSize)
            advance = nint(advance / 1.5);
        s.advances[size_t(i)] = advance;
    }
}

// Word wrap of one memo line. Without wrapping, for a single character, or
// when the whole line fits, it is one line. Otherwise the characters are
// walked remembering the last blank; at the first character that takes the
// line past the limit the line ends at that blank, which is dropped. With
// WordBreak the word after the blank may be hyphenated instead. A line
// without a blank is cut before the character that did not fit (a single
// such character forming a line of its own), or hyphenated with WordBreak.
void TextLayout::layOutParagraph(Scratch &s, double limit, bool firstOfText)
{
    const int n = int(s.plain.size());
    // A paragraph's first line is indented by the paragraph gap; not the
    // text's first line when it continues a paragraph of a previous part,
    // which is drawn without the indent.
    const bool indented = !(firstOfText && m_options.firstParaBreak);
    const double firstLimit = indented ? limit - m_options.paragraphGap * kLayoutFactor : limit;
    const size_t firstLine = m_lines.size();

    qint64 total = 0;
    for (int a : s.advances)
        total += a;
    if (!m_options.wordWrap || n == 1 || double(total) < firstLimit) {
        addLine(s, 0, n, false, 0);
    } else {
        int start = 0;
        double lineLimit = firstLimit;
        while (start < n) {
            qint64 width = 0;
            int lastBlank = -1;
            int i = start;
            for (; i < n; ++i) {
                width += s.advances[size_t(i)];
                if (double(width) > lineLimit)
                    break;
                if (isBlank(s.plain[i]) && i > start)
                    lastBlank = i;
            }
            if (i == n) {
                addLine(s, start, n, false, 0);
                break;
            }
            const int blank = isBlank(s.plain[i]) && i > start ? i : lastBlank;
            // The word a hyphen may break: it starts at `wordStart`, and
            // `i` - wordStart of its letters fitted.
            const int wordStart = blank >= 0 ? blank + 1 : start;
            int hyphenAt = 0;
            if (m_options.wordBreak && i > wordStart) {
                const QStringView word = hyphenationWord(QStringView(s.plain).mid(wordStart));
                if (wordStart + int(word.size()) > i)
                    hyphenAt = hyphenationPoint(word, i - wordStart);
            }
            if (hyphenAt > 0) {
                addLine(s, start, wordStart + hyphenAt, true, 0);
                start = wordStart + hyphenAt;
            } else if (blank >= 0) {
                addLine(s, start, blank, false, 0);
                start = blank + 1;
            } else if (i == start) {
                addLine(s, start, start + 1, false, 0);
                start = start + 1;
            } else {
                addLine(s, start, i, false, 0);
                start = i;
            }
            lineLimit = limit;
        }
    }
    m_lines[firstLine].flags |= kFirstOfParagraph;
    m_lines.back().flags |= kLastOfParagraph;
}

void TextLayout::addLine(const Scratch &s, int from, int to, bool hyphen, int flags)
{
    LayoutLine line;
    line.begin = int(m_text.size());
    line.flags = flags;
    line.hyphenated = hyphen;
    m_text.append(QStringView(s.plain).mid(from, to - from));
    const bool formatted = !s.formats.empty();
    qint64 width = 0;
    for (int i = from; i < to; ++i) {
        width += s.advances[size_t(i)];
        m_advances.push_back(s.advances[size_t(i)]);
        m_formatOf.push_back(formatted ? formatIndexOf(s.formats[size_t(i)]) : 0);
    }
    if (hyphen) {
        // The hyphen takes the format of the letter before it.
        const CharFormat &format = formatted ? s.formats[size_t(to - 1)] : m_formats.front();
        int advance = pixelsFrom64(faceFor(format.style).glyph(u'-').advance64) + m_charSpacing;
        if (format.size != m_options.font.size)
            advance = nint(advance / 1.5);
        m_text.append(QLatin1Char('-'));
        m_advances.push_back(advance);
        m_formatOf.push_back(formatted ? formatIndexOf(format) : 0);
        width += advance;
    }
    line.end = int(m_text.size());
    line.width = int(width);
    if (s.blankOnly) {
        line.sourceBegin = line.sourceEnd = s.sources.front();
    } else {
        line.sourceBegin = s.sources[size_t(from)];
        line.sourceEnd = to > from ? s.sources[size_t(to - 1)] + 1 : line.sourceBegin;
    }
    m_lines.push_back(line);
}

QString TextLayout::lineText(int line) const
{
    const LayoutLine &l = m_lines[size_t(line)];
    return m_text.mid(l.begin, l.end - l.begin);
}

double TextLayout::lineWidth(int line) const
{
    const LayoutLine &l = m_lines[size_t(line)];
    return l.width / kLayoutFactor + ((l.flags & kFirstOfParagraph) ? m_options.paragraphGap : 0.0);
}

void TextLayout::keepLines(int count)
{
    if (count >= lineCount())
        return;
    const int end = count > 0 ? m_lines[size_t(count - 1)].end : 0;
    m_lines.resize(size_t(count));
    m_text.truncate(end);
    m_advances.resize(size_t(end));
    m_formatOf.resize(size_t(end));
    if (count > 0 && !(m_lines.back().flags & kLastOfParagraph))
        m_options.lastParaBreak = true;
}

double TextLayout::widestLine() const
{
    double widest = 0;
    for (int i = 0; i < lineCount(); ++i)
        widest = std::max(widest, lineWidth(i));
    return widest;
}

}   // namespace pgx::text
