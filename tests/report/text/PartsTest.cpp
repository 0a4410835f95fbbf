// Splitting a memo into the part that fits a height and the text that
// remains. Liberation Sans 10 pt has a line height of 16.88 units; a memo
// of height H has a text rectangle H - 1 high, and (H - 1 + 1) / 16.88
// lines fit. Courier New (Liberation Mono, 69 + 25 pixels high) has lines
// of 17.04 units, and ten characters fit 83 units.

#include "TextTestSupport.h"

#include <gtest/gtest.h>

namespace pgx::test {
namespace {

using namespace pgx::text;

const QStringList kFox{QStringLiteral("The quick brown fox jumps over the lazy dog")};

TextOptions mono()
{
    TextOptions o;
    o.font.name = QStringLiteral("Courier New");
    return o;
}

struct PartCase
{
    const char *what;
    QStringList lines;
    double width;
    double height;
    TextOptions options;
    QStringList partLines;
    const char *text;
    const char *remaining;
    bool lastParaBreak;
    double emptyHeight;
};

TEST_F(TextTest, TakingTheLinesThatFit)
{
    TextOptions tags = mono();
    tags.allowHtmlTags = true;
    TextOptions hyphens = mono();
    hyphens.wordBreak = true;
    TextOptions exact;   // line height exactly 14.88 + 1.12 = 16
    exact.lineSpacing = 1.12;
    TextOptions flat;   // 14.88 - 14.88
    flat.lineSpacing = -14.88;
    const PartCase cases[] = {
        {"two of four lines fit in 36 units, the paragraph continues",
         kFox,
         100,
         36,
         TextOptions(),
         {QStringLiteral("The quick"), QStringLiteral("brown fox jumps")},
         "The quick brown fox jumps",
         "over the lazy dog",
         true,
         36 - 2 * 16.88},
        {"everything fits",
         kFox,
         150,
         36,
         TextOptions(),
         {QStringLiteral("The quick brown fox"), QStringLiteral("jumps over the lazy dog")},
         "The quick brown fox jumps over the lazy dog",
         "",
         false,
         36 - 2 * 16.88},
        {"a part ending with its paragraph",
         {QStringLiteral("one"), QStringLiteral("two")},
         100,
         19,
         TextOptions(),
         {QStringLiteral("one")},
         "one",
         "two",
         false,
         19 - 16.88},
        {"not even one line fits: the whole height is empty",
         kFox,
         100,
         10,
         TextOptions(),
         {},
         "",
         "The quick brown fox jumps over the lazy dog",
         false,
         10},
        {"an exact fit leaves a token height",
         kFox,
         100,
         32,
         exact,
         {QStringLiteral("The quick"), QStringLiteral("brown fox jumps")},
         "The quick brown fox jumps",
         "over the lazy dog",
         true,
         0.0001},
        {"the remaining text loses the blank it starts with inside a paragraph",
         {QStringLiteral("aaaaaaaaaa  bbbb")},
         83,
         19,
         mono(),
         {QStringLiteral("aaaaaaaaaa")},
         "aaaaaaaaaa",
         "bbbb",
         true,
         19 - 17.04},
        {"tags restore the style of the first character that remains",
         {QStringLiteral("<b>aaaa bbbb</b> <i>cc</i>")},
         83,
         19,
         tags,
         {QStringLiteral("aaaa bbbb")},
         "<b>aaaa bbbb",
         "<font color=\"#000000\"><i>cc</i>",
         true,
         19 - 17.04},
        {"a hyphenated part ends in its hyphen",
         {QStringLiteral("ааа программирование")},
         83,
         19,
         hyphens,
         {QStringLiteral("ааа прог-")},
         "ааа прог-",
         "раммирование",
         true,
         19 - 17.04},
        {"later paragraphs go with the remaining text",
         {QStringLiteral("aaaa bbbb cccc"), QStringLiteral("dd")},
         83,
         19,
         mono(),
         {QStringLiteral("aaaa bbbb")},
         "aaaa bbbb",
         "cccc\r\ndd",
         true,
         19 - 17.04},
        {"an empty memo", {}, 100, 36, TextOptions(), {}, "", "", false, 36},
        {"lines without height all fit",
         kFox,
         100,
         36,
         flat,
         {QStringLiteral("The quick"), QStringLiteral("brown fox jumps"),
          QStringLiteral("over the lazy"), QStringLiteral("dog")},
         "The quick brown fox jumps over the lazy dog",
         "",
         false,
         36},
    };
    for (const PartCase &c : cases) {
        const TextPart part = takePart(c.lines, c.options, box(c.width, c.height));
        EXPECT_EQ(lineTexts(part.layout), c.partLines) << c.what;
        EXPECT_EQ(part.text, QString::fromUtf8(c.text)) << c.what;
        EXPECT_EQ(part.remainingText, QString::fromUtf8(c.remaining)) << c.what;
        EXPECT_EQ(part.lastParaBreak, c.lastParaBreak) << c.what;
        EXPECT_EQ(part.layout.options().lastParaBreak, c.lastParaBreak) << c.what;
        EXPECT_NEAR(part.emptyHeight, c.emptyHeight, 1e-9) << c.what;
    }
}

TEST_F(TextTest, APartsTextLaysOutToTheSameLines)
{
    // What the store keeps of a part is its text; laid out again with the
    // paragraph flags the part recorded, it gives the same lines, the last
    // of them still open for justification.
    TextOptions options = mono();
    options.wordBreak = true;
    options.hAlign = HAlign::Block;
    const QStringList text{QStringLiteral("ааа программирование и ещё немного слов")};
    const TextPart first = takePart(text, options, box(83, 36));
    TextOptions again = options;
    again.lastParaBreak = first.lastParaBreak;
    const TextLayout relaid
        = layOutMemo(first.text.split(QLatin1String("\r\n")), again, box(83, 36));
    EXPECT_EQ(lineTexts(relaid), lineTexts(first.layout));
    EXPECT_EQ(relaid.lines().back().flags & kLastOfParagraph, 0);

    // The next part continues the paragraph: no indent, no first-line flag.
    TextOptions next = options;
    next.firstParaBreak = first.lastParaBreak;
    const TextPart second
        = takePart(first.remainingText.split(QLatin1String("\r\n")), next, box(83, 200));
    ASSERT_GT(second.layout.lineCount(), 0);
    EXPECT_EQ(second.layout.lines().front().flags & kFirstOfParagraph, 0);
    EXPECT_TRUE(second.remainingText.isEmpty());
    EXPECT_EQ(lineTexts(first.layout) + lineTexts(second.layout),
              lineTexts(layOutMemo(text, options, box(83, 200))));
}

}   // namespace
}   // namespace pgx::test
