// Line breaking in Courier New (Liberation Mono), where every character is
// 1229 units wide: 49.8 pixels at 10 points and 600 dpi. A memo 83 units
// wide has a text rectangle of 80 units, 500 pixels: ten characters fit
// (498 pixels), eleven do not (548).

#include "TextTestSupport.h"

#include <gtest/gtest.h>

namespace pgx::test {
namespace {

using namespace pgx::text;

constexpr double kTenCharacters = 83;

TextOptions mono()
{
    TextOptions o;
    o.font.name = QStringLiteral("Courier New");
    return o;
}

struct BreakCase
{
    const char *what;
    QStringList lines;
    QStringList expected;
    std::vector<int> flags;   // paragraph flags per line; empty: not checked
    TextOptions options = mono();
    double width = kTenCharacters;
};

TextOptions with(void (*change)(TextOptions &))
{
    TextOptions o = mono();
    change(o);
    return o;
}

TEST_F(TextTest, LineBreaking)
{
    const BreakCase cases[] = {
        {"breaks at the last blank, which is dropped",
         {QStringLiteral("aaaa bbbb cccc")},
         {QStringLiteral("aaaa bbbb"), QStringLiteral("cccc")},
         {kFirstOfParagraph, kLastOfParagraph}},
        {"a blank that does not fit ends the line",
         {QStringLiteral("aaaaaaaaaa bbb")},
         {QStringLiteral("aaaaaaaaaa"), QStringLiteral("bbb")},
         {}},
        {"only one blank is dropped",
         {QStringLiteral("aaaaaaaaaa  bbb")},
         {QStringLiteral("aaaaaaaaaa"), QStringLiteral(" bbb")},
         {}},
        {"a line without blanks is cut before the character that did not fit",
         {QStringLiteral("abcdefghijklmno")},
         {QStringLiteral("abcdefghij"), QStringLiteral("klmno")},
         {}},
        {"exactly ten characters are one line",
         {QStringLiteral("abcdefghij")},
         {QStringLiteral("abcdefghij")},
         {}},
        {"without word wrap nothing breaks",
         {QStringLiteral("aaaa bbbb cccc")},
         {QStringLiteral("aaaa bbbb cccc")},
         {kFirstOfParagraph | kLastOfParagraph},
         with([](TextOptions &o) { o.wordWrap = false; })},
        {"a character wider than the memo is a line of its own",
         {QStringLiteral("abc")},
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
         {},
         mono(),
         3},
        {"a single character never breaks",
         {QStringLiteral("W")},
         {QStringLiteral("W")},
         {},
         mono(),
         3},
        {"every memo line is a paragraph; an empty one is a blank",
         {QStringLiteral("aaaa bbbb cccc"), QString(), QStringLiteral("dd")},
         {QStringLiteral("aaaa bbbb"), QStringLiteral("cccc"), QStringLiteral(" "),
          QStringLiteral("dd")},
         {kFirstOfParagraph, kLastOfParagraph, kFirstOfParagraph | kLastOfParagraph,
          kFirstOfParagraph | kLastOfParagraph}},
        {"the paragraph gap shortens a paragraph's first line (16 units: 100 pixels)",
         {QStringLiteral("aaaa bbbb cccc")},
         {QStringLiteral("aaaa"), QStringLiteral("bbbb cccc")},
         {kFirstOfParagraph, kLastOfParagraph},
         with([](TextOptions &o) { o.paragraphGap = 16; })},
        {"continuing a paragraph, the first line is neither indented nor shortened",
         {QStringLiteral("aaaa bbbb cccc")},
         {QStringLiteral("aaaa bbbb"), QStringLiteral("cccc")},
         {0, kLastOfParagraph},
         with([](TextOptions &o) {
             o.paragraphGap = 16;
             o.firstParaBreak = true;
         })},
        {"continued in the next part, the last line does not end its paragraph",
         {QStringLiteral("aaaa bbbb cccc")},
         {QStringLiteral("aaaa bbbb"), QStringLiteral("cccc")},
         {kFirstOfParagraph, 0},
         with([](TextOptions &o) { o.lastParaBreak = true; })},
        {"character spacing widens every character (8 units: 50 pixels)",
         {QStringLiteral("abcdefghij")},
         {QStringLiteral("abcde"), QStringLiteral("fghij")},
         {},
         with([](TextOptions &o) { o.charSpacing = 8; })},
        {"word break hyphenates at the best point that fitted",
         {QStringLiteral("ааа программирование")},
         {QStringLiteral("ааа прог-"), QStringLiteral("раммирова-"), QStringLiteral("ние")},
         {kFirstOfParagraph, 0, kLastOfParagraph},
         with([](TextOptions &o) { o.wordBreak = true; })},
        {"without word break the same word is cut",
         {QStringLiteral("ааа программирование")},
         {QStringLiteral("ааа"), QStringLiteral("программир"), QStringLiteral("ование")},
         {}},
        {"a word that fitted whole is not hyphenated",
         {QStringLiteral("ааа слово,другое")},
         {QStringLiteral("ааа"), QStringLiteral("слово,друг"), QStringLiteral("ое")},
         {},
         with([](TextOptions &o) { o.wordBreak = true; })},
        {"a word without a break point falls back to the ordinary rules",
         {QStringLiteral("ааа computerized")},
         {QStringLiteral("ааа"), QStringLiteral("computeriz"), QStringLiteral("ed")},
         {},
         with([](TextOptions &o) { o.wordBreak = true; })},
        {"auto width never wraps",
         {QStringLiteral("aaaa bbbb cccc dddd eeee ffff")},
         {QStringLiteral("aaaa bbbb cccc dddd eeee ffff")},
         {},
         with([](TextOptions &o) { o.autoWidth = true; })},
        {"rotated by 90 degrees, lines run along the height (100: 97 units, 12 characters)",
         {QStringLiteral("aaaa bbbb cccc")},
         {QStringLiteral("aaaa bbbb"), QStringLiteral("cccc")},
         {},
         with([](TextOptions &o) { o.rotation = 450; }),
         30},
    };
    for (const BreakCase &c : cases) {
        MemoBox b = box(c.width, 100);
        const TextLayout layout = layOutMemo(c.lines, c.options, b);
        EXPECT_EQ(lineTexts(layout), c.expected) << c.what;
        if (!c.flags.empty()) {
            std::vector<int> flags;
            for (const LayoutLine &line : layout.lines())
                flags.push_back(line.flags);
            EXPECT_EQ(flags, c.flags) << c.what;
        }
    }
}

TEST_F(TextTest, AdvancesAddUpToTheRoundedExtent)
{
    // 49.8 pixels a character: the advances alternate 50 and 49 so that
    // every prefix ends where its exact extent rounds to.
    const TextLayout layout = layOutMemo({QStringLiteral("abcdefghij")}, mono(), box(200));
    int extent = 0;
    for (int i = 0; i < 10; ++i) {
        extent += layout.advance(i);
        EXPECT_EQ(extent, int(std::lround(1229.0 * 83 / 2048 * (i + 1)))) << i;
    }
    EXPECT_EQ(layout.lines().front().width, 498);
}

TEST_F(TextTest, LongTextsAndOtherScripts)
{
    // Far beyond 32,768 characters on one line, and characters outside
    // the basic plane (one advance for the pair) or missing from the
    // face (taken from DejaVu Sans).
    const QString longLine = QString(40000, QLatin1Char('x'));
    TextOptions o = mono();
    o.wordWrap = false;
    const TextLayout layout = layOutMemo({longLine}, o, box(100));
    ASSERT_EQ(layout.lineCount(), 1);
    EXPECT_EQ(layout.lineText(0).size(), 40000);
    EXPECT_GT(layout.lines().front().width, 40000 * 49);

    const QString pair = QString::fromUcs4(U"\U0001D400");   // mathematical bold A
    const TextLayout astral = layOutMemo({pair}, TextOptions(), box(100));
    EXPECT_GT(astral.advance(0), 0);
    EXPECT_EQ(astral.advance(1), 0);

    const FaceMetrics &sans = FaceMetrics::get(fontFileFor(QStringLiteral("Arial"), 0), 83);
    EXPECT_TRUE(sans.glyph(U'\u2654').fallback);   // a chess king
    EXPECT_GT(sans.glyph(U'\u2654').advance64, 0);
    EXPECT_FALSE(sans.glyph(U'A').fallback);
    // Control characters measure as a blank.
    EXPECT_EQ(sans.glyph(U'\t').advance64, sans.glyph(U' ').advance64);
}

}   // namespace
}   // namespace pgx::test
