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
    TSerReport m_report;
};

TEST_F(SerializerLine, ObjectToLineAndBack)
{
    TSerMemo memo(&m_report);
    memo.setComponentName(QStringLiteral("Memo1"));
    memo.setLeft(10);
    memo.setAlign(TSerBox::baRight);
    memo.setMemoText(QStringLiteral("x\"y"));
    TpgxXMLSerializer writer;
    const QByteArray line = writer.objectToLine(&memo);
    EXPECT_EQ(
        line,
        R"(TSerMemo Left="10" Top="0" Width="0" Height="0" Align="baRight" Shadow="False" Lines.Text="" Text="x&#34;y")");

    TpgxXMLSerializer reader;
    std::unique_ptr<pgx::MetaComponent> copy(reader.lineToObject(&m_report, line, false));
    auto *memoCopy = qobject_cast<TSerMemo *>(copy.get());
    ASSERT_NE(memoCopy, nullptr);
    EXPECT_EQ(memoCopy->parentComponent(), &m_report);
    EXPECT_EQ(memoCopy->left(), 10);
    EXPECT_EQ(memoCopy->getAlign(), TSerBox::baRight);
    EXPECT_EQ(memoCopy->memoText(), QStringLiteral("x\"y"));
    EXPECT_FALSE(memoCopy->isLoading());
    EXPECT_EQ(memoCopy->loadedCount, 1);
    EXPECT_EQ(TpgxXMLSerializer().objectToLine(memoCopy), line);
}

TEST_F(SerializerLine, WriteObjectLineHasNoHeaderOrLineEnd)
{
    TSerPage page(&m_report);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TpgxXMLSerializer serializer(&buffer);
    serializer.writeObjectLine(&page);
    EXPECT_EQ(buffer.data(), R"(<TSerPage PaperWidth="210" Title="Untitled"/>)");
}

TEST_F(SerializerLine, BlankTextsGiveNothingAndUnknownClassesThrow)
{
    TpgxXMLSerializer serializer;
    EXPECT_EQ(serializer.lineToObject(&m_report, "", false), nullptr);
    EXPECT_EQ(serializer.lineToObject(&m_report, "   ", false), nullptr);
    EXPECT_THROW(serializer.lineToObject(&m_report, R"(TNoSuchClass Left="1")", false), pgx::Error);
    EXPECT_EQ(m_report.childCount(), 0);
}

TEST_F(SerializerLine, ReferencesAreResolvedOrSkippedOnRequest)
{
    TSerBox target(&m_report);
    target.setComponentName(QStringLiteral("Target"));
    TpgxXMLSerializer serializer;
    std::unique_ptr<pgx::MetaComponent> resolved(
        serializer.lineToObject(&m_report, R"(TSerBox Link="Target")", false));
    EXPECT_EQ(qobject_cast<TSerBox *>(resolved.get())->link(), &target);
    std::unique_ptr<pgx::MetaComponent> skipped(
        serializer.lineToObject(&m_report, R"(TSerBox Link="Target")", true));
    EXPECT_EQ(qobject_cast<TSerBox *>(skipped.get())->link(), nullptr);
    // The skipped reference is not resolved later either.
    serializer.fixupReferences();
    EXPECT_EQ(qobject_cast<TSerBox *>(skipped.get())->link(), nullptr);
}

TEST_F(SerializerLine, LineToItemFillsACollectionItem)
{
    TSerPage page(&m_report);
    page.setComponentName(QStringLiteral("Page1"));
    TSerVariable variable;
    TpgxXMLSerializer serializer;
    serializer.lineToItem(&m_report, &variable, R"x( Name="Total" Value="SUM(x)" Source="page1")x");
    EXPECT_EQ(variable.name(), QStringLiteral("Total"));
    EXPECT_EQ(variable.value(), QStringLiteral("SUM(x)"));
    EXPECT_EQ(variable.source(), &page);
}

TEST_F(SerializerLine, DifferenceFormAppliesOverTheSourceObject)
{
    // A prepared page stores an object as its source plus differences; the
    // differences read back over a copy of the source give the object.
    TSerMemo source(&m_report);
    source.setLeft(10);
    source.setMemoText(QStringLiteral("[Page#]"));
    TpgxXMLSerializer serializer;
    std::unique_ptr<pgx::MetaComponent> copy(
        serializer.lineToObject(&m_report, serializer.objectToLine(&source), true));
    serializer.attrsToProps(R"( t="20" h="5,5" Visible="0" Font.Style="2" u="3")", copy.get());
    auto *memo = qobject_cast<TSerMemo *>(copy.get());
    EXPECT_EQ(memo->left(), 10);
    EXPECT_EQ(memo->top(), 20);
    EXPECT_EQ(memo->height(), 5.5);
    EXPECT_FALSE(memo->visible());
    EXPECT_EQ(int(memo->font()->style()), 2);
    EXPECT_EQ(memo->memoText(), QStringLiteral("3"));
    EXPECT_TRUE(serializer.errors().isEmpty());
}

}   // namespace
