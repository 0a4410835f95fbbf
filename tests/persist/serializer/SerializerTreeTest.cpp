// Component trees to documents and back: templates, inheritance, Assign.

#include "TestComponents.h"

#include "persist/XMLDocument.h"
#include "persist/serializer/ComponentStreams.h"
#include "persist/serializer/PropData.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "support/GoldenFile.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtCore/QFile>

using pgx::TpgxXMLSerializer;

namespace {

QByteArray goldenFile(const char *name)
{
    QFile file(QStringLiteral(PGX_TEST_DATA "/persist/serializer/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QByteArray save(pgx::MetaComponent *component, bool children = true)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    pgx::saveComponentToStream(component, &buffer, children);
    return buffer.data();
}

QStringList load(pgx::MetaComponent *component, const QByteArray &text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return pgx::loadComponentFromStream(component, &buffer);
}

class SerializerTree : public ::testing::Test
{
protected:
    void SetUp() override { registerSerializerTestClasses(); }

    // A report with a page, a box linking to a memo declared after it, and
    // a variable that refers to the page.
    void build(TSerReport &report)
    {
        report.hostLeft = 40;
        report.hostTop = 152;
        report.reportOptions()->setDescription(
            {QStringLiteral("Sales"), QStringLiteral("by month")});
        report.setScriptText({QStringLiteral("begin"), QString(), QStringLiteral("end.")});
        auto *page = new TSerPage(&report);
        page->setComponentName(QStringLiteral("Page1"));
        auto *box = new TSerBox(page);
        box->setComponentName(QStringLiteral("Box1"));
        box->setLeft(18.89765);
        box->setTop(37.7953);
        box->setWidth(94.48825);
        box->setHeight(18.89765);
        box->setFrame(TSerBox::ftLeft | TSerBox::ftBottom);
        box->setParentFont(false);
        box->font()->setName(QStringLiteral("Tahoma"));
        box->font()->setStyle(TSerFont::fsBold);
        auto *memo = new TSerMemo(box);
        memo->setComponentName(QStringLiteral("Memo1"));
        memo->setWidth(100);
        memo->setCaption(QStringLiteral("\u017dlu\u0165ou\u010dk\u00fd k\u016f\u0148"));
        memo->setMemoText(QStringLiteral("Hello <b>\"world\"</b>\r\n[Date]"));
        box->setLink(memo);
        auto *variable = new TSerVariable(&report);
        variable->setName(QStringLiteral("Region"));
        variable->setValue(QStringLiteral("'North'"));
        variable->setSource(page);
        report.variables.append(variable);
    }
};

TEST_F(SerializerTree, TemplateMatchesTheGoldenFile)
{
    TSerReport report;
    build(report);
    const QByteArray text = save(&report);
    EXPECT_TRUE(pgx::test::matchesGoldenFile(
        text, QStringLiteral(PGX_TEST_DATA "/persist/serializer/tree.pgr")));
}

TEST_F(SerializerTree, SaveLoadSaveIsByteIdentical)
{
    const QByteArray golden = goldenFile("tree.pgr");
    TSerReport report;
    EXPECT_TRUE(load(&report, golden).isEmpty());
    EXPECT_EQ(save(&report), golden);

    // The loaded tree is the built one.
    ASSERT_EQ(report.childCount(), 1);
    auto *box = qobject_cast<TSerBox *>(report.findComponent(QStringLiteral("box1")));
    ASSERT_NE(box, nullptr);
    auto *memo = qobject_cast<TSerMemo *>(report.findComponent(QStringLiteral("Memo1")));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(box->link(), memo);   // a reference to an element read later
    EXPECT_EQ(memo->parentComponent(), box);
    EXPECT_EQ(memo->memoText(), QStringLiteral("Hello <b>\"world\"</b>\r\n[Date]"));
    EXPECT_EQ(memo->caption(), QStringLiteral("\u017dlu\u0165ou\u010dk\u00fd k\u016f\u0148"));
    EXPECT_EQ(box->font()->name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(report.hostLeft, 40);
    EXPECT_EQ(report.hostTop, 152);
    ASSERT_EQ(report.variables.size(), 1);
    EXPECT_EQ(report.variables[0]->value(), QStringLiteral("'North'"));
    EXPECT_EQ(report.variables[0]->source(), report.findComponent(QStringLiteral("Page1")));

    // Every component read got its after-loading step once, the report none,
    // and no loading mark is left.
    for (TSerNode *node : report.allObjects()) {
        EXPECT_EQ(node->loadedCount, 1) << node->componentName().toStdString();
        EXPECT_FALSE(node->isLoading());
    }
    EXPECT_EQ(report.loadedCount, 0);
}

TEST_F(SerializerTree, TreesGoIntoAndComeFromGivenItems)
{
    // Other stores (prepared pages, the clipboard) place a component's
    // element inside documents of their own.
    TSerReport report;
    build(report);
    pgx::TpgxXMLDocument document;
    pgx::TpgxXMLItem *holder = document.root()->add();
    auto *box = qobject_cast<TSerBox *>(report.findComponent(QStringLiteral("Box1")));
    TpgxXMLSerializer writer;
    writer.writeTree(box, true, holder);
    EXPECT_EQ(holder->name(), "TSerBox");
    EXPECT_TRUE(holder->text().startsWith(R"(Name="Box1" Left="18.89765")"))
        << holder->text().constData();
    ASSERT_EQ(holder->count(), 1);
    EXPECT_EQ(holder->items(0)->name(), "TSerMemo");

    TSerReport other;
    auto *target = new TSerBox(&other);
    TpgxXMLSerializer reader;
    reader.setOwner(&other);
    reader.readTree(target, holder);
    EXPECT_TRUE(reader.errors().isEmpty()) << reader.errors().join(';').toStdString();
    EXPECT_EQ(target->componentName(), QStringLiteral("Box1"));
    ASSERT_EQ(target->childCount(), 1);
    EXPECT_EQ(target->link(), target->childAt(0));   // resolved within the copy
}

TEST_F(SerializerTree, LoadingClearsTheComponentFirst)
{
    TSerReport report;
    auto *stale = new TSerBox(&report);
    stale->setComponentName(QStringLiteral("Stale"));
    load(&report, goldenFile("tree.pgr"));
    EXPECT_EQ(report.findComponent(QStringLiteral("Stale")), nullptr);
    EXPECT_EQ(report.allObjects().size(), 3);
}

TEST_F(SerializerTree, UnknownClassesAreSkippedWithTheirSubtree)
{
    TSerReport report;
    const QStringList errors = load(&report,
                                    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                                    "<TSerReport>\r\n"
                                    "  <TUnknownThing Name=\"X1\">\r\n"
                                    "    <TSerBox Name=\"Inside\"/>\r\n"
                                    "  </TUnknownThing>\r\n"
                                    "  <TSerPage Name=\"Page1\">\r\n"
                                    "    <TUnknownThing Name=\"X2\"/>\r\n"
                                    "    <TOtherThing/>\r\n"
                                    "    <TSerBox Name=\"Box1\" Left=\"oops\"/>\r\n"
                                    "  </TSerPage>\r\n"
                                    "</TSerReport>\r\n");
    EXPECT_EQ(errors,
              (QStringList{QStringLiteral("'oops' is not a valid floating point value"),
                           QStringLiteral("Cannot find class TOtherThing"),
                           QStringLiteral("Cannot find class TUnknownThing")}));
    EXPECT_EQ(report.findComponent(QStringLiteral("Inside")), nullptr);
    EXPECT_EQ(report.findComponent(QStringLiteral("X1")), nullptr);
    ASSERT_NE(report.findComponent(QStringLiteral("Box1")), nullptr);
}

TEST_F(SerializerTree, ReportsAreNotReadAsChildren)
{
    // Regression (found by the template loader fuzzer): a report inside a
    // page opened its own name scope, so its components could duplicate
    // names of the outer report and were merged into those on the next load.
    TSerReport report;
    const QStringList errors = load(&report,
                                    "<?xml version=\"1.0\"?><TSerReport><TSerPage Name=\"Page1\">"
                                    "<TSerReport><TSerPage Name=\"Page2\"/></TSerReport></TSerPage>"
                                    "<TSerPage Name=\"Page2\"/><TSerReport/></TSerReport>");
    EXPECT_EQ(errors,
              (QStringList{QStringLiteral("Cannot insert TSerReport into Page1"),
                           QStringLiteral("Cannot insert TSerReport into TSerReport")}));
    ASSERT_EQ(report.childCount(), 2);
    EXPECT_EQ(report.allObjects().size(), 2);
}

TEST_F(SerializerTree, SyntaxFaultsThrowAndEarlyEndsAreReported)
{
    TSerReport report;
    EXPECT_THROW(load(&report, "not xml at all"), pgx::Error);
    EXPECT_THROW(load(&report, "<?xml?><TSerReport><a></b></TSerReport>"), pgx::Error);

    // Cut in the middle of the file: what was read is there, and the user
    // learns that the rest is missing.
    const QByteArray golden = goldenFile("tree.pgr");
    const QByteArray cut = golden.left(golden.indexOf("<TSerMemo"));
    const QStringList errors = load(&report, cut);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_NE(report.findComponent(QStringLiteral("Box1")), nullptr);
    EXPECT_EQ(report.findComponent(QStringLiteral("Memo1")), nullptr);
}

TEST_F(SerializerTree, InheritedElementsFillExistingComponents)
{
    // The parent report's components exist before the read and are kept by
    // the clear; "inherited" elements only change them.
    TSerReport report;
    auto *page = new TSerPage(&report);
    page->setComponentName(QStringLiteral("Page1"));
    page->setIsAncestor(true);
    auto *box = new TSerBox(page);
    box->setComponentName(QStringLiteral("Box1"));
    box->setIsAncestor(true);
    box->setLeft(5);

    const QStringList errors = load(&report,
                                    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                                    "<TSerReport>\r\n"
                                    "  <inherited Name=\"Page1\">\r\n"
                                    "    <inherited Name=\"Box1\" Left=\"8\"/>\r\n"
                                    "    <inherited Name=\"Gone\">\r\n"
                                    "      <TSerBox Name=\"UnderGone\"/>\r\n"
                                    "    </inherited>\r\n"
                                    "    <TSerBox Name=\"Own\" Left=\"1\"/>\r\n"
                                    "  </inherited>\r\n"
                                    "</TSerReport>\r\n");
    EXPECT_TRUE(errors.isEmpty()) << errors.join(';').toStdString();
    EXPECT_EQ(box->left(), 8);
    EXPECT_EQ(report.findComponent(QStringLiteral("UnderGone")), nullptr);
    auto *own = report.findComponent(QStringLiteral("Own"));
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->parentComponent(), page);

    // Written back, inherited components keep the element name.
    const QByteArray text = save(&report);
    EXPECT_TRUE(text.contains("  <inherited Name=\"Page1\" ")) << text.constData();
    EXPECT_TRUE(text.contains("    <inherited Name=\"Box1\" ")) << text.constData();
    EXPECT_TRUE(text.contains("    <TSerBox Name=\"Own\" ")) << text.constData();
}

TEST_F(SerializerTree, AssignCopiesOwnPropertiesAndAssignTreeTheSubtree)
{
    TSerReport source;
    build(source);
    auto *sourceBox = qobject_cast<TSerBox *>(source.findComponent(QStringLiteral("Box1")));

    TSerReport other;
    auto *target = new TSerBox(&other);
    target->setComponentName(QStringLiteral("Target"));
    target->setCaption(QStringLiteral("to be cleared"));
    target->setVisible(false);
    auto *child = new TSerBox(target);
    Q_UNUSED(child);

    EXPECT_TRUE(pgx::assignComponent(target, sourceBox, false).isEmpty());
    EXPECT_EQ(target->componentName(), QStringLiteral("Target"));   // names stay
    EXPECT_EQ(target->childCount(), 0);                             // children go
    EXPECT_EQ(target->left(), sourceBox->left());
    EXPECT_EQ(target->font()->name(), QStringLiteral("Tahoma"));
    // The source's empty caption and default visibility are copied too.
    EXPECT_EQ(target->caption(), QString());
    EXPECT_TRUE(target->visible());

    TSerReport copy;
    EXPECT_TRUE(pgx::assignComponent(&copy, &source, true).isEmpty());
    EXPECT_EQ(save(&copy), save(&source));
}

TEST_F(SerializerTree, PropDataFaultsAreReported)
{
    struct Case
    {
        const char *attrs;
        const char *error;
    };
    const Case cases[] = {
        {R"( PropData="0G")", "Invalid PropData of TSerReport: not hexadecimal digits"},
        {R"( PropData="044C656674")",
         "Invalid PropData of TSerReport: value type runs past the end of the data at byte 5"},
        {R"( PropData="044661696C0200")", "Cannot read Fail"},
        {R"( PropData="095661726961626C6573010102280000")",
         "Invalid PropData: a collection item holds no text"},
    };
    for (const Case &c : cases) {
        TSerReport report;
        TpgxXMLSerializer serializer;
        serializer.setOwner(&report);
        serializer.attrsToProps(c.attrs, &report);
        EXPECT_EQ(serializer.errors(), QStringList{QString::fromLatin1(c.error)}) << c.attrs;
    }
}

TEST_F(SerializerTree, OlderCollectionFormIsRead)
{
    TSerReport report;
    auto *page = new TSerPage(&report);
    page->setComponentName(QStringLiteral("Page1"));
    // Variables in the older form: one item with Name, Value, Source and a
    // set given by element names (an unknown one among them).
    QByteArray bytes = QByteArray::fromHex("095661726961626C65730E01"
                                           "044E616D65"
                                           "0601"
                                           "41"
                                           "0556616C7565"
                                           "0203"
                                           "06536F75726365"
                                           "0605"
                                           "5061676531"
                                           "055369646573"
                                           "0B"
                                           "06"
                                           "66744C656674"
                                           "06"
                                           "66744E6F7065"
                                           "05"
                                           "6674546F70"
                                           "00"
                                           "0000");
    TpgxXMLSerializer serializer;
    serializer.setOwner(&report);
    serializer.attrsToProps(" PropData=\"" + pgx::persist::propDataToHex(bytes) + '"', &report);
    serializer.fixupReferences();
    EXPECT_TRUE(serializer.errors().isEmpty()) << serializer.errors().join(';').toStdString();
    ASSERT_EQ(report.variables.size(), 1);
    EXPECT_EQ(report.variables[0]->name(), QStringLiteral("A"));
    EXPECT_EQ(report.variables[0]->value(), QStringLiteral("3"));
    EXPECT_EQ(report.variables[0]->source(), page);
    EXPECT_EQ(int(report.variables[0]->sides()), TSerBox::ftLeft | TSerBox::ftTop);
}

}   // namespace
