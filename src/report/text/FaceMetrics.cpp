#include "report/text/FaceMetrics.h"

#include "platform/format/NumberText.h"

#include <QtCore/QHash>
#include <QtCore/QtEndian>

#include <map>

namespace pgx::text {

const FaceMetrics::Glyph FaceMetrics::kNoGlyph{};

namespace {

// Every face at every size asked for, never released: layout results and
// painters keep plain pointers to them. A process uses a handful.
struct Cache
{
    std::mutex lock;
    std::map<std::pair<QString, int>, std::unique_ptr<FaceMetrics>> faces;
};

Cache &cache()
{
    static Cache *instance = new Cache;   // outlives every static that may still draw
    return *instance;
}

quint16 bigEndian16(const QByteArray &table, int offset)
{
    if (table.size() < offset + 2)
        return 0;
    return qFromBigEndian<quint16>(table.constData() + offset);
}

int scaled(int designUnits, int pixelSize, int unitsPerEm)
{
    return int(format::roundHalfEven(double(designUnits) * pixelSize / unitsPerEm));
}

}   // namespace

const FaceMetrics &FaceMetrics::get(const FontFile &file, int pixelSize)
{
    Cache &c = cache();
    std::lock_guard guard(c.lock);
    auto &slot = c.faces[{file.path, pixelSize}];
    if (!slot)
        slot = std::make_unique<FaceMetrics>(file, pixelSize);
    return *slot;
}

FaceMetrics::FaceMetrics(const FontFile &file, int pixelSize)
    : m_file(file), m_pixelSize(pixelSize),
      m_raw(file.path, qreal(pixelSize), QFont::PreferNoHinting),
      m_pages(new std::atomic<const Page *>[kPages])
{
    for (char32_t i = 0; i < kPages; ++i)
        m_pages[i].store(nullptr, std::memory_order_relaxed);
    const FontFile fallback
        = fallbackFontFile((file.bold ? kBold : 0) | (file.italic ? kItalic : 0));
    // Owned here rather than taken from the cache: get() holds the
    // cache's lock while it builds this face.
    if (fallback.path != file.path)
        m_fallback = std::make_unique<FaceMetrics>(fallback, pixelSize);
    // Heights as the platform's text metrics give them: the Windows ascent
    // and descent of the OS/2 table, each rounded to whole pixels.
    const QByteArray os2 = m_raw.fontTable("OS/2");
    const QByteArray head = m_raw.fontTable("head");
    const int unitsPerEm = bigEndian16(head, 18);
    const int winAscent = bigEndian16(os2, 74);
    const int winDescent = bigEndian16(os2, 76);
    if (unitsPerEm > 0 && winAscent + winDescent > 0) {
        m_ascent = scaled(winAscent, pixelSize, unitsPerEm);
        m_descent = scaled(winDescent, pixelSize, unitsPerEm);
    } else if (m_raw.isValid()) {
        m_ascent = int(format::roundHalfEven(m_raw.ascent()));
        m_descent = int(format::roundHalfEven(m_raw.descent()));
    }
}

FaceMetrics::~FaceMetrics()
{
    for (char32_t i = 0; i < kPages; ++i)
        delete m_pages[i].load(std::memory_order_relaxed);
}

const QRawFont &FaceMetrics::rawFont(bool fallback) const
{
    return fallback && m_fallback ? m_fallback->m_raw : m_raw;
}

const FaceMetrics::Page *FaceMetrics::fillPage(char32_t page) const
{
    std::lock_guard guard(m_fillLock);
    if (const Page *done = m_pages[page].load(std::memory_order_acquire))
        return done;
    auto filled = std::make_unique<Page>();
    if (m_raw.isValid()) {
        // One look-up for the whole page; surrogate code points stay empty.
        QString text;
        std::array<int, 256> offsets{};
        for (char32_t i = 0; i < 256; ++i) {
            char32_t cp = (page << 8) | i;
            if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0))
                cp = u' ';
            offsets[i] = int(text.size());
            if (cp >= 0xD800 && cp < 0xE000)
                offsets[i] = -1;
            else
                text.append(QChar::fromUcs4(cp));
        }
        const QList<quint32> glyphs = m_raw.glyphIndexesForString(text);
        const QList<QPointF> advances = m_raw.advancesForGlyphIndexes(
            glyphs, QRawFont::SeparateAdvances | QRawFont::UseDesignMetrics);
        // glyphIndexesForString gives one glyph per code point.
        for (char32_t i = 0, g = 0; i < 256; ++i) {
            if (offsets[i] < 0)
                continue;
            Glyph &out = (*filled)[i];
            out.index = glyphs.value(qsizetype(g));
            out.advance64 = qint32(format::roundHalfEven(advances.value(qsizetype(g)).x() * 64));
            ++g;
            if (out.index == 0 && m_fallback) {
                const Glyph &other = m_fallback->glyph((page << 8) | i);
                if (other.index != 0) {
                    out = other;
                    out.fallback = true;
                }
            }
        }
    }
    const Page *result = filled.release();
    m_pages[page].store(result, std::memory_order_release);
    return result;
}

}   // namespace pgx::text
