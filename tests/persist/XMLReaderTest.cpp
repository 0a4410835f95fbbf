#include <gtest/gtest.h>

#include "XMLTestSupport.h"
#include "persist/XMLReader.h"

using namespace pgx;
using namespace pgx::test;

namespace {

const QByteArray H = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

struct ReadCase
{
    const char *what;
    QByteArray input;
    TpgxXMLResult::Status status;
    QByteArray tree;   // dump() of the root after reading
};

const ReadCase kReads[] = {
    // Complete elements in every spelling the writer and older files use.
    {"self-closing forms", H + R"(<r><a/><a x="1"/><a x="1" /><item 1/><b /></r>)",
     TpgxXMLResult::Ok, R"(r{a,a(x="1"),a(x="1" ),item(1),b})"},
    {"text between tags is skipped", H + "<r>hello<a>world</a> tail</r>", TpgxXMLResult::Ok,
     "r{a}"},
    {"only the blank separates", H + "<r\tx=\"1\"><a\r\nb/></r\tx=\"1\">", TpgxXMLResult::Ok,
     "r\tx=\"1\"{a\r\nb}"},
    {"end tags match ignoring case and attributes", H + "<Root><A></a ></ROOT junk>",
     TpgxXMLResult::Ok, "Root{A}"},
    {"a trailing blank of the tag is dropped", H + "<r  a=\"1\" ></r>", TpgxXMLResult::Ok,
     "r( a=\"1\")"},
    {"name ending in a slash", H + "<r><a/ x=\"1\"><b/></r>", TpgxXMLResult::Ok, "r{a(x=\"1\"),b}"},
    {"header is only checked for ?xml", "junk<?xml-whatever?><r/>", TpgxXMLResult::Ok, "r"},
    {"content after the root is not read", H + "<r/><<<", TpgxXMLResult::Ok, "r"},
    {"the marker is removed when read whole", H + R"(<r><p n="1" ld="0"><b/></p><q  LD="0"/></r>)",
     TpgxXMLResult::Ok, R"(r{p(n="1"){b},q})"},
    {"a marker needs a blank of its own", H + R"(<r><p ld="0"/></r>)", TpgxXMLResult::Ok,
     R"(r{p(ld="0")})"},

    // Comments: only "-->" ends one, "--->" does not.
    {"comments anywhere outside tags", H + "<!-- c --><r><!-- <a> --><b/><!----></r>",
     TpgxXMLResult::Ok, "r{b}"},
    {"three dashes do not close a comment", H + "<r><!-- x ---><a/> still --><b/></r>",
     TpgxXMLResult::Ok, "r{b}"},
    {"a comment needs its opener whole", H + "<r><!-x/></r>", TpgxXMLResult::Ok, "r{!-x}"},

    // Files that end early load what was read, and say so.
    {"end tags missing at the end", H + R"(<r><a x="1"><b/>)", TpgxXMLResult::EndedEarly,
     R"(r{a(x="1"){b}})"},
    {"ends in a comment", H + "<r><a/><!-- never closed", TpgxXMLResult::EndedEarly, "r{a}"},
    {"ends in text", H + "<r><a/>tail", TpgxXMLResult::EndedEarly, "r{a}"},
    {"header only", H, TpgxXMLResult::EndedEarly, ""},

    // Bad input: nothing is kept.
    {"mismatched end tag", H + "<r><b></c></r>", TpgxXMLResult::InvalidFormat, ""},
    {"'<' inside a tag", H + "<r><a <b/></r>", TpgxXMLResult::InvalidFormat, ""},
    {"end of file inside a tag", H + "<r><a x=\"1", TpgxXMLResult::InvalidFormat, ""},
    {"no header", "<r/>", TpgxXMLResult::InvalidFormat, ""},
    {"empty file", "", TpgxXMLResult::InvalidFormat, ""},
    {"end tag before the root", H + "</r>", TpgxXMLResult::InvalidFormat, ""},
    {"empty tag", H + "<r><></r>", TpgxXMLResult::InvalidFormat, ""},
    {"tag starting with a blank", H + "<r>< a/></r>", TpgxXMLResult::InvalidFormat, ""},
};

TEST(XMLRead, Table)
{
    for (const ReadCase &c : kReads) {
        TpgxXMLDocument doc;
        const TpgxXMLResult result = loadBytes(doc, c.input);
        EXPECT_EQ(result.status(), c.status) << c.what << ": " << qPrintable(result.detail());
        EXPECT_EQ(dump(*doc.Root()), c.tree) << c.what;
    }
}

TEST(XMLRead, ResultsDescribeThemselves)
{
    TpgxXMLDocument doc;
    const TpgxXMLResult bad = loadBytes(doc, H + "<b></c>");
    EXPECT_FALSE(bad);
    EXPECT_EQ(bad.description(), "Invalid file format");
    EXPECT_EQ(bad.offset(), quint64(H.size() + 7));

    const TpgxXMLResult cut = loadBytes(doc, H + "<b><c>");
    EXPECT_FALSE(cut);
    EXPECT_FALSE(cut.description().isEmpty());
    EXPECT_NE(cut.description(), bad.description());
    EXPECT_EQ(dump(*doc.Root()), "b{c}");

    EXPECT_TRUE(loadBytes(doc, H + "<b/>"));
}

TEST(XMLRead, NestingDepthIsBounded)
{
    auto nested = [](int depth) {
        return H + QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth);
    };
    TpgxXMLDocument doc;
    EXPECT_TRUE(loadBytes(doc, nested(TpgxXMLReader::MaxDepth)));
    EXPECT_EQ(loadBytes(doc, nested(TpgxXMLReader::MaxDepth + 1)).status(),
              TpgxXMLResult::InvalidFormat);
    EXPECT_EQ(loadBytes(doc, nested(100000)).status(), TpgxXMLResult::InvalidFormat);
    // The same bound holds for elements passed over by a partial load.
    const QByteArray deepPage
        = H + "<r><p ld=\"0\">" + QByteArray("<a>").repeated(TpgxXMLReader::MaxDepth + 1);
    EXPECT_EQ(loadBytes(doc, deepPage, true).status(), TpgxXMLResult::InvalidFormat);
}

TEST(XMLRead, TagsLongerThanTheBuffer)
{
    const QByteArray value(3 * TpgxXMLReader::BufferSize + 17, 'v');
    TpgxXMLDocument doc;
    ASSERT_TRUE(loadBytes(doc, H + "<r><a x=\"" + value + "\"/><!--" + value + "--></r>"));
    EXPECT_EQ(doc.Root()->Items(0)->Prop("x"), value);
    EXPECT_EQ(doc.Root()->Count(), 1);
}

TEST(XMLRead, LeavesTheStreamAfterTheRoot)
{
    QBuffer buffer;
    buffer.setData(H + "<r/>tail");
    buffer.open(QIODevice::ReadOnly);
    TpgxXMLDocument doc;
    ASSERT_TRUE(doc.LoadFromStream(buffer));
    EXPECT_EQ(buffer.readAll(), "tail");
}

}   // namespace
