#include "script/front/FrontXml.h"
#include "script/front/ProgramTree.h"

#include "persist/XMLDocument.h"

#include <gtest/gtest.h>

using namespace pgx;
using namespace pgx::script;

namespace {

struct ElementCase
{
    const char *name;
    const char *xml;        // the document
    bool ok;                // element reads
    const char *expected;   // "name|attr=value|..." when ok
};

class FrontXmlElements : public ::testing::TestWithParam<ElementCase>
{ };

TEST_P(FrontXmlElements, DecodeOrRefuse)
{
    const ElementCase &c = GetParam();
    TpgxXMLDocument document;
    ASSERT_TRUE(loadXmlText(QString::fromUtf8(c.xml), document));
    QString name;
    XmlAttributes attributes;
    const bool ok = readXmlElement(*document.root(), name, attributes);
    ASSERT_EQ(ok, c.ok);
    if (!ok)
        return;
    QString seen = name;
    for (const auto &pair : attributes)
        seen += u'|' + pair.first + u'=' + pair.second;
    EXPECT_EQ(seen, QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrontXmlElements,
    ::testing::Values(
        ElementCase{"Plain", "<?xml?><a x=\"1\" Y=\"two\"/>", true, "a|x=1|Y=two"},
        ElementCase{"References", "<?xml?><a t=\"&#60;&#38;&quot;&#10;\"/>", true, "a|t=<&\"\n"},
        ElementCase{"Utf8", "<?xml?><\xc3\xa4 t=\"\xc3\xa9\"/>", true, "\xc3\xa4|t=\xc3\xa9"},
        ElementCase{"BlanksAroundEquals", "<?xml?><a x = \"1\"  y=\"2\"/>", true, "a|x=1|y=2"},
        ElementCase{"NoBlankBetween", "<?xml?><a x=\"1\"y=\"2\"/>", true, "a|x=1|y=2"},
        ElementCase{"SingleQuotes", "<?xml?><a x='1'/>", false, ""},
        ElementCase{"Unquoted", "<?xml?><a x=1/>", false, ""},
        ElementCase{"NoValue", "<?xml?><a x/>", false, ""},
        ElementCase{"TrailingJunk", "<?xml?><a x=\"1\" y/>", false, ""},
        ElementCase{"BlankInName", "<?xml?><a b c=\"1\"/>", false, ""},
        ElementCase{"BadNameChar", "<?xml?><a! x=\"1\"/>", false, ""},
        ElementCase{"MissingClosingQuote", "<?xml?><a x=\"1/>", false, ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FrontXml, IncompleteDocumentsAreInvalid)
{
    for (const char *xml :
         {"", "<a/>", "<?xml?>", "<?xml?><a><b/>", "<?xml?></a>", "<?xml?><a></b>"}) {
        TpgxXMLDocument document;
        QString error;
        EXPECT_FALSE(loadXmlText(QString::fromUtf8(xml), document, &error)) << xml;
        EXPECT_EQ(error, QStringLiteral("Invalid file format")) << xml;
        EXPECT_EQ(document.root()->count(), 0) << xml;
    }
}

// Script text must come back from a stored tree as it was written,
// including a literal "&quot;" that the template escaping would fold into
// one quote.
TEST(FrontXml, TreeValuesRoundTripExactly)
{
    const QString values[] = {
        QStringLiteral("&quot;"),
        QStringLiteral("a &amp; b"),
        QStringLiteral("&&quot;&"),
        QStringLiteral("<\"line\r\nbreak\">"),
        QStringLiteral("caf\u00e9 \u4e2d \U0001F600"),
        QString(),
    };
    for (const QString &value : values) {
        auto root = std::make_unique<ProgramNode>(QStringLiteral("program"));
        ProgramNode *leaf
            = root->appendChild(std::make_unique<ProgramNode>(QStringLiteral("string")));
        leaf->setText(value);
        leaf->setAttribute(QStringLiteral("type"), value);
        const QString xml = ProgramTree(std::move(root)).toXml();
        ProgramTree back;
        ASSERT_TRUE(ProgramTree::fromXml(xml, back)) << xml.toStdString();
        ASSERT_EQ(back.root()->childCount(), 1);
        EXPECT_EQ(back.root()->child(0)->text(), value) << xml.toStdString();
        EXPECT_EQ(back.root()->child(0)->attribute(u"TYPE"), value) << xml.toStdString();
    }
}

TEST(FrontXml, MalformedTreeElementIsInvalidFormat)
{
    ProgramTree tree;
    QString error;
    EXPECT_FALSE(
        ProgramTree::fromXml(QStringLiteral("<?xml?><program><a x='1'/></program>"), tree, &error));
    EXPECT_EQ(error, QStringLiteral("Invalid file format"));
}

}   // namespace
