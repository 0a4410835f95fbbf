// One-line object texts and the compact difference form of prepared pages.

#include "TestComponents.h"

#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>

#include <memory>

using pgx::TpgxXMLSerializer;

namespace {

class SerializerLine : public ::testing::Test
{
protected:
    void SetUp() override { registerSerializerTestClasses(); }
    TSerReport report;
};

TEST_F(SerializerLine, ObjectToLineAndBack)
{
    TSerMemo memo(&report);
    memo.setComponentName(QStringLiteral("Memo1"));
    memo.SetLeft(10);
    memo.SetAlign(TSerBox::baRight);
    memo.SetMemoText(QStringLiteral("x\"y"));
    TpgxXMLSerializer writer;
    const QByteArray line = writer.ObjectToLine(&memo);
    EXPECT_EQ(
        line,
        R"(TSerMemo Left="10" Top="0" Width="0" Height="0" Align="baRight" Shadow="False" Lines.Text="" Text="x&#34;y")");

    TpgxXMLSerializer reader;
    std::unique_ptr<pgx::MetaComponent> copy(reader.LineToObject(&report, line, false));
    auto *memoCopy = qobject_cast<TSerMemo *>(copy.get());
    ASSERT_NE(memoCopy, nullptr);
    EXPECT_EQ(memoCopy->parentComponent(), &report);
    EXPECT_EQ(memoCopy->Left(), 10);
    EXPECT_EQ(memoCopy->GetAlign(), TSerBox::baRight);
    EXPECT_EQ(memoCopy->MemoText(), QStringLiteral("x\"y"));
    EXPECT_FALSE(memoCopy->IsLoading());
    EXPECT_EQ(memoCopy->loadedCount, 1);
    EXPECT_EQ(TpgxXMLSerializer().ObjectToLine(memoCopy), line);
}

TEST_F(SerializerLine, WriteObjectLineHasNoHeaderOrLineEnd)
{
    TSerPage page(&report);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TpgxXMLSerializer serializer(&buffer);
    serializer.WriteObjectLine(&page);
    EXPECT_EQ(buffer.data(), R"(<TSerPage PaperWidth="210" Title="Untitled"/>)");
}

TEST_F(SerializerLine, BlankTextsGiveNothingAndUnknownClassesThrow)
{
    TpgxXMLSerializer serializer;
    EXPECT_EQ(serializer.LineToObject(&report, "", false), nullptr);
    EXPECT_EQ(serializer.LineToObject(&report, "   ", false), nullptr);
    EXPECT_THROW(serializer.LineToObject(&report, R"(TNoSuchClass Left="1")", false), pgx::Error);
    EXPECT_EQ(report.childCount(), 0);
}

TEST_F(SerializerLine, ReferencesAreResolvedOrSkippedOnRequest)
{
    TSerBox target(&report);
    target.setComponentName(QStringLiteral("Target"));
    TpgxXMLSerializer serializer;
    std::unique_ptr<pgx::MetaComponent> resolved(
        serializer.LineToObject(&report, R"(TSerBox Link="Target")", false));
    EXPECT_EQ(qobject_cast<TSerBox *>(resolved.get())->Link(), &target);
    std::unique_ptr<pgx::MetaComponent> skipped(
        serializer.LineToObject(&report, R"(TSerBox Link="Target")", true));
    EXPECT_EQ(qobject_cast<TSerBox *>(skipped.get())->Link(), nullptr);
    // The skipped reference is not resolved later either.
    serializer.FixupReferences();
    EXPECT_EQ(qobject_cast<TSerBox *>(skipped.get())->Link(), nullptr);
}

TEST_F(SerializerLine, LineToItemFillsACollectionItem)
{
    TSerPage page(&report);
    page.setComponentName(QStringLiteral("Page1"));
    TSerVariable variable;
    TpgxXMLSerializer serializer;
    serializer.LineToItem(&report, &variable, R"x( Name="Total" Value="SUM(x)" Source="page1")x");
    EXPECT_EQ(variable.Name(), QStringLiteral("Total"));
    EXPECT_EQ(variable.Value(), QStringLiteral("SUM(x)"));
    EXPECT_EQ(variable.Source(), &page);
}

TEST_F(SerializerLine, DifferenceFormAppliesOverTheSourceObject)
{
    // A prepared page stores an object as its source plus differences; the
    // differences read back over a copy of the source give the object.
    TSerMemo source(&report);
    source.SetLeft(10);
    source.SetMemoText(QStringLiteral("[Page#]"));
    TpgxXMLSerializer serializer;
    std::unique_ptr<pgx::MetaComponent> copy(
        serializer.LineToObject(&report, serializer.ObjectToLine(&source), true));
    serializer.AttrsToProps(R"( t="20" h="5,5" Visible="0" Font.Style="2" u="3")", copy.get());
    auto *memo = qobject_cast<TSerMemo *>(copy.get());
    EXPECT_EQ(memo->Left(), 10);
    EXPECT_EQ(memo->Top(), 20);
    EXPECT_EQ(memo->Height(), 5.5);
    EXPECT_FALSE(memo->Visible());
    EXPECT_EQ(int(memo->Font()->Style()), 2);
    EXPECT_EQ(memo->MemoText(), QStringLiteral("3"));
    EXPECT_TRUE(serializer.Errors().isEmpty());
}

}   // namespace
