// How AttrsToProps applies attribute text to an object.

#include "TestComponents.h"

#include "persist/serializer/XMLSerializer.h"

#include <gtest/gtest.h>

using pgx::TpgxXMLSerializer;

namespace {

class SerializerRead : public ::testing::Test
{
protected:
    void SetUp() override { registerSerializerTestClasses(); }

    // Applies the text to a fresh box and returns the serializer's errors.
    QStringList apply(TSerBox &box, QByteArrayView text)
    {
        TpgxXMLSerializer serializer;
        serializer.setOwner(&m_report);
        serializer.attrsToProps(text, &box);
        serializer.fixupReferences();
        return serializer.errors();
    }

    TSerReport m_report;
};

TEST_F(SerializerRead, ValuesByKind)
{
    struct Case
    {
        const char *attrs;
        const char *property;
        QVariant expected;
    };
    const Case cases[] = {
        {R"( Left="12.5")", "Left", 12.5},
        {R"( Left="12,5")", "Left", 12.5},
        {R"( Left="1 234")", "Left", 1234.0},
        {R"( Left="-1E-5")", "Left", -1e-5},
        {R"( Align="baCenter")", "Align", int(TSerBox::baCenter)},
        {R"( Align="3")", "Align", int(TSerBox::baCenter)},
        {R"( Align="BACENTER")", "Align", int(TSerBox::baCenter)},
        {R"( Visible="False")", "Visible", false},
        {R"( Visible="0")", "Visible", false},
        {R"( Shadow="true")", "Shadow", true},
        {R"( Frame="5")", "Frame", int(TSerBox::ftLeft | TSerBox::ftTop)},
        {R"( Frame="255")", "Frame", 15},
        {R"( Tag="-2147483648")", "Tag", int(-2147483647 - 1)},
        {R"( Tag="$10")", "Tag", 16},
        {R"( Color="4294967295")", "Color", 4294967295u},
        {R"( Caption="a&#13;&#10;b &amp; &quot;c&#34;")", "Caption",
         QStringLiteral("a\r\nb &amp; \"c\"")},
        {" Caption=\"\xc5\xbelu\xc5\xa5\"", "Caption", QStringLiteral("\u017elu\u0165")},   // UTF-8
        {" Caption=\"\x9elu\x9d\"", "Caption", QStringLiteral("\u017elu\u0165")},   // Windows-1250
        {R"( OnBeforePrint="Memo1OnBeforePrint")", "OnBeforePrint",
         QStringLiteral("Memo1OnBeforePrint")},
        {R"( Lines.Text="a&#13;&#10;b")", "Lines",
         QStringList{QStringLiteral("a"), QStringLiteral("b")}},
        {R"( Lines.Text="")", "Lines", QStringList{}},
        {R"( Value="12")", "Value", QStringLiteral("12")},   // variants receive strings
        {R"( Big="5")", "Big", qint64(0)},                   // 64-bit: ignored
        {R"( left = "7")", "Left", 7.0},                     // names without regard to case
    };
    for (const Case &c : cases) {
        TSerBox box(&m_report);
        const QStringList errors = apply(box, c.attrs);
        EXPECT_TRUE(errors.isEmpty()) << c.attrs << ": " << errors.join(';').toStdString();
        QVariant actual = box.property(c.property);
        if (actual.metaType() != c.expected.metaType())
            actual.convert(c.expected.metaType());
        EXPECT_EQ(actual, c.expected) << c.attrs;
    }
}

TEST_F(SerializerRead, DottedNamesWalkSubObjects)
{
    TSerBox box(&m_report);
    ASSERT_TRUE(
        apply(box, R"( Font.Name="Tahoma" Foo.Bar="1" Font.Nope="2" Font.Style="3")").isEmpty());
    EXPECT_EQ(box.font()->name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(box.font()->size(), 10);   // only the name and style changed
    EXPECT_EQ(int(box.font()->style()), 3);

    TpgxXMLSerializer serializer;
    serializer.attrsToProps(
        R"( ReportOptions.Description.Text="x&#13;&#10;y" ReportOptions.Author="me")", &m_report);
    EXPECT_EQ(m_report.reportOptions()->description(),
              (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
    EXPECT_EQ(m_report.reportOptions()->author(), QStringLiteral("me"));
}

TEST_F(SerializerRead, BadValuesAreReportedAndTheRestStillApplies)
{
    TSerBox box(&m_report);
    const QStringList errors = apply(
        box,
        R"( Left="abc" Top="5" Align="baMiddle" Tag="99999999999" Font.Size="0" Frame="[ftLeft]" Width="7")");
    EXPECT_EQ(box.top(), 5);
    EXPECT_EQ(box.width(), 7);
    EXPECT_EQ(box.left(), 0);
    EXPECT_EQ(box.font()->size(), 10);
    // Sorted without regard to case, each once.
    EXPECT_EQ(errors,
              (QStringList{
                  QStringLiteral("'99999999999' is not a valid integer value"),
                  QStringLiteral("'[ftLeft]' is not a valid integer value"),
                  QStringLiteral("'abc' is not a valid floating point value"),
                  QStringLiteral("'baMiddle' is not a valid value of Align"),
                  QStringLiteral("Font size must be positive"),
              }));
}

TEST_F(SerializerRead, CompactNamesOfPreparedPages)
{
    TSerMemo memo(&m_report);
    TpgxXMLSerializer serializer;
    serializer.attrsToProps(R"( l="1" t="2,5" w="3" h="4" u="caf&#195;&#169;")", &memo);
    EXPECT_EQ(memo.left(), 1);
    EXPECT_EQ(memo.top(), 2.5);
    EXPECT_EQ(memo.width(), 3);
    EXPECT_EQ(memo.height(), 4);
    EXPECT_EQ(memo.memoText(), QStringLiteral("caf\u00e9"));
    serializer.attrsToProps(" x=\"caf\xe9\"", &memo);   // 8-bit text
    EXPECT_EQ(memo.memoText(), QStringLiteral("caf\u00e9"));
    serializer.attrsToProps(R"( Text="a&#13;&#10;b")", &memo);
    EXPECT_EQ(memo.memoText(), QStringLiteral("a\r\nb"));
    EXPECT_TRUE(serializer.errors().isEmpty());
}

TEST_F(SerializerRead, NamesOfComponentsButNotOfReports)
{
    TSerBox box(&m_report), other(&m_report);
    other.setComponentName(QStringLiteral("Taken"));
    EXPECT_TRUE(apply(box, R"( Name="Box7")").isEmpty());
    EXPECT_EQ(box.componentName(), QStringLiteral("Box7"));
    EXPECT_EQ(apply(box, R"( Name="taken")"), QStringList{QStringLiteral("Duplicate name")});
    EXPECT_EQ(box.componentName(), QStringLiteral("Box7"));

    m_report.setComponentName(QStringLiteral("Report1"));
    TpgxXMLSerializer serializer;
    serializer.attrsToProps(R"( Name="Other")", &m_report);
    EXPECT_EQ(m_report.componentName(), QStringLiteral("Report1"));
}

TEST_F(SerializerRead, ReferencesResolveAfterTheReadAndMissingOnesStayUnset)
{
    TSerBox box(&m_report);
    box.setLink(&m_report);   // to see that "nil" clears it
    TpgxXMLSerializer serializer;
    serializer.setOwner(&m_report);
    serializer.attrsToProps(R"( Link="later")", &box);
    // Created after the attribute was read: still found.
    TSerBox later(&m_report);
    later.setComponentName(QStringLiteral("Later"));
    serializer.fixupReferences();
    EXPECT_EQ(box.link(), &later);

    serializer.attrsToProps(R"( Link="nil")", &box);
    serializer.fixupReferences();
    EXPECT_EQ(box.link(), nullptr);

    box.setLink(&later);
    for (const char *text : {R"( Link="Nobody")", R"( Link="Form1.Later")", R"( Link="")"}) {
        serializer.attrsToProps(text, &box);
        serializer.fixupReferences();
        EXPECT_EQ(box.link(), &later) << text;
    }
    // A component of a class the property cannot hold is left alone too.
    TSerPage page(&m_report);
    page.setComponentName(QStringLiteral("Page1"));
    TSerVariable variable;
    serializer.attrsToProps(R"( Box="Page1" Source="Page1")", &variable);
    serializer.fixupReferences();
    EXPECT_EQ(variable.box(), nullptr);
    EXPECT_EQ(variable.source(), &page);
    EXPECT_TRUE(serializer.errors().isEmpty());
}

TEST_F(SerializerRead, ScannerFaultsStopQuietly)
{
    TSerBox box(&m_report);
    EXPECT_TRUE(apply(box, R"( Left="1" Top "2" Width="3")").isEmpty());
    EXPECT_EQ(box.left(), 1);
    EXPECT_EQ(box.top(), 0);   // the name runs to the next "=": 'Top "2" Width'
    EXPECT_TRUE(apply(box, R"( Left="5)").isEmpty());
    EXPECT_EQ(box.left(), 5);
}

}   // namespace
