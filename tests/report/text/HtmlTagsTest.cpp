#include "TextTestSupport.h"

#include "report/text/HtmlTags.h"

#include <gtest/gtest.h>

namespace pgx::test {
namespace {

using namespace pgx::text;

constexpr TColor kRed = 0x0000FF;   // 0x00BBGGRR

// A compact picture of the formats: one letter per character, "." for the
// defaults, "b"/"i"/"u"/"s" for one style bit, "*" for several, "v" lowered
// small, "^" raised small, "r" red.
QString picture(const std::vector<CharFormat> &formats)
{
    QString out;
    for (const CharFormat &f : formats) {
        QChar c = u'.';
        if (f.size != 10)
            c = f.lowered ? u'v' : u'^';
        else if (f.color == kRed)
            c = u'r';
        else if (f.style == kBold)
            c = u'b';
        else if (f.style == kItalic)
            c = u'i';
        else if (f.style == kUnderline)
            c = u'u';
        else if (f.style == kStrikeOut)
            c = u's';
        else if (f.style != 0)
            c = u'*';
        out += c;
    }
    return out;
}

TEST(HtmlTagsTest, TagsSetTheFormatOfTheCharactersAfterThem)
{
    struct Case
    {
        QStringList lines;
        const char *plain;
        const char *formats;
    };
    const Case cases[] = {
        {{QStringLiteral("<b>bold</b> text")}, "bold text", "bbbb....."},
        {{QStringLiteral("<B>x</b><I>y</I><u>z</U><strike>w</strike>")}, "xyzw", "bius"},
        {{QStringLiteral("<b><i>x</b>y</i>z")}, "xyz", "*i."},
        {{QStringLiteral("H<sub>2</sub>O x<sup>2</sup>")}, "H2O x2", ".v...^"},
        {{QStringLiteral("<font color=\"#FF0000\">r</font>g")}, "rg", "r."},
        {{QStringLiteral("<font color=red>r</font>")}, "r", "r"},
        {{QStringLiteral("<font color=\"red\">r")}, "r", "r"},
        // Unknown tags and values are text.
        {{QStringLiteral("<font color=nosuch>x")}, "<font color=nosuch>x", "...................."},
        {{QStringLiteral("<font color=#FF0000>x")},
         "<font color=#FF0000>x",
         "....................."},
        {{QStringLiteral("<p>a < b</p>")}, "<p>a < b</p>", "............"},
        {{QStringLiteral("<b")}, "<b", ".."},
        // The state runs on into the next memo line.
        {{QStringLiteral("<b>a"), QStringLiteral("b</b>c")}, "abc", "bb."},
    };
    for (const Case &c : cases) {
        HtmlTagParser parser(FontSpec().format());
        QString plain;
        std::vector<CharFormat> formats;
        std::vector<int> sources;
        int offset = 0;
        for (const QString &line : c.lines) {
            parser.parseLine(line, offset, plain, formats, sources);
            offset += int(line.size()) + 2;
        }
        EXPECT_EQ(plain, QString::fromUtf8(c.plain)) << qPrintable(c.lines.join(u'|'));
        EXPECT_EQ(picture(formats), QLatin1String(c.formats)) << qPrintable(c.lines.join(u'|'));
        ASSERT_EQ(sources.size(), size_t(plain.size()));
    }
}

TEST(HtmlTagsTest, SourcePositionsSkipTheTags)
{
    HtmlTagParser parser(FontSpec().format());
    QString plain;
    std::vector<CharFormat> formats;
    std::vector<int> sources;
    parser.parseLine(u"a<b>bc</b>d", 10, plain, formats, sources);
    EXPECT_EQ(sources, (std::vector<int>{10, 14, 15, 20}));
}

TEST(HtmlTagsTest, SmallSizeIsTwoThirdsRounded)
{
    const int expected[][2] = {{10, 7}, {8, 5}, {9, 6}, {12, 8}, {3, 2}, {1, 1}};
    for (const auto &e : expected)
        EXPECT_EQ(smallSize(e[0]), e[1]) << e[0];
}

TEST(HtmlTagsTest, RestoringTags)
{
    struct Case
    {
        CharFormat format;
        const char *tags;
    };
    const Case cases[] = {
        {CharFormat{}, "<font color=\"#000000\">"},
        {CharFormat{10, kBold | kItalic | kUnderline | kStrikeOut, kRed, false},
         "<font color=\"#FF0000\"><u><i><b>"},
        {CharFormat{10, kItalic, 0x123456, false}, "<font color=\"#563412\"><i>"},
        {CharFormat{10, 0, -16777201, false}, "<font color=\"#D4D0C8\">"},   // clBtnFace
    };
    for (const Case &c : cases)
        EXPECT_EQ(restoringTags(c.format), QLatin1String(c.tags));
}

class HtmlMeasureTest : public TextTest
{ };

TEST_F(HtmlMeasureTest, TheBoldPartMeasuresBold)
{
    const QStringList tagged{QStringLiteral("<b>bold</b> text")};
    TextOptions options;
    options.autoWidth = true;
    const double plain = calcWidth({QStringLiteral("bold text")}, options, box(100));
    options.font.style = kBold;
    const double allBold = calcWidth({QStringLiteral("bold text")}, options, box(100));
    options.font.style = 0;
    options.allowHtmlTags = true;
    const double mixed = calcWidth(tagged, options, box(100));
    EXPECT_GT(mixed, plain);
    EXPECT_LT(mixed, allBold);
    // Without AllowHTMLTags the tags are printed as text.
    options.allowHtmlTags = false;
    const TextLayout asText = layOutMemo(tagged, options, box(100));
    EXPECT_EQ(lineTexts(asText), tagged);
}

TEST_F(HtmlMeasureTest, SmallCharactersAdvanceTwoThirds)
{
    TextOptions options;
    options.allowHtmlTags = true;
    options.font.name = QStringLiteral("Courier New");
    const TextLayout layout
        = layOutMemo({QStringLiteral("a<sub>b</sub>c<sup>d")}, options, box(100));
    ASSERT_EQ(layout.text(), QLatin1String("abcd"));
    // Extents 49.8, 99.6, 149.4, 199.2 round to 50, 100, 149, 199: the
    // advances are 50, 50 / 1.5, 49, 50 / 1.5.
    EXPECT_EQ(layout.advance(0), 50);
    EXPECT_EQ(layout.advance(1), 33);
    EXPECT_EQ(layout.advance(2), 49);
    EXPECT_EQ(layout.advance(3), 33);
    EXPECT_TRUE(layout.format(1).lowered);
    EXPECT_FALSE(layout.format(3).lowered);
}

}   // namespace
}   // namespace pgx::test
