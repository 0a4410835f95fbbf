#include <gtest/gtest.h>

#include "XMLTestSupport.h"
#include "persist/XMLReader.h"

using namespace pgx;
using namespace pgx::test;

namespace {

const QByteArray kH = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

struct ReadCase
{
    const char *what;
    QByteArray input;
    TpgxXMLResult::Status status;
    QByteArray tree;   // dump() of the root after reading
};

const ReadCase kReads[] = {
    // Complete elements in every spelling the writer and older files use.
    {"self-closing forms", kH + R"(<r><a/><a x="1"/><a x="1" /><item 1/><b /></r>)",
     TpgxXMLResult::Ok, R"(r{a,a(x="1"),a(x="1" ),item(1),b})"},
    {"text between tags is skipped", kH + "<r>hello<a>world</a> tail</r>", TpgxXMLResult::Ok,
     "r{a}"},
    {"only the blank separates", kH + "<r\tx=\"1\"><a\r\nb/></r\tx=\"1\">", TpgxXMLResult::Ok,
     "r\tx=\"1\"{a\r\nb}"},
    {"end tags match ignoring case and attributes", kH + "<Root><A></a ></ROOT junk>",
     TpgxXMLResult::Ok, "Root{A}"},
    {"a trailing blank of the tag is dropped", kH + "<r  a=\"1\" ></r>", TpgxXMLResult::Ok,
     "r( a=\"1\")"},
    {"name ending in a slash", kH + "<r><a/ x=\"1\"><b/></r>", TpgxXMLResult::Ok,
     "r{a(x=\"1\"),b}"},
    {"header is only checked for ?xml", "junk<?xml-whatever?><r/>", TpgxXMLResult::Ok, "r"},
    {"content after the root is not read", kH + "<r/><<<", TpgxXMLResult::Ok, "r"},
    {"the marker is removed when read whole", kH + R"(<r><p n="1" ld="0"><b/></p><q  LD="0"/></r>)",
     TpgxXMLResult::Ok, R"(r{p(n="1"){b},q})"},
    {"a marker needs a blank of its own", kH + R"(<r><p ld="0"/></r>)", TpgxXMLResult::Ok,
     R"(r{p(ld="0")})"},

    // Comments: only "-->" ends one, "--->" does not.
    {"comments anywhere outside tags", kH + "<!-- c --><r><!-- <a> --><b/><!----></r>",
     TpgxXMLResult::Ok, "r{b}"},
    {"three dashes do not close a comment", kH + "<r><!-- x ---><a/> still --><b/></r>",
     TpgxXMLResult::Ok, "r{b}"},
    {"a comment needs its opener whole", kH + "<r><!-x/></r>", TpgxXMLResult::Ok, "r{!-x}"},

    // Files that end early load what was read, and say so.
    {"end tags missing at the end", kH + R"(<r><a x="1"><b/>)", TpgxXMLResult::EndedEarly,
     R"(r{a(x="1"){b}})"},
    {"ends in a comment", kH + "<r><a/><!-- never closed", TpgxXMLResult::EndedEarly, "r{a}"},
    {"ends in text", kH + "<r><a/>tail", TpgxXMLResult::EndedEarly, "r{a}"},
    {"header only", kH, TpgxXMLResult::EndedEarly, ""},

    // Bad input: nothing is kept.
    {"mismatched end tag", kH + "<r><b></c></r>", TpgxXMLResult::InvalidFormat, ""},
    {"'<' inside a tag", kH + "<r><a <b/></r>", TpgxXMLResult::InvalidFormat, ""},
    {"end of file inside a tag", kH + "<r><a x=\"1", TpgxXMLResult::InvalidFormat, ""},
    {"no header", "<r/>", TpgxXMLResult::InvalidFormat, ""},
    {"empty file", "", TpgxXMLResult::InvalidFormat, ""},
    {"end tag before the root", kH + "</r>", TpgxXMLResult::InvalidFormat, ""},
    {"empty tag", kH + "<r><></r>", TpgxXMLResult::InvalidFormat, ""},
    {"tag starting with a blank", kH + "<r>< a/></r>", TpgxXMLResult::InvalidFormat, ""},
};

TEST(XMLRead, Table)
{
    for (const ReadCase &c : kReads) {
        TpgxXMLDocument doc;
        const TpgxXMLResult result = loadBytes(doc, c.input);
        EXPECT_EQ(result.status(), c.status) << c.what << ": " << qPrintable(result.detail());
        EXPECT_EQ(dump(*doc.root()), c.tree) << c.what;
    }
}

TEST(XMLRead, ResultsDescribeThemselves)
{
    TpgxXMLDocument doc;
    const TpgxXMLResult bad = loadBytes(doc, kH + "<b></c>");
    EXPECT_FALSE(bad);
    EXPECT_EQ(bad.description(), "Invalid file format");
    EXPECT_EQ(bad.offset(), quint64(kH.size() + 7));

    const TpgxXMLResult cut = loadBytes(doc, kH + "<b><c>");
    EXPECT_FALSE(cut);
    EXPECT_FALSE(cut.description().isEmpty());
    EXPECT_NE(cut.description(), bad.description());
    EXPECT_EQ(dump(*doc.root()), "b{c}");

    EXPECT_TRUE(loadBytes(doc, kH + "<b/>"));
}

TEST(XMLRead, NestingDepthIsBounded)
{
    auto nested = [](int depth) {
        return kH + QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth);
    };
    TpgxXMLDocument doc;
    EXPECT_TRUE(loadBytes(doc, nested(TpgxXMLReader::kMaxDepth)));
    EXPECT_EQ(loadBytes(doc, nested(TpgxXMLReader::kMaxDepth + 1)).status(),
              TpgxXMLResult::InvalidFormat);
    EXPECT_EQ(loadBytes(doc, nested(100000)).status(), TpgxXMLResult::InvalidFormat);
    // The same bound holds for elements passed over by a partial load.
    const QByteArray deepPage
        = kH + "<r><p ld=\"0\">" + QByteArray("<a>").repeated(TpgxXMLReader::kMaxDepth + 1);
    EXPECT_EQ(loadBytes(doc, deepPage, true).status(), TpgxXMLResult::InvalidFormat);
}

TEST(XMLRead, TagsLongerThanTheBuffer)
{
    const QByteArray value(3 * TpgxXMLReader::kBufferSize + 17, 'v');
    TpgxXMLDocument doc;
    ASSERT_TRUE(loadBytes(doc, kH + "<r><a x=\"" + value + "\"/><!--" + value + "--></r>"));
    EXPECT_EQ(doc.root()->items(0)->prop("x"), value);
    EXPECT_EQ(doc.root()->count(), 1);
}

TEST(XMLRead, LeavesTheStreamAfterTheRoot)
{
    QBuffer buffer;
    buffer.setData(kH + "<r/>tail");
    buffer.open(QIODevice::ReadOnly);
    TpgxXMLDocument doc;
    ASSERT_TRUE(doc.loadFromStream(buffer));
    EXPECT_EQ(buffer.readAll(), "tail");
}

}   // namespace
