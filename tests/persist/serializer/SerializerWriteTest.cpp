// Which properties PropsToAttrs writes, and how.

#include "TestComponents.h"

#include "persist/serializer/XMLSerializer.h"

#include <gtest/gtest.h>

using pgx::TpgxXMLSerializer;

namespace {

class SerializerWrite : public ::testing::Test
{
protected:
    void SetUp() override { registerSerializerTestClasses(); }

    QByteArray attrs(QObject *object, QObject *ancestor = nullptr, bool writeAll = false)
    {
        TpgxXMLSerializer serializer;
        serializer.setOwner(&m_report);
        serializer.setWriteAllValues(writeAll);
        return serializer.propsToAttrs(object, {}, ancestor);
    }

    TSerReport m_report;
};

TEST_F(SerializerWrite, DefaultsAreLeftOutFloatsAndUndefaultedOrdinalsAreNot)
{
    TSerBox box(&m_report);
    // Floats are always written, even 0; Shadow has no declared default, so
    // it is always present; a string list always is, even empty; everything
    // else equals its default.
    EXPECT_EQ(attrs(&box),
              R"( Left="0" Top="0" Width="0" Height="0" Shadow="False" Lines.Text="")");
}

TEST_F(SerializerWrite, EveryKindHasItsTextForm)
{
    TSerBox box(&m_report);
    TSerBox other(&m_report);
    other.setComponentName(QStringLiteral("Other"));
    box.setLeft(12.5);
    box.setTop(1.0 / 3);
    box.setWidth(1e20);
    box.setHeight(-0.25);
    box.setAlign(TSerBox::baCenter);
    box.setFrame(TSerBox::ftLeft | TSerBox::ftRight);
    box.setVisible(false);
    box.setShadow(true);
    box.setTag(-7);
    box.setColor(0xFFFFFFFFu);
    box.setBig(1);   // 64-bit integers are never written
    box.setCaption(QStringLiteral("a \"b\" <c> & d\r\ne \u00e9"));
    box.setOnBeforePrint(QStringLiteral("BoxBeforePrint"));
    box.setLines({QStringLiteral("one"), QStringLiteral("two")});
    box.setValue(2.5);
    box.setLink(&other);
    EXPECT_EQ(
        attrs(&box),
        " Left=\"12.5\" Top=\"0.333333333333333\" Width=\"1E20\" Height=\"-0.25\""
        " Align=\"baCenter\" Frame=\"3\" Visible=\"False\" Shadow=\"True\" Tag=\"-7\""
        " Color=\"4294967295\" Caption=\"a &#34;b&#34; &#60;c&#62; &#38; d&#13;&#10;e \xc3\xa9\""
        " OnBeforePrint=\"BoxBeforePrint\" Lines.Text=\"one&#13;&#10;two\" Value=\"2.5\""
        " Link=\"Other\"");
}

TEST_F(SerializerWrite, SubObjectsAreDottedAndFollowTheirStoredRule)
{
    TSerBox box(&m_report);
    box.font()->setName(QStringLiteral("Tahoma"));
    box.font()->setStyle(TSerFont::fsBold | TSerFont::fsUnderline);
    // Font is stored only while the box does not take its parent's font.
    EXPECT_FALSE(attrs(&box).contains("Font."));
    box.setParentFont(false);
    EXPECT_TRUE(attrs(&box).endsWith(R"( ParentFont="False" Font.Name="Tahoma" Font.Style="5")"))
        << attrs(&box).constData();

    m_report.reportOptions()->setAuthor(QStringLiteral("me"));
    // A string list is always written, even empty, as "<name>.Text".
    EXPECT_EQ(
        attrs(&m_report),
        R"( Version="4.2.16" ReportOptions.Description.Text="" ReportOptions.Author="me" ScriptText.Text="" PropData="095661726961626C65730100")");
}

TEST_F(SerializerWrite, WriteAllValuesWritesDefaultsAndEmptyStrings)
{
    TSerBox box(&m_report);
    EXPECT_EQ(
        attrs(&box, nullptr, true),
        R"( Left="0" Top="0" Width="0" Height="0" Align="baNone" Frame="0" Visible="True")"
        R"( Shadow="False" Tag="0" Color="536870911" Caption="" OnBeforePrint="" Lines.Text="")"
        R"( ParentFont="True" Link="nil")");
}

TEST_F(SerializerWrite, AgainstAnAncestorOnlyDifferencesAreWritten)
{
    TSerBox box(&m_report), ancestor(&m_report);
    TSerBox target1(&m_report), target2(&m_report);
    target1.setComponentName(QStringLiteral("T1"));
    target2.setComponentName(QStringLiteral("t1x"));
    for (TSerBox *b : {&box, &ancestor}) {
        b->setLeft(10);
        b->setCaption(QStringLiteral("same"));
        b->setLines({QStringLiteral("x")});
        b->setValue(QStringLiteral("v"));
        b->setLink(&target1);
        b->setTag(5);
    }
    // Equal in everything: nothing at all (ordinals compare with the
    // ancestor, not the default).
    EXPECT_EQ(attrs(&box, &ancestor), "");

    box.setLeft(10 + 5e-7);                   // below the tolerance
    box.setTop(1e-6);                         // at it
    box.setCaption(QStringLiteral("Same"));   // case counts
    box.setTag(0);
    EXPECT_EQ(attrs(&box, &ancestor), R"( Top="1E-6" Tag="0" Caption="Same")");

    TSerBox fresh(&m_report), base(&m_report);
    base.setLink(&target1);
    base.setCaption(QStringLiteral("x"));
    // Dropped reference: "nil"; emptied string and list: present and empty,
    // or reading over the ancestor would bring the old text back.
    base.setLines({QStringLiteral("x")});
    EXPECT_EQ(attrs(&fresh, &base), R"( Caption="" Lines.Text="" Link="nil")");
    fresh.setLink(&target2);
    EXPECT_TRUE(attrs(&fresh, &base).endsWith(R"( Link="t1x")"));
}

TEST_F(SerializerWrite, EmptiedStringsThatStartNonEmptyAreWritten)
{
    // Regression (found by the template loader fuzzer): a string a new
    // object starts with was lost when emptied, as empty strings are not
    // written and reading keeps the initial text.
    TSerPage page(&m_report);
    EXPECT_TRUE(attrs(&page).contains(R"( Title="Untitled")"));
    page.setTitle(QString());
    EXPECT_TRUE(attrs(&page).contains(R"( Title="")")) << attrs(&page).constData();
    TSerBox box(&m_report);   // Caption starts empty: still left out
    EXPECT_FALSE(attrs(&box).contains("Caption"));

    TSerPage copy(&m_report);
    TpgxXMLSerializer reader;
    reader.attrsToProps(attrs(&page), &copy);
    EXPECT_EQ(copy.title(), QString());
}

TEST_F(SerializerWrite, AncestorLookupIsAskedByName)
{
    TSerBox box(&m_report), ancestor(&m_report);
    box.setComponentName(QStringLiteral("Box1"));
    box.setLeft(3);
    ancestor.setLeft(3);
    TpgxXMLSerializer serializer;
    QStringList asked;
    serializer.setAncestorLookup([&](const QString &name) -> QObject * {
        asked << name;
        return &ancestor;
    });
    EXPECT_EQ(serializer.propsToAttrs(&box), "");
    EXPECT_EQ(asked, QStringList{QStringLiteral("Box1")});

    // An ancestor of another class is not compared with.
    TSerPage page(&m_report);
    serializer.setAncestorLookup([&](const QString &) -> QObject * { return &page; });
    EXPECT_TRUE(serializer.propsToAttrs(&box).startsWith(R"( Left="3")"));
}

TEST_F(SerializerWrite, MemoTextAndPropDataComeLast)
{
    TSerMemo memo(&m_report);
    memo.setMemoText(QStringLiteral("Hello\r\nW\u00f6rld\r\n"));
    // One final line break is dropped; the text is UTF-8, escaped.
    EXPECT_TRUE(attrs(&memo).endsWith(" Text=\"Hello&#13;&#10;W\xc3\xb6rld\""))
        << attrs(&memo).constData();
    TSerMemo same(&m_report);
    same.setMemoText(memo.memoText());
    EXPECT_FALSE(attrs(&memo, &same).contains("Text="));

    TSerReport other;
    m_report.hostLeft = 40;
    m_report.hostTop = 152;
    other.hostLeft = 40;
    other.hostTop = 152;
    const QByteArray text = attrs(&m_report);
    EXPECT_TRUE(
        text.endsWith(R"( PropData="044C656674022803546F70039800095661726961626C65730100")"))
        << text.constData();
    // Same stream as the ancestor's (same CRC): left out.
    EXPECT_FALSE(attrs(&m_report, &other).contains("PropData"));
    other.hostTop = 0;
    EXPECT_TRUE(attrs(&m_report, &other).contains("PropData"));
}

TEST_F(SerializerWrite, ReferencesOutsideTheTreeAreNotWritten)
{
    TSerBox box(&m_report);
    TSerReport elsewhere;
    TSerBox foreign(&elsewhere);
    foreign.setComponentName(QStringLiteral("Foreign"));
    box.setLink(&foreign);
    EXPECT_FALSE(attrs(&box).contains("Link"));
    // A component without any owner is written by its plain name.
    TSerNode loose;
    loose.setComponentName(QStringLiteral("Loose"));
    box.setLink(&loose);
    EXPECT_TRUE(attrs(&box).endsWith(R"( Link="Loose")"));
}

TEST_F(SerializerWrite, WritingMarkIsSetOnlyDuringTheCall)
{
    TSerBox box(&m_report);
    bool seen = false;
    TpgxXMLSerializer serializer;
    serializer.setAncestorLookup([&](const QString &) -> QObject * {
        seen = box.isWriting();
        return nullptr;
    });
    serializer.propsToAttrs(&box);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(box.isWriting());
}

}   // namespace
