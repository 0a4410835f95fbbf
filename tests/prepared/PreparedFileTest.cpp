// .pgp files, anchors, the outline and logical page numbers, which all
// travel in them.

#include "PreparedTestSupport.h"

#include "persist/XMLItem.h"
#include "report/root/ReportOptions.h"
#include "report/views/SamplePictures.h"
#include "report/views/TpgxPictureView.h"
#include "support/GoldenFile.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QLocale>
#include <QtCore/QTemporaryDir>

namespace pgx::test {
namespace {

const QString kGolden = QStringLiteral(PGX_TEST_DATA "/prepared/orders.pgp");

// Three pages with outline items, anchors and a fractional position, as the
// golden file keeps them.
void fillOrders(PreparedReport &r)
{
    r.name->setLeft(15.25);
    r.run(3, 2);
    r.store.setCurrentPage(0);
    r.store.outline().addItem(QStringLiteral("Orders <all>"), 0);
    r.store.outline().addItem(QStringLiteral("Row 1"), 60);
    r.store.outline().levelRoot();
    r.store.setCurrentPage(2);
    r.store.outline().addItem(QStringLiteral("Row 5"), 60);
    r.store.addAnchor(QStringLiteral("Totals"), 80.5);
    r.store.setCurrentPage(1);
    r.store.addAnchor(QStringLiteral("Middle \"quoted\""), 61.5);
}

TEST(PreparedFile, SavedFileIsTheGoldenFileAndLoadsBackByteForByte)
{
    PreparedReport r;
    // Numbers keep "." whatever the locale.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    fillOrders(r);
    const QByteArray first = r.saved();
    QLocale::setDefault(before);
    EXPECT_TRUE(matchesGoldenFile(first, kGolden));

    PreparedReport other;
    QBuffer in;
    in.setData(first);
    in.open(QIODevice::ReadOnly);
    ASSERT_EQ(other.store.loadFromStream(in), QString());
    EXPECT_TRUE(other.store.errors().isEmpty()) << other.store.errors().join('\n').toStdString();
    const QString difference = lineDifference(first, other.saved());
    EXPECT_TRUE(difference.isEmpty()) << difference.toStdString();
}

TEST(PreparedFile, LoadingReproducesPagesOutlineAnchorsAndNumbers)
{
    PreparedReport r;
    fillOrders(r);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("orders.pgp"));
    ASSERT_EQ(r.store.saveToFile(path), QString());

    TpgxReport report;
    TpgxPreviewPages loaded(&report);
    ASSERT_TRUE(loaded.loadFromFile(path)) << loaded.errorString().toStdString();
    EXPECT_EQ(report.reportOptions()->name, QStringLiteral("Orders & \"totals\""));
    ASSERT_EQ(loaded.count(), 3);
    for (int i = 0; i < 3; ++i) {
        TpgxReportPage *a = r.store.getPage(i);
        TpgxReportPage *b = loaded.getPage(i);
        ASSERT_TRUE(a && b);
        const QList<TpgxComponent *> objectsA = a->allObjects();
        const QList<TpgxComponent *> objectsB = b->allObjects();
        ASSERT_EQ(objectsA.size(), objectsB.size()) << i;
        for (qsizetype k = 0; k < objectsA.size(); ++k) {
            EXPECT_EQ(objectsA[k]->name(), objectsB[k]->name());
            EXPECT_EQ(objectsA[k]->absTop(), objectsB[k]->absTop());
            EXPECT_EQ(objectsA[k]->absLeft(), objectsB[k]->absLeft());
            if (auto *memo = qobject_cast<TpgxMemoView *>(objectsA[k])) {
                EXPECT_EQ(memo->text(), qobject_cast<TpgxMemoView *>(objectsB[k])->text());
            }
        }
    }
    TpgxOutline &outline = loaded.outline();
    outline.levelRoot();
    ASSERT_EQ(outline.count(), 2);
    EXPECT_EQ(outline.item(0).text, QStringLiteral("Orders <all>"));
    EXPECT_EQ(outline.item(1).page, 2);
    outline.levelInto(0);
    ASSERT_EQ(outline.count(), 1);
    EXPECT_EQ(outline.item(0).top, 60);
    EXPECT_EQ(loaded.anchorPage(QStringLiteral("totals")), 3);
    EXPECT_EQ(loaded.anchorPage(QStringLiteral("middle \"QUOTED\"")), 2);
    loaded.setCurrentPage(2);
    EXPECT_EQ(loaded.logicalPageNumber(), 3);
    EXPECT_EQ(loaded.logicalTotalPages(0), 3);
}

TEST(PreparedFile, SavingOverTheFileItWasLoadedFromKeepsThePagesStillInIt)
{
    PreparedReport r;
    fillOrders(r);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("orders.pgp"));
    ASSERT_EQ(r.store.saveToFile(path), QString());
    QFile original(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    TpgxReport report;
    TpgxPreviewPages loaded(&report);
    ASSERT_TRUE(loaded.loadFromFile(path));
    // The third page is swappable and stays in the file until it is built.
    EXPECT_FALSE(loaded.document().root()->findItem("previewpages")->items(2)->inMemory());
    ASSERT_EQ(loaded.saveToFile(path), QString());
    QFile again(path);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), before);
    auto *memo = builtObject<TpgxMemoView>(loaded.getPage(2), QStringLiteral("Name"));
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->memo().value(0), QStringLiteral("Row 5"));
}

TEST(PreparedFile, ADamagedOrMissingFileLeavesTheStoreAsItWas)
{
    PreparedReport source;
    fillOrders(source);
    const QByteArray good = source.saved();
    struct Case
    {
        const char *what;
        QByteArray content;
        const char *reason;   // part of the message
    };
    const Case cases[] = {
        {"cut short", good.left(good.size() / 2), "Invalid file format"},
        {"not XML", "just text", "Invalid file format"},
        {"another document", "<?xml version=\"1.0\"?>\r\n<TpgxReport/>", "Not a prepared report"},
        {"unknown source page class",
         "<?xml version=\"1.0\"?><preparedreport><sourcepages><TFoo/></sourcepages>"
         "</preparedreport>",
         "TFoo"},
    };
    for (const Case &c : cases) {
        PreparedReport r;
        r.run(2, 1);
        const QByteArray before = r.saved();
        QBuffer in;
        in.setData(c.content);
        in.open(QIODevice::ReadOnly);
        const QString error = r.store.loadFromStream(in);
        EXPECT_TRUE(error.contains(QLatin1String(c.reason), Qt::CaseInsensitive))
            << c.what << ": " << error.toStdString();
        EXPECT_EQ(r.store.count(), 2) << c.what;
        EXPECT_EQ(r.saved(), before) << c.what;
    }
    PreparedReport r;
    r.run(1, 1);
    EXPECT_FALSE(r.store.loadFromFile(QStringLiteral("/nonexistent/orders.pgp")));
    EXPECT_TRUE(r.store.errorString().contains(QLatin1String("does not exist")));
    EXPECT_EQ(r.store.count(), 1);
}

TEST(PreparedFile, UnknownNamesOnPagesAreErrorsNotCrashes)
{
    PreparedReport source;
    source.run(1, 1);
    const QByteArray good = source.saved();
    struct Case
    {
        const char *what;
        QByteArray from, to;
        const char *error;
    };
    const Case cases[] = {
        {"page out of range", "<page0>", "<page7>", "Page 1 names no source page (page7)"},
        {"missing alias", "<m1 ", "<m99 ", "Unknown object m99 on page 1"},
        {"unknown class", "<m2 ", "<TNoSuchView ", "Unknown object TNoSuchView on page 1"},
        {"alias of no object", "<m2 name=\"Page0.Amount\"", "<m2 name=\"Page0.Gone\"",
         "The alias m2 names no source object (Page0.Gone)"},
    };
    for (const Case &c : cases) {
        // The first occurrence in the section the case is about.
        QByteArray damaged = good;
        const QByteArray section
            = QByteArray(c.from).contains("name=") ? "<dictionary>" : "<previewpages>";
        const qsizetype at = damaged.indexOf(c.from, damaged.indexOf(section));
        ASSERT_GE(at, 0) << c.what;
        damaged.replace(at, c.from.size(), c.to);
        if (c.from == "<page0>")
            damaged.replace(damaged.indexOf("</page0>"), 8, "</page7>");
        PreparedReport r;
        QBuffer in;
        in.setData(damaged);
        in.open(QIODevice::ReadOnly);
        ASSERT_EQ(r.store.loadFromStream(in), QString()) << c.what;
        EXPECT_TRUE(r.store.errors().contains(QLatin1String(c.error)))
            << c.what << ": " << r.store.errors().join(u'|').toStdString();
        // Building skips what cannot be built.
        r.store.getPage(0);
        QImage image(50, 50, QImage::Format_RGB32);
        QPainter painter(&image);
        r.store.drawPage(0, &painter, 0.1, 0.1, 0, 0);
    }
}

TEST(PreparedFile, PicturesGoThroughTheCache)
{
    PreparedReport r;
    auto *picture = new TpgxPictureView(r.band);
    picture->setName(QStringLiteral("Logo"));
    picture->setBounds(500, 0, 16, 16);
    r.store.addSourcePage(r.page);
    r.store.addPage(r.page);
    // The row's picture differs from the template's (which has none).
    picture->picture()->setGraphic("TPngImage", encoded(sampleImage(), "PNG"));
    r.store.addObject(r.band);
    EXPECT_EQ(r.store.pictureCount(), 1);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_EQ(r.store.saveToStream(buffer), QString());
    EXPECT_TRUE(buffer.data().contains("<picturecache>"));

    TpgxReport report;
    TpgxPreviewPages loaded(&report);
    QBuffer in;
    in.setData(buffer.data());
    in.open(QIODevice::ReadOnly);
    ASSERT_EQ(loaded.loadFromStream(in), QString());
    auto *built = builtObject<TpgxPictureView>(loaded.getPage(0), QStringLiteral("Logo"));
    ASSERT_TRUE(built);
    EXPECT_EQ(built->picture()->graphicData(), encoded(sampleImage(), "PNG"));
}

TEST(PreparedAnchors, FindShiftAndPage)
{
    PreparedReport r;
    r.run(3, 1);
    r.store.setCurrentPage(0);
    r.store.addAnchor(QStringLiteral("Top"), 10.5);   // ties to even: 10
    r.store.setCurrentPage(1);
    r.store.addAnchor(QStringLiteral("top"), 20);
    r.store.addAnchor(QStringLiteral("Other"), 30);
    EXPECT_EQ(r.store.anchorCount(), 3);
    EXPECT_EQ(r.store.findAnchor(QStringLiteral("TOP")), 1);   // the last one
    EXPECT_EQ(r.store.findAnchor(QStringLiteral("none")), -1);
    EXPECT_EQ(r.store.anchorPage(QStringLiteral("none")), 1);
    EXPECT_EQ(r.store.anchorPage(QStringLiteral("Top")), 2);
    // A keep moved what followed anchor 0 to the next page, top 5.
    r.store.shiftAnchors(0, 5);
    TpgxXMLItem *anchors = r.store.document().root()->findItem("anchors");
    const QByteArray expected[]
        = {R"(text="Top" page="0" top="10")", R"(text="top" page="2" top="5")",
           R"(text="Other" page="2" top="15")"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(anchors->items(i)->text(), expected[i]);
}

TEST(PreparedOutline, LevelsAndShift)
{
    PreparedReport r;
    r.run(2, 1);
    TpgxOutline &o = r.store.outline();
    o.levelRoot();
    r.store.setCurrentPage(0);
    o.addItem(QStringLiteral("A"), 10);
    TpgxXMLItem *a = o.currentPosition();
    EXPECT_FALSE(a);   // A has no children yet
    o.levelUp();
    a = o.currentPosition();
    o.addItem(QStringLiteral("B"), 40);
    o.addItem(QStringLiteral("B.1"), 50);
    o.levelUp();
    o.levelUp();
    o.levelUp();   // at the root: stays
    EXPECT_EQ(o.count(), 2);
    o.levelInto(7);   // no such child: stays
    EXPECT_EQ(o.count(), 2);
    // B (the sibling after A) and B.1 move to the next page; B's top
    // becomes 0.
    o.shiftItems(a, 0);
    EXPECT_EQ(o.item(0).page, 0);
    EXPECT_EQ(o.item(1).page, 1);
    EXPECT_EQ(o.item(1).top, 0);
    o.levelInto(1);
    EXPECT_EQ(o.item(0).page, 1);
    EXPECT_EQ(o.item(0).top, 10);
    EXPECT_EQ(o.item(0).text, QStringLiteral("B.1"));
}

// What a keep moves: every entry of a level from an index on, nested ones
// too, by the distance the first of them moves.
TEST(PreparedOutline, ShiftFromAnIndexMovesEveryLaterEntry)
{
    PreparedReport r;
    r.run(2, 1);
    TpgxOutline &o = r.store.outline();
    o.levelRoot();
    r.store.setCurrentPage(0);
    for (const int top : {10, 200, 300}) {
        o.addItem(QString::number(top), top);
        o.addItem(QString::number(top + 1), top + 1);
        o.levelUp();
        o.levelUp();
    }
    TpgxXMLItem *root = o.currentLevel();
    o.shiftItemsFrom(root, 3, 0);   // no such entry: nothing moves
    o.shiftItemsFrom(nullptr, 0, 0);
    EXPECT_EQ(o.item(2).top, 300);
    o.shiftItemsFrom(root, 1, 40);
    const QList<QList<int>> expected{{0, 10}, {1, 40}, {1, 140}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ((QList<int>{o.item(i).page, o.item(i).top}), expected[i]);
        o.levelInto(i);
        EXPECT_EQ((QList<int>{o.item(0).page, o.item(0).top}),
                  (QList<int>{expected[i][0], expected[i][1] + 1}));
        o.levelUp();
    }
}

TEST(PreparedNumbers, LogicalNumbersRestartPerRunAndKnowTheirTotal)
{
    PreparedReport r;
    r.store.addSourcePage(r.page);
    r.store.beginPass();
    for (int i = 0; i < 2; ++i)
        r.store.addPage(r.page);
    r.store.closeLogicalRun();
    // A second report run into the same store (ResetPageNumbers).
    r.store.beginPass();
    for (int i = 0; i < 3; ++i)
        r.store.addPage(r.page);
    r.store.closeLogicalRun();
    const std::pair<int, int> expected[] = {{1, 2}, {2, 2}, {1, 3}, {2, 3}, {3, 3}};
    for (int i = 0; i < 5; ++i) {
        r.store.setCurrentPage(i);
        EXPECT_EQ(r.store.logicalPageNumber(), expected[i].first) << i;
        EXPECT_EQ(r.store.logicalTotalPages(0), expected[i].second) << i;
    }
    // The last pass of two writes no numbers of its own.
    r.store.setCurrentPage(4);
    r.store.beginPass(true);
    r.store.addPage(r.page);
    EXPECT_EQ(r.store.document().root()->findItem("logicalpagenumbers")->count(), 5);
    EXPECT_EQ(r.store.logicalPageNumber(), 6);   // no node: counted from the report's first page
}

}   // namespace
}   // namespace pgx::test
