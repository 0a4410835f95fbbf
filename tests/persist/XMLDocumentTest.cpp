#include <gtest/gtest.h>

#include "XMLTestSupport.h"
#include "persist/XMLReader.h"
#include "support/GoldenFile.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

using namespace pgx;
using namespace pgx::test;

namespace {

const QByteArray kH = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

TEST(XMLWrite, IndentedIsOneElementPerLineWithCRLF)
{
    TpgxXMLDocument doc;
    doc.setIndented(true);
    doc.root()->setName("root");
    doc.root()->setText(" a=\"1\"");   // serializer texts begin with a blank
    doc.root()->add()->setName("child");
    EXPECT_EQ(saveBytes(doc), kH + "\r\n<root a=\"1\">\r\n  <child/>\r\n</root>\r\n");
}

TEST(XMLWrite, NothingDeeperThanTheReaderAccepts)
{
    // A chain of `levels` elements below the root: what the writer writes,
    // the reader reads back; one level more is refused by the writer, and
    // nothing the reader would refuse reaches the file.
    for (const int below : {TpgxXMLReader::kMaxDepth, TpgxXMLReader::kMaxDepth + 1}) {
        TpgxXMLDocument doc;
        doc.root()->setName("r");
        TpgxXMLItem *item = doc.root();
        for (int i = 0; i < below; ++i) {
            item = item->add();
            item->setName("e");
        }
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const TpgxXMLResult written = doc.saveToStream(out);
        TpgxXMLDocument back;
        const TpgxXMLResult read = loadBytes(back, out.data());
        if (below <= TpgxXMLReader::kMaxDepth) {
            EXPECT_TRUE(written) << below << written.detail().toStdString();
            EXPECT_TRUE(read) << below;
        } else {
            EXPECT_FALSE(written) << below;
            EXPECT_EQ(written.status(), TpgxXMLResult::InvalidFormat);
        }
    }
}

TEST(XMLWrite, Forms)
{
    const struct
    {
        const char *what;
        bool indented;
        std::function<void(TpgxXMLItem &)> build;
        QByteArray body;
    } cases[] = {
        {"empty root", false, [](TpgxXMLItem &) {}, "<r/>"},
        {"value between tags, unescaped", false, [](TpgxXMLItem &r) { r.setValue("a<b"); },
         "<r>a<b</r>"},
        {"children win over the value", false,
         [](TpgxXMLItem &r) {
             r.setValue("v");
             r.add()->setName("c");
         },
         "<r><c/></r>"},
        {"blank added before text", false, [](TpgxXMLItem &r) { r.setText("1"); }, "<r 1/>"},
        {"swappable item carries the marker", false,
         [](TpgxXMLItem &r) {
             TpgxXMLItem *p = r.add();
             p->setName("p");
             p->setSwappable(true);
             TpgxXMLItem *q = r.add();
             q->setName("q");
             q->setText("n=\"1\"");
             q->setSwappable(true);
         },
         R"(<r><p  ld="0"/><q n="1" ld="0"/></r>)"},
        {"indentation by levels of two", true, [](TpgxXMLItem &r) { r.add()->add()->setName("g"); },
         "<r>\r\n  <>\r\n    <g/>\r\n  </>\r\n</r>\r\n"},
    };
    for (const auto &c : cases) {
        TpgxXMLDocument doc;
        doc.setIndented(c.indented);
        doc.root()->setName("r");
        c.build(*doc.root());
        EXPECT_EQ(saveBytes(doc), kH + (c.indented ? "\r\n" : "") + c.body) << c.what;
    }
}

// Save, load and save again give the same bytes, for a template (indented)
// and a prepared report (not indented, with unloadable pages).
TEST(XMLRoundTrip, GoldenFilesAreByteIdentical)
{
    const struct
    {
        const char *file;
        bool indented;
        bool partial;
        const char *expected;   // the file itself, or what it must become
    } cases[] = {
        {"golden/template.pgr", true, false, "golden/template.pgr"},
        {"golden/crosstab.xml", true, false, "golden/crosstab.xml"},
        {"golden/prepared.pgp", false, true, "golden/prepared.pgp"},
        // Read whole, the pages lose their marker and stay in memory.
        {"golden/prepared.pgp", false, false, "golden/prepared-whole.pgp"},
    };
    for (const auto &c : cases) {
        TpgxXMLDocument doc;
        doc.setIndented(c.indented);
        ASSERT_TRUE(doc.loadFromFile(testData(c.file), c.partial)) << c.file;
        EXPECT_TRUE(pgx::test::matchesGoldenFile(saveBytes(doc), testData(c.expected))) << c.file;
    }
}

TEST(XMLPartial, MarkedElementsStayInTheSource)
{
    const QByteArray text = kH + R"(<r><p  ld="0"><a/><b x="1"/></p><q/><p n="2" ld="0"/></r>)";
    TpgxXMLDocument doc;
    ASSERT_TRUE(loadBytes(doc, text, true));
    EXPECT_TRUE(doc.hasStore());
    EXPECT_EQ(dump(*doc.root()), R"(r{p~,q,p(n="2")~})");
    TpgxXMLItem *page = doc.root()->items(0);
    EXPECT_TRUE(page->swappable());
    EXPECT_EQ(page->offset(), quint64(kH.size() + 3));   // the first byte after <r>

    // Writing reads them back for the time of writing and leaves them out.
    EXPECT_EQ(saveBytes(doc), text);
    EXPECT_FALSE(page->inMemory());

    ASSERT_TRUE(doc.swapIn(page));
    EXPECT_EQ(dump(*page), R"(p{a,b(x="1")})");
}

TEST(XMLPartial, SequentialStreamsAreReadWhole)
{
    // A stream that cannot seek cannot give unloaded items back.
    struct OneWay : QBuffer
    {
        bool isSequential() const override { return true; }
    };
    auto stream = std::make_unique<OneWay>();
    stream->setData(kH + R"(<r><p  ld="0"><a/></p></r>)");
    stream->open(QIODevice::ReadOnly);
    TpgxXMLDocument doc;
    ASSERT_TRUE(doc.loadFromStream(std::move(stream), true));
    EXPECT_EQ(dump(*doc.root()), "r{p{a}}");
    EXPECT_FALSE(doc.hasStore());
}

TEST(XMLSwap, SwapOutAndInKeepEdits)
{
    QTemporaryDir dir;
    TpgxXMLDocument doc;
    doc.setTempDir(dir.path());
    doc.root()->setName("preparedreport");
    TpgxXMLItem *pages = doc.root()->add();
    pages->setName("previewpages");
    for (int i = 0; i < 3; ++i) {
        TpgxXMLItem *page = pages->add();
        page->setName("page0");
        page->setSwappable(i > 0);
        TpgxXMLItem *band = page->add();
        band->setName("b");
        band->setText("t=\"" + QByteArray::number(i) + "\"");
    }
    const QByteArray before = saveBytes(doc);

    TpgxXMLItem *page = pages->items(1);
    EXPECT_TRUE(doc.swapOut(pages->items(0)));   // not swappable: nothing happens
    EXPECT_TRUE(pages->items(0)->inMemory());
    ASSERT_TRUE(doc.swapOut(page));
    ASSERT_TRUE(doc.swapOut(pages->items(2)));
    EXPECT_FALSE(page->inMemory());
    EXPECT_EQ(page->count(), 0);
    EXPECT_EQ(saveBytes(doc), before);

    // Name and attributes changed while unloaded survive SwapIn; children
    // come back.
    page->setProp("n", "5");
    page->setName("page1");
    ASSERT_TRUE(doc.swapIn(page));
    EXPECT_EQ(dump(*page), R"(page1(n="5"){b(t="1")})");
    page->setName("page0");

    // Edits to the children go to the store with the next SwapOut.
    page->items(0)->setProp("t", "9");
    page->add()->setName("extra");
    ASSERT_TRUE(doc.swapOut(page));
    ASSERT_TRUE(doc.swapIn(page));
    EXPECT_EQ(dump(*page), R"(page0(n="5"){b(t="9"),extra})");

    // Nothing is left behind in the folder once the document lets go.
    doc.clear();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(XMLDocument, ClearKeepsTheRootAndDropsTheStores)
{
    TpgxXMLDocument doc;
    ASSERT_TRUE(loadBytes(doc, kH + R"(<r a="1"><p  ld="0"/><q/></r>)", true));
    EXPECT_TRUE(doc.hasStore());
    doc.clear();
    EXPECT_FALSE(doc.hasStore());
    EXPECT_EQ(dump(*doc.root()), R"(r(a="1"))");
    // A failed load leaves nothing, not even the root's name.
    EXPECT_FALSE(loadBytes(doc, kH + "<x><y></x>"));
    EXPECT_EQ(dump(*doc.root()), "");
}

// Regression: swapping out an item that holds an item already in the
// temporary file read that one back in the middle of writing the file.
TEST(XMLSwap, NestedSwapOutThroughTheSameFile)
{
    TpgxXMLDocument doc;
    doc.root()->setName("r");
    TpgxXMLItem *outer = doc.root()->add();
    outer->setName("outer");
    outer->setSwappable(true);
    TpgxXMLItem *inner = outer->add();
    inner->setName("inner");
    inner->setSwappable(true);
    inner->add()->setName(QByteArray(5000, 'x'));   // more than one block of output
    outer->add()->setName("after");
    TpgxXMLItem *sibling = doc.root()->add();
    sibling->setName("sibling");
    sibling->setSwappable(true);
    sibling->add()->setName("s");
    const QByteArray before = saveBytes(doc);

    ASSERT_TRUE(doc.swapOut(inner));
    ASSERT_TRUE(doc.swapOut(sibling));   // after inner in the file
    ASSERT_TRUE(doc.swapOut(outer));
    // Items inside an unloaded one come back read whole, without their marker.
    EXPECT_EQ(saveBytes(doc), QByteArray(before).replace("<inner  ld=\"0\">", "<inner>"));
    ASSERT_TRUE(doc.swapIn(sibling));
    EXPECT_EQ(dump(*sibling), "sibling{s}");
    ASSERT_TRUE(doc.swapIn(outer));
    EXPECT_EQ(dump(*outer), "outer{inner{" + QByteArray(5000, 'x') + "},after}");
}

TEST(XMLSwap, ClearedItemWithoutStoreReadsEmpty)
{
    TpgxXMLDocument doc;
    doc.root()->setName("r");
    TpgxXMLItem *page = doc.root()->add();
    page->setName("p");
    page->setSwappable(true);
    page->add();
    page->clear();   // unloaded, but nothing was ever stored
    EXPECT_TRUE(doc.swapIn(page));
    EXPECT_EQ(saveBytes(doc), kH + R"(<r><p  ld="0"/></r>)");
}

TEST(XMLSwap, UnwritableTempDirKeepsTheItem)
{
    TpgxXMLDocument doc;
    doc.setTempDir(QStringLiteral("/nonexistent/folder"));
    doc.root()->setName("r");
    TpgxXMLItem *page = doc.root()->add();
    page->setSwappable(true);
    page->add()->setName("kept");
    const TpgxXMLResult result = doc.swapOut(page);
    EXPECT_EQ(result.status(), TpgxXMLResult::IOError);
    EXPECT_TRUE(page->inMemory());
    EXPECT_EQ(dump(*page), "{kept}");
}

// After a partial load the first SwapOut starts the temporary file; items
// still in the source must go on reading from the source.
TEST(XMLSwap, SourceAndTemporaryStoreStayApart)
{
    QTemporaryDir dir;
    TpgxXMLDocument doc;
    doc.setTempDir(dir.path());
    const QByteArray text
        = kH + R"(<r><p  ld="0"><a/></p><p  ld="0"><b/></p><p  ld="0"><c/></p></r>)";
    ASSERT_TRUE(loadBytes(doc, text, true));
    TpgxXMLItem *first = doc.root()->items(0);
    ASSERT_TRUE(doc.swapIn(first));
    first->add()->setName("new");
    ASSERT_TRUE(doc.swapOut(first));

    EXPECT_EQ(saveBytes(doc),
              kH + R"(<r><p  ld="0"><a/><new/></p><p  ld="0"><b/></p><p  ld="0"><c/></p></r>)");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(doc.swapIn(doc.root()->items(i)));
    EXPECT_EQ(dump(*doc.root()), "r{p{a,new},p{b},p{c}}");
}

TEST(XMLFile, SavingOverThePartialSourceKeepsUnloadedItems)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pgp");
    {
        TpgxXMLDocument doc;
        doc.root()->setName("r");
        for (int i = 0; i < 3; ++i) {
            TpgxXMLItem *p = doc.root()->add();
            p->setName("p");
            p->setSwappable(true);
            p->add()->setName("b" + QByteArray::number(i));
        }
        ASSERT_TRUE(doc.saveToFile(path));
    }
    const QByteArray original = readFile(path);

    TpgxXMLDocument doc;
    ASSERT_TRUE(doc.loadFromFile(path, true));
    doc.root()->items(1)->setProp("edited", "1");
    ASSERT_TRUE(doc.saveToFile(path));
    const QByteArray once = readFile(path);
    EXPECT_EQ(once,
              QByteArray(original).replace("<p  ld=\"0\"><b1/>", "<p edited=\"1\" ld=\"0\"><b1/>"));

    // The unloaded items still read from the old contents, so a second save
    // loses nothing either.
    ASSERT_TRUE(doc.saveToFile(path));
    EXPECT_EQ(readFile(path), once);
    ASSERT_TRUE(doc.swapIn(doc.root()->items(2)));
    EXPECT_EQ(dump(*doc.root()->items(2)), "p{b2}");
}

TEST(XMLFile, FailedSaveLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.pgp");
    const QString target = dir.filePath("t.pgp");
    for (const auto &[path, text] : {std::pair{source, kH + R"(<r><p  ld="0"><a/></p></r>)"},
                                     std::pair{target, QByteArray("old contents")}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    TpgxXMLDocument doc;
    ASSERT_TRUE(doc.loadFromFile(source, true));
    QFile::resize(source, 0);   // the store is spoilt behind the document's back

    EXPECT_EQ(doc.saveToFile(target).status(), TpgxXMLResult::InvalidFormat);
    EXPECT_EQ(readFile(target), "old contents");
    EXPECT_FALSE(doc.swapIn(doc.root()->items(0)));
    EXPECT_FALSE(doc.root()->items(0)->inMemory());

    EXPECT_EQ(doc.loadFromFile(dir.filePath("missing.pgr")).status(), TpgxXMLResult::IOError);
    EXPECT_EQ(doc.saveToFile(dir.filePath("no/such/dir/t.pgr")).status(), TpgxXMLResult::IOError);
}

TEST(XMLSwap, MovedItemKeepsItsStore)
{
    TpgxXMLDocument source;
    ASSERT_TRUE(loadBytes(source, kH + R"(<r><p  ld="0"><a/></p></r>)", true));
    TpgxXMLDocument target;
    target.root()->setName("t");
    TpgxXMLItem *p = source.root()->items(0);
    ASSERT_TRUE(target.root()->addItem(p));
    source.clear();   // lets go of the source stream; the item still holds it
    EXPECT_EQ(saveBytes(target), kH + R"(<t><p  ld="0"><a/></p></t>)");
    ASSERT_TRUE(target.swapIn(p));
    EXPECT_EQ(dump(*p), "p{a}");
}

TEST(XMLFile, ReadFailureIsReported)
{
    struct Broken : QBuffer
    {
        qint64 readData(char *, qint64) override { return -1; }
    };
    Broken broken;
    broken.open(QIODevice::ReadOnly);
    TpgxXMLDocument doc;
    EXPECT_EQ(doc.loadFromStream(broken).status(), TpgxXMLResult::IOError);
}

TEST(XMLFile, WriteFailureIsReported)
{
    struct Full : QBuffer
    {
        qint64 writeData(const char *, qint64) override { return -1; }
    };
    Full full;
    full.open(QIODevice::WriteOnly);
    TpgxXMLDocument doc;
    doc.root()->setName("r");
    EXPECT_EQ(doc.saveToStream(full).status(), TpgxXMLResult::IOError);
}

}   // namespace
