// The store as the engine and the preview use it: what goes into a page
// node, keeps (cut and paste), writing over pages, editing, the page cache
// and the file cache.

#include "PreparedTestSupport.h"

#include "persist/XMLItem.h"
#include "persist/serializer/XMLSerializer.h"
#include "report/root/RegisterClasses.h"
#include "report/root/ReportOptions.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

#include <algorithm>
#include <memory>

namespace pgx::test {
namespace {

TEST(PreviewDictionary, FreeAliasHalvesFromTenThousandThenCountsUp)
{
    struct Case
    {
        QStringList taken;
        const char *expected;
    };
    const Case cases[] = {
        {{}, "m1"},
        {{"m1"}, "m2"},
        {{"m1", "m2"}, "m3"},
        {{"m1", "m2", "m3", "m4"}, "m5"},
        // 2 is taken, so the halving stops there and counts up past it,
        // although 1 is free.
        {{"m2"}, "m3"},
        {{"m10000"}, "m10001"},
        {{"m9", "m10"}, "m11"},
        {{"b1"}, "m1"},
    };
    for (const Case &c : cases) {
        QMap<QString, int> taken;
        for (const QString &alias : c.taken)
            taken.insert(alias, 0);
        EXPECT_EQ(TpgxDictionary::freeAlias(QStringLiteral("m"), taken), QLatin1String(c.expected))
            << c.taken.join(u',').toStdString();
    }
}

TEST(PreviewDictionary, SourceObjectsGetAliasesByKind)
{
    PreparedReport r;
    r.store.addSourcePage(r.page);
    const TpgxDictionary &d = r.store.dictionary();
    const std::pair<TpgxComponent *, const char *> expected[] = {
        {r.band, "b1"},   {r.name, "m1"},  {r.amount, "m2"},
        {r.header, "b2"}, {r.title, "m3"}, {r.footer, "b3"},
    };
    for (const auto &[object, alias] : expected) {
        EXPECT_EQ(d.aliasOf(object), QLatin1String(alias)) << object->name().toStdString();
        // The copy answers to the same alias and carries the path.
        const TpgxDictionary::Entry *entry = d.find(QLatin1String(alias));
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->sourcePath, QStringLiteral("Page0.") + object->name());
        EXPECT_EQ(d.aliasOf(entry->copy), QLatin1String(alias));
    }
    EXPECT_EQ(d.aliasOf(builtObject(r.store.sourcePage(0), QStringLiteral("Line1"))),
              QLatin1String("l1"));
}

TEST(PreviewPages, ObjectNodesHoldOnlyWhatDiffersFromTheSource)
{
    struct Case
    {
        const char *what;
        double left;
        QString text;
        QByteArray expected;
    };
    const Case cases[] = {
        {"unchanged text", 15, QStringLiteral("[Name]"), R"(u="[Name]")"},
        {"new text", 15, QStringLiteral("Ann & Bob"), R"(u="Ann &#38; Bob")"},
        {"moved", 40.5, QStringLiteral("[Name]"), R"(l="40.5" u="[Name]")"},
        {"empty text", 15, QString(), R"(u="")"},
    };
    for (const Case &c : cases) {
        PreparedReport r;
        r.store.addSourcePage(r.page);
        r.store.addPage(r.page);
        r.name->setLeft(c.left);
        r.name->setText(c.text);
        r.store.addObject(r.band);
        // The band always carries its top; the memo sits at index 1 of its
        // band node.
        TpgxXMLItem *bandNode
            = r.store.document().root()->findItem("previewpages")->items(0)->items(0);
        EXPECT_EQ(bandNode->name(), "b1") << c.what;
        EXPECT_EQ(bandNode->text(), R"(t="60")") << c.what;
        EXPECT_EQ(bandNode->items(0)->name(), "m1") << c.what;
        EXPECT_EQ(bandNode->items(0)->text(), c.expected) << c.what;
    }
}

TEST(PreviewPages, BandPrintedTwiceGivesTwoNodesOfOneAlias)
{
    PreparedReport r;
    r.run(1, 2);
    EXPECT_EQ(nodeName(r.store, 0, 1), "b1");
    EXPECT_EQ(nodeName(r.store, 0, 2), "b1");
    EXPECT_EQ(nodeText(r.store, 0, 1), R"(t="60")");
    EXPECT_EQ(nodeText(r.store, 0, 2), R"(t="80")");
    // Both come back as objects of the one name, each at its own place.
    TpgxReportPage *page = r.store.getPage(0);
    ASSERT_TRUE(page);
    QList<double> tops;
    for (TpgxComponent *c : page->objects())
        if (c->name() == QLatin1String("Band1"))
            tops << c->top();
    EXPECT_EQ(tops, (QList<double>{60, 80}));
}

TEST(PreviewPages, InvisibleObjectsAndObjectsWithoutSourceAreWrittenAsTheyAre)
{
    PreparedReport r;
    r.store.addSourcePage(r.page);
    r.store.addPage(r.page);
    r.amount->setVisible(false);
    auto *made = PreparedReport::memo(r.band, QStringLiteral("Made"), 5, 6, 70, 8,
                                      QStringLiteral("by a script"));
    r.store.addObject(r.band);
    TpgxXMLItem *bandNode = r.store.document().root()->findItem("previewpages")->items(0)->items(0);
    ASSERT_EQ(bandNode->count(), 2);   // Name, Made; Amount is not visible
    EXPECT_EQ(bandNode->items(1)->name(), "TpgxMemoView");
    EXPECT_TRUE(bandNode->items(1)->text().startsWith(R"(Name="Made")"));
    TpgxReportPage *page = r.store.getPage(0);
    auto *built = builtObject<TpgxMemoView>(page, QStringLiteral("Made"));
    ASSERT_TRUE(built);
    EXPECT_EQ(built->text(), made->text());
    EXPECT_EQ(built->width(), 70);
    EXPECT_FALSE(builtObject(page, QStringLiteral("Amount")));
}

TEST(PreviewPages, CutObjectsPasteAtThePointKeepingTheirPlaces)
{
    PreparedReport r;
    r.store.addSourcePage(r.page);
    r.store.addPage(r.page);
    r.store.addObject(r.header);
    const int mark = r.store.currentPosition();
    ASSERT_EQ(mark, 1);
    // Two bands: the first keeps its template's left (no "l" in its node).
    r.printRow(500, QStringLiteral("a"), QStringLiteral("1"));
    r.band->setLeft(25);
    r.printRow(530, QStringLiteral("b"), QStringLiteral("2"));
    r.store.cutObjects(mark);
    EXPECT_EQ(r.store.currentPosition(), 1);
    r.store.pasteObjects(100, 200);
    EXPECT_EQ(r.store.currentPosition(), 3);
    TpgxReportPage *page = r.store.getPage(0);
    QList<QPointF> places;
    for (TpgxComponent *c : page->objects())
        if (c->name() == QLatin1String("Band1"))
            places << QPointF(c->left(), c->top());
    // The first lands exactly on the point; the second stays 25 right and 30
    // below it (a missing "l" is the source's 0, not a guess).
    EXPECT_EQ(places, (QList<QPointF>{{100, 200}, {125, 230}}));
    EXPECT_EQ(r.store.document().root()->find("cutted"), -1);
}

TEST(PreviewPages, PasteTakesAMissingLeftFromTheSourceObject)
{
    PreparedReport r;
    r.store.addSourcePage(r.page);
    r.store.addPage(r.page);
    r.store.addObject(r.band);   // Band1 with Name (left 15) and Amount (left 300)
    TpgxXMLItem *bandNode = r.store.document().root()->findItem("previewpages")->items(0)->items(0);
    // Move the band's views out onto the page, as a column would.
    TpgxXMLItem *page = bandNode->parent();
    page->addItem(bandNode->items(0));
    page->addItem(bandNode->items(0));
    r.store.cutObjects(1);
    r.store.pasteObjects(100, 50);
    // Name had no "l": its 15 is the reference, so Amount lands 285 right.
    EXPECT_EQ(nodeText(r.store, 0, 1), R"(u="[Name]" l="100" t="50")");
    EXPECT_EQ(nodeText(r.store, 0, 2), R"(u="[Amount]" l="385" t="50")");
}

TEST(PreviewPages, AddingAPageWritesOverTheNextExistingPage)
{
    struct Case
    {
        TpgxPreviewPages::AddAction action;
        int expectedCount;
        int expectedCurrent;
    };
    const Case cases[] = {
        {TpgxPreviewPages::AddAction::WriteOver, 3, 1},
        {TpgxPreviewPages::AddAction::Append, 4, 3},
    };
    for (const Case &c : cases) {
        PreparedReport r;
        r.run(3, 1);
        r.store.setCurrentPage(0);   // back to an earlier page
        r.store.setAddAction(c.action);
        r.store.addPage(r.page);
        EXPECT_EQ(r.store.count(), c.expectedCount);
        EXPECT_EQ(r.store.currentPage(), c.expectedCurrent);
    }
}

TEST(PreviewPages, BandOnPageAndLowestBottom)
{
    PreparedReport r;
    r.store.addSourcePage(r.page);
    r.store.addPage(r.page);
    EXPECT_EQ(r.store.lowestBandBottom(), 0);
    EXPECT_FALSE(r.store.bandOnCurrentPage(r.band));
    r.store.addObject(r.header);
    r.printRow(60, QStringLiteral("a"), QStringLiteral("1"));
    r.band->setHeight(35);
    r.printRow(80, QStringLiteral("b"), QStringLiteral("2"));
    r.store.addObject(r.footer);   // left out of the lowest bottom
    EXPECT_EQ(r.store.lowestBandBottom(), 115);
    EXPECT_TRUE(r.store.bandOnCurrentPage(r.band));
    // Another page footer counts as the same band.
    auto *otherFooter = new TpgxPageFooter(r.page);
    EXPECT_TRUE(r.store.bandOnCurrentPage(otherFooter));
}

TEST(PreviewPages, EditingPages)
{
    PreparedReport r;
    r.run(1, 1);
    r.store.deletePage(0);   // the only page stays
    EXPECT_EQ(r.store.count(), 1);
    EXPECT_EQ(r.store.pageSize(-1), QSize());
    EXPECT_EQ(r.store.pageSize(1), QSize());
    EXPECT_EQ(r.store.pageSize(0), QSize(794, 1123));   // A4 in report units
    EXPECT_FALSE(r.store.getPage(-1));
    EXPECT_FALSE(r.store.getPage(1));

    r.store.addEmptyPage(0);
    ASSERT_EQ(r.store.count(), 2);
    EXPECT_EQ(r.store.document().root()->findItem("previewpages")->items(0)->name(), "page0");
    EXPECT_EQ(r.store.getPage(0)->objects().size(), 0);
    EXPECT_GT(r.store.getPage(1)->objects().size(), 0);

    // A page edited in the preview comes back as it was stored.
    TpgxReportPage *edited = r.store.getPage(1);
    builtObject<TpgxMemoView>(edited, QStringLiteral("Name"))->setText(QStringLiteral("edited"));
    r.store.modifyPage(1, edited);
    TpgxXMLItem *pages = r.store.document().root()->findItem("previewpages");
    EXPECT_EQ(pages->items(1)->name(), "TpgxReportPage");
    EXPECT_FALSE(pages->items(1)->swappable());
    EXPECT_EQ(
        builtObject<TpgxMemoView>(r.store.getPage(1), QStringLiteral("Name"))->memo().value(0),
        QStringLiteral("edited"));

    r.store.deletePage(0);
    EXPECT_EQ(r.store.count(), 1);
    EXPECT_EQ(pages->items(0)->name(), "TpgxReportPage");
}

TEST(PreviewPages, PagesOfAnotherReportAreAppendedWhole)
{
    PreparedReport a;
    a.run(2, 1);
    PreparedReport b;
    b.run(1, 3);
    a.store.addPagesOf(b.store);
    ASSERT_EQ(a.store.count(), 3);
    auto *memo = builtObject<TpgxMemoView>(a.store.getPage(2), QStringLiteral("Name"));
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->memo().value(0), QStringLiteral("Row 1"));
}

TEST(PreviewPages, PagesBeyondTheSecondSwapToTheTemporaryFile)
{
    QTemporaryDir temp;
    PreparedReport r;
    r.report.engineOptions()->useFileCache = true;
    r.report.engineOptions()->maxMemSize = 0;   // swap at every page
    r.report.engineOptions()->tempDir = temp.path();
    r.report.previewOptions()->pagesInCache = 2;
    r.run(6, 2);
    TpgxXMLItem *pages = r.store.document().root()->findItem("previewpages");
    QList<bool> inMemory;
    for (int i = 0; i < pages->count(); ++i)
        inMemory << pages->items(i)->inMemory();
    // The first two pages never leave; swapping stops before the page that
    // was last when the newest one was added.
    EXPECT_EQ(inMemory, (QList<bool>{true, true, false, false, true, true}));
    // Built back, swapped out again when the cache lets it go.
    for (int i = 0; i < 6; ++i) {
        auto *memo = builtObject<TpgxMemoView>(r.store.getPage(i), QStringLiteral("Name"));
        ASSERT_TRUE(memo) << i;
        EXPECT_EQ(memo->memo().value(0), QStringLiteral("Row %1").arg(2 * i + 1));
    }
    EXPECT_FALSE(pages->items(2)->inMemory());
    EXPECT_TRUE(pages->items(5)->inMemory() || !pages->items(5)->swappable());
}

// Building a page reads its node back from the temporary file; letting the
// page go must not write that unchanged node to the file again (the file
// would grow with every look at a page), while a node the store changed in
// the meantime is written anew.
TEST(PreviewPages, UnchangedPagesAreNotWrittenBackToTheTemporaryFile)
{
    QTemporaryDir temp;
    PreparedReport r;
    r.report.engineOptions()->useFileCache = true;
    r.report.engineOptions()->maxMemSize = 0;
    r.report.engineOptions()->tempDir = temp.path();
    r.report.previewOptions()->pagesInCache = 1;
    r.run(6, 2);
    // Where each page stands in the file: a page written again moves to its end.
    TpgxXMLItem *pages = r.store.document().root()->findItem("previewpages");
    const auto places = [pages] {
        QList<qint64> offsets;   // -1: in memory
        for (int i = 0; i < pages->count(); ++i)
            offsets << (pages->items(i)->inMemory() ? -1 : qint64(pages->items(i)->offset()));
        return offsets;
    };
    const auto buildAll = [&r] {
        for (int i = 0; i < 6; ++i)
            ASSERT_TRUE(r.store.getPage(i)) << i;
    };
    // The first time round, pages that were never out go to the file.
    buildAll();
    const QList<qint64> before = places();
    ASSERT_GE(before[2], 0);
    ASSERT_GT(before[3], before[2]);
    buildAll();
    buildAll();
    EXPECT_EQ(places(), before);

    // Page 3 built, then written over while it is cached.
    ASSERT_TRUE(r.store.getPage(2));
    r.store.setCurrentPage(2);
    r.printRow(100, QStringLiteral("Added"), QStringLiteral("1"));
    ASSERT_TRUE(r.store.getPage(0));   // lets page 3 go
    const QList<qint64> after = places();
    EXPECT_GT(after[2], before[4]);
    EXPECT_EQ(after[3], before[3]);
    const QList<TpgxComponent *> objects = r.store.getPage(2)->allObjects();
    EXPECT_TRUE(std::any_of(objects.begin(), objects.end(), [](TpgxComponent *c) {
        auto *memo = qobject_cast<TpgxMemoView *>(c);
        return memo && memo->memo().value(0) == QStringLiteral("Added");
    }));
}

// Objects are built from their source's description parsed once; what they
// hold must be what reading the description's text gives, for every kind of
// property and for faulty values (which stay faults, reported the same way).
TEST(PreviewPages, ParsedDescriptionsBuildWhatTheirTextBuilds)
{
    ensureGuiApplication();
    pgx::registerReportClasses();
    const char *lines[] = {
        "TpgxMemoView Left=\"1,5\" Top=\"2\" Width=\"30.25\" Height=\"18\" Text=\"a&#34;b\"",
        "TpgxMemoView Font.Name=\"DejaVu Sans\" Font.Style=\"3\" ParentFont=\"False\" "
        "Frame.Typ=\"5\" Frame.LeftLine.Width=\"2\" HAlign=\"haRight\" VAlign=\"1\"",
        "TpgxMemoView Highlight.Active=\"True\" Highlight.Color=\"255\" WordWrap=\"False\" "
        "Tag=\"7\" Description=\"&#60;d&#62;\" u=\"utf &#38; 8\"",
        // Faults: an integer that is none, an unknown enumeration value, an
        // unknown property, a dotted name that leads nowhere.
        "TpgxMemoView Tag=\"x\" HAlign=\"haNowhere\" Unknown=\"1\" Font.Nothing=\"2\" "
        "Frame.Typ.More=\"3\"",
        "TpgxLineView l=\"5\" t=\"6\" w=\"7\" h=\"0\" Frame.Color=\"16711680\"",
        "TpgxMasterData Height=\"20\" Top=\"40\" Stretched=\"True\" DataSetName=\"sales\"",
        "",
    };
    int withFaults = 0;
    for (const char *line : lines) {
        SCOPED_TRACE(line);
        TpgxReportPage page;
        pgx::TpgxXMLSerializer fromText;
        pgx::TpgxXMLSerializer fromParsed;
        std::unique_ptr<pgx::MetaComponent> a(fromText.lineToObject(&page, line, true));
        const pgx::ParsedObjectLine parsed = pgx::TpgxXMLSerializer::parseObjectLine(line);
        std::unique_ptr<pgx::MetaComponent> b(fromParsed.lineToObject(&page, parsed, true));
        ASSERT_EQ(a == nullptr, b == nullptr);
        EXPECT_EQ(fromParsed.errors(), fromText.errors());
        withFaults += fromText.errors().isEmpty() ? 0 : 1;
        if (!a)
            continue;
        pgx::TpgxXMLSerializer writer;
        writer.setWriteAllValues(true);
        EXPECT_EQ(writer.objectToLine(b.get()), writer.objectToLine(a.get()));
    }
    EXPECT_EQ(withFaults, 1);
}

TEST(PreviewPages, PageCacheKeepsTheMostRecentlyUsedPages)
{
    PreparedReport r;
    r.report.previewOptions()->pagesInCache = 2;
    r.run(3, 1);
    TpgxReportPage *first = r.store.getPage(0);
    EXPECT_EQ(r.store.getPage(0), first);
    r.store.getPage(1);
    EXPECT_EQ(r.store.getPage(0), first);   // still cached, now most recent
    // An edit made to a cached page is what the next caller sees...
    builtObject<TpgxMemoView>(first, QStringLiteral("Name"))->setText(QStringLiteral("x"));
    EXPECT_EQ(
        builtObject<TpgxMemoView>(r.store.getPage(0), QStringLiteral("Name"))->memo().value(0),
        QStringLiteral("x"));
    // ...until two other pages pushed it out: then it is built again.
    r.store.getPage(1);
    r.store.getPage(2);
    EXPECT_EQ(
        builtObject<TpgxMemoView>(r.store.getPage(0), QStringLiteral("Name"))->memo().value(0),
        QStringLiteral("Row 1"));
}

}   // namespace
}   // namespace pgx::test
