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
        serializer.SetOwner(&report);
        serializer.SetWriteAllValues(writeAll);
        return serializer.PropsToAttrs(object, {}, ancestor);
    }

    TSerReport report;
};

TEST_F(SerializerWrite, DefaultsAreLeftOutFloatsAndUndefaultedOrdinalsAreNot)
{
    TSerBox box(&report);
    // Floats are always written, even 0; Shadow has no declared default, so
    // it is always present; a string list always is, even empty; everything
    // else equals its default.
    EXPECT_EQ(attrs(&box),
              R"( Left="0" Top="0" Width="0" Height="0" Shadow="False" Lines.Text="")");
}

TEST_F(SerializerWrite, EveryKindHasItsTextForm)
{
    TSerBox box(&report);
    TSerBox other(&report);
    other.setComponentName(QStringLiteral("Other"));
    box.SetLeft(12.5);
    box.SetTop(1.0 / 3);
    box.SetWidth(1e20);
    box.SetHeight(-0.25);
    box.SetAlign(TSerBox::baCenter);
    box.SetFrame(TSerBox::ftLeft | TSerBox::ftRight);
    box.SetVisible(false);
    box.SetShadow(true);
    box.SetTag(-7);
    box.SetColor(0xFFFFFFFFu);
    box.SetBig(1);   // 64-bit integers are never written
    box.SetCaption(QStringLiteral("a \"b\" <c> & d\r\ne \u00e9"));
    box.SetOnBeforePrint(QStringLiteral("BoxBeforePrint"));
    box.SetLines({QStringLiteral("one"), QStringLiteral("two")});
    box.SetValue(2.5);
    box.SetLink(&other);
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
    TSerBox box(&report);
    box.Font()->SetName(QStringLiteral("Tahoma"));
    box.Font()->SetStyle(TSerFont::fsBold | TSerFont::fsUnderline);
    // Font is stored only while the box does not take its parent's font.
    EXPECT_FALSE(attrs(&box).contains("Font."));
    box.SetParentFont(false);
    EXPECT_TRUE(attrs(&box).endsWith(R"( ParentFont="False" Font.Name="Tahoma" Font.Style="5")"))
        << attrs(&box).constData();

    report.ReportOptions()->SetAuthor(QStringLiteral("me"));
    // A string list is always written, even empty, as "<name>.Text".
    EXPECT_EQ(
        attrs(&report),
        R"( Version="4.2.16" ReportOptions.Description.Text="" ReportOptions.Author="me" ScriptText.Text="" PropData="095661726961626C65730100")");
}

TEST_F(SerializerWrite, WriteAllValuesWritesDefaultsAndEmptyStrings)
{
    TSerBox box(&report);
    EXPECT_EQ(
        attrs(&box, nullptr, true),
        R"( Left="0" Top="0" Width="0" Height="0" Align="baNone" Frame="0" Visible="True")"
        R"( Shadow="False" Tag="0" Color="536870911" Caption="" OnBeforePrint="" Lines.Text="")"
        R"( ParentFont="True" Link="nil")");
}

TEST_F(SerializerWrite, AgainstAnAncestorOnlyDifferencesAreWritten)
{
    TSerBox box(&report), ancestor(&report);
    TSerBox target1(&report), target2(&report);
    target1.setComponentName(QStringLiteral("T1"));
    target2.setComponentName(QStringLiteral("t1x"));
    for (TSerBox *b : {&box, &ancestor}) {
        b->SetLeft(10);
        b->SetCaption(QStringLiteral("same"));
        b->SetLines({QStringLiteral("x")});
        b->SetValue(QStringLiteral("v"));
        b->SetLink(&target1);
        b->SetTag(5);
    }
    // Equal in everything: nothing at all (ordinals compare with the
    // ancestor, not the default).
    EXPECT_EQ(attrs(&box, &ancestor), "");

    box.SetLeft(10 + 5e-7);                   // below the tolerance
    box.SetTop(1e-6);                         // at it
    box.SetCaption(QStringLiteral("Same"));   // case counts
    box.SetTag(0);
    EXPECT_EQ(attrs(&box, &ancestor), R"( Top="1E-6" Tag="0" Caption="Same")");

    TSerBox fresh(&report), base(&report);
    base.SetLink(&target1);
    base.SetCaption(QStringLiteral("x"));
    // Dropped reference: "nil"; emptied string and list: present and empty,
    // or reading over the ancestor would bring the old text back.
    base.SetLines({QStringLiteral("x")});
    EXPECT_EQ(attrs(&fresh, &base), R"( Caption="" Lines.Text="" Link="nil")");
    fresh.SetLink(&target2);
    EXPECT_TRUE(attrs(&fresh, &base).endsWith(R"( Link="t1x")"));
}

TEST_F(SerializerWrite, EmptiedStringsThatStartNonEmptyAreWritten)
{
    // Regression (found by the template loader fuzzer): a string a new
    // object starts with was lost when emptied, as empty strings are not
    // written and reading keeps the initial text.
    TSerPage page(&report);
    EXPECT_TRUE(attrs(&page).contains(R"( Title="Untitled")"));
    page.SetTitle(QString());
    EXPECT_TRUE(attrs(&page).contains(R"( Title="")")) << attrs(&page).constData();
    TSerBox box(&report);   // Caption starts empty: still left out
    EXPECT_FALSE(attrs(&box).contains("Caption"));

    TSerPage copy(&report);
    TpgxXMLSerializer reader;
    reader.AttrsToProps(attrs(&page), &copy);
    EXPECT_EQ(copy.Title(), QString());
}

TEST_F(SerializerWrite, AncestorLookupIsAskedByName)
{
    TSerBox box(&report), ancestor(&report);
    box.setComponentName(QStringLiteral("Box1"));
    box.SetLeft(3);
    ancestor.SetLeft(3);
    TpgxXMLSerializer serializer;
    QStringList asked;
    serializer.SetAncestorLookup([&](const QString &name) -> QObject * {
        asked << name;
        return &ancestor;
    });
    EXPECT_EQ(serializer.PropsToAttrs(&box), "");
    EXPECT_EQ(asked, QStringList{QStringLiteral("Box1")});

    // An ancestor of another class is not compared with.
    TSerPage page(&report);
    serializer.SetAncestorLookup([&](const QString &) -> QObject * { return &page; });
    EXPECT_TRUE(serializer.PropsToAttrs(&box).startsWith(R"( Left="3")"));
}

TEST_F(SerializerWrite, MemoTextAndPropDataComeLast)
{
    TSerMemo memo(&report);
    memo.SetMemoText(QStringLiteral("Hello\r\nW\u00f6rld\r\n"));
    // One final line break is dropped; the text is UTF-8, escaped.
    EXPECT_TRUE(attrs(&memo).endsWith(" Text=\"Hello&#13;&#10;W\xc3\xb6rld\""))
        << attrs(&memo).constData();
    TSerMemo same(&report);
    same.SetMemoText(memo.MemoText());
    EXPECT_FALSE(attrs(&memo, &same).contains("Text="));

    TSerReport other;
    report.hostLeft = 40;
    report.hostTop = 152;
    other.hostLeft = 40;
    other.hostTop = 152;
    const QByteArray text = attrs(&report);
    EXPECT_TRUE(
        text.endsWith(R"( PropData="044C656674022803546F70039800095661726961626C65730100")"))
        << text.constData();
    // Same stream as the ancestor's (same CRC): left out.
    EXPECT_FALSE(attrs(&report, &other).contains("PropData"));
    other.hostTop = 0;
    EXPECT_TRUE(attrs(&report, &other).contains("PropData"));
}

TEST_F(SerializerWrite, ReferencesOutsideTheTreeAreNotWritten)
{
    TSerBox box(&report);
    TSerReport elsewhere;
    TSerBox foreign(&elsewhere);
    foreign.setComponentName(QStringLiteral("Foreign"));
    box.SetLink(&foreign);
    EXPECT_FALSE(attrs(&box).contains("Link"));
    // A component without any owner is written by its plain name.
    TSerNode loose;
    loose.setComponentName(QStringLiteral("Loose"));
    box.SetLink(&loose);
    EXPECT_TRUE(attrs(&box).endsWith(R"( Link="Loose")"));
}

TEST_F(SerializerWrite, WritingMarkIsSetOnlyDuringTheCall)
{
    TSerBox box(&report);
    bool seen = false;
    TpgxXMLSerializer serializer;
    serializer.SetAncestorLookup([&](const QString &) -> QObject * {
        seen = box.IsWriting();
        return nullptr;
    });
    serializer.PropsToAttrs(&box);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(box.IsWriting());
}

}   // namespace
