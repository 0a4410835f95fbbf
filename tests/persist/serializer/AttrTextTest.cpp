#include "persist/serializer/AttrText.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace pgx::persist;

namespace {

using Pairs = std::vector<std::pair<QByteArray, QByteArray>>;

Pairs scan(QByteArrayView text)
{
    Pairs pairs;
    AttrScanner scanner(text);
    AttrPair pair;
    while (scanner.next(pair))
        pairs.emplace_back(pair.name.toByteArray(), pair.value.toByteArray());
    return pairs;
}

TEST(AttrText, ScannerCases)
{
    struct Case
    {
        const char *text;
        Pairs pairs;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {R"( Name="Memo1" Left="12.5")", {{"Name", "Memo1"}, {"Left", "12.5"}}},
        {R"(Font.Name="Tahoma")", {{"Font.Name", "Tahoma"}}},
        {R"( A = "1"  B="")", {{"A", "1"}, {"B", ""}}},   // blanks before "=" cut
        {" A=\"1\"\r\n\tB=\"2\"", {{"A", "1"}, {"B", "2"}}},
        {R"( A="x=y" B="&#34;")", {{"A", "x=y"}, {"B", "&#34;"}}},   // values stay escaped
        {R"( A="1" ="2" C="3")", {{"A", "1"}}},                      // empty name ends the scan
        {R"( A="1" B C="3")", {{"A", "1"}, {"B C", "3"}}},           // name runs to the next "="
        {R"( A="1" B)", {{"A", "1"}}},                               // missing "=" ends
        {R"( A="1" B=2)", {{"A", "1"}}},                             // missing quote ends
        {R"( A="unterminated)", {{"A", "unterminated"}}},
        {R"( A=")", {{"A", ""}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(scan(c.text), c.pairs) << c.text;
}

TEST(AttrText, AppendBuildsWhatTheScannerReads)
{
    QByteArray text;
    appendAttr(text, "", "Name", "Memo1");
    appendAttr(text, "Font.", "Name", "Arial");
    appendAttr(text, "", "Text", "");
    EXPECT_EQ(text, R"( Name="Memo1" Font.Name="Arial" Text="")");
    EXPECT_EQ(scan(text), (Pairs{{"Name", "Memo1"}, {"Font.Name", "Arial"}, {"Text", ""}}));
}

TEST(AttrText, ObjectLines)
{
    auto line = splitObjectLine(R"(TpgxMemoView Name="Memo1" l="10")");
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->className, "TpgxMemoView");
    EXPECT_EQ(line->attrs, R"( Name="Memo1" l="10")");

    line = splitObjectLine("  TpgxLineView");
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->className, "TpgxLineView");
    EXPECT_TRUE(line->attrs.isEmpty());

    EXPECT_FALSE(splitObjectLine("").has_value());
    EXPECT_FALSE(splitObjectLine(" \t ").has_value());
}

}   // namespace
