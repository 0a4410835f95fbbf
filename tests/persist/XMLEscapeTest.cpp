#include <gtest/gtest.h>

#include "persist/XMLEscape.h"

using namespace pgx;

namespace {

struct EscapeCase
{
    const char *name;
    QByteArray plain;
    QByteArray escaped;
};

// Pairs that go both ways: EscapeAttr(plain) == escaped and back.
const EscapeCase kEscapes[] = {
    {"empty", "", ""},
    {"nothing to escape", "Hello world", "Hello world"},
    {"the six characters", "a\r\nb\t<>&\"", "a&#13;&#10;b\t&#60;&#62;&#38;&#34;"},
    {"line break, tab and markup", "1\r\n2\t<b>&\"", "1&#13;&#10;2\t&#60;b&#62;&#38;&#34;"},
    {"bytes above 127 and controls stay", "\xe4\xf6\x01\x7f", "\xe4\xf6\x01\x7f"},
    {"ampersand words other than quot", "&amp;&lt;", "&#38;amp;&#38;lt;"},
    {"a long string takes the buffered way",
     QByteArray(40, 'x') + "\"" + QByteArray(300, 'y') + "<",
     QByteArray(40, 'x') + "&#34;" + QByteArray(300, 'y') + "&#60;"},
};

class EscapeTable : public ::testing::TestWithParam<EscapeCase>
{ };

TEST_P(EscapeTable, EscapesAndReadsBack)
{
    const EscapeCase &c = GetParam();
    EXPECT_EQ(escapeAttr(c.plain), c.escaped);
    EXPECT_EQ(unescapeAttr(c.escaped), c.plain);
}

INSTANTIATE_TEST_SUITE_P(Attr, EscapeTable, ::testing::ValuesIn(kEscapes), [](const auto &info) {
    QByteArray n = info.param.name;
    n.replace(' ', '_').replace(',', '_');
    return n.toStdString();
});

TEST(EscapeAttr, QuotEntityBecomesOneReference)
{
    EXPECT_EQ(escapeAttr("&quot;"), "&#34;");
    EXPECT_EQ(escapeAttr("say &quot;hi&quot"), "say &#34;hi&#38;quot");
    EXPECT_EQ(unescapeAttr(escapeAttr("&quot;")), "\"");
}

TEST(EscapeAttr, TheExactFormKeepsEveryEntityAsText)
{
    EXPECT_EQ(escapeAttrExact("&quot;"), "&#38;quot;");
    EXPECT_EQ(escapeAttrExact("a<b&c>\"\r\n"), escapeAttr("a<b&c>\"\r\n"));
    for (const QByteArray &text :
         {QByteArray("&quot;"), QByteArray("say &quot;hi&quot;"), QByteArray("&#34;&amp;")})
        EXPECT_EQ(unescapeAttr(escapeAttrExact(text)), text) << text.constData();
}

struct UnescapeCase
{
    QByteArray in;
    QByteArray out;
};

// Only "&#digits;" with a code that fits a byte, and "&quot;", are replaced;
// every malformed reference stays as it is, and nothing is read past the end.
const UnescapeCase kUnescapes[] = {
    {"&amp;", "&amp;"},
    {"&lt;&gt;&apos;", "&lt;&gt;&apos;"},
    {"&quot;", "\""},
    {"&QUOT;", "&QUOT;"},
    {"&quot", "&quot"},
    {"&#65;&#0066;", "AB"},
    {"&#255;", "\xff"},
    {"&#0;", QByteArray(1, '\0')},
    {"&#256;", "&#256;"},
    {"&#99999999999999999999;", "&#99999999999999999999;"},
    {"&#;", "&#;"},
    {"&#x41;", "&#x41;"},
    {"&#65", "&#65"},
    {"&#6 5;", "&#6 5;"},
    {"&#-1;", "&#-1;"},
    {"&#", "&#"},
    {"&", "&"},
    {"a&", "a&"},
    {"&&#65;", "&A"},
    {"&#&#65;", "&#A"},
    {"x&#13;&#10;y", "x\r\ny"},
};

TEST(UnescapeAttr, TakesWholeReferencesAndKeepsTheRest)
{
    for (const UnescapeCase &c : kUnescapes)
        EXPECT_EQ(unescapeAttr(c.in), c.out) << c.in.constData();
}

TEST(UnescapeAttr, NeverReadsPastTheEnd)
{
    // A view into a larger buffer whose next bytes would complete a reference.
    const QByteArray whole = "ab&#65;";
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        const QByteArray part(whole.constData(), cut);   // deep copy of the prefix
        const QByteArray out = unescapeAttr(part);
        EXPECT_EQ(out, part) << cut;
    }
}

}   // namespace
