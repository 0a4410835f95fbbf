#include <gtest/gtest.h>

#include "XMLTestSupport.h"
#include "persist/XMLReader.h"
#include "support/GoldenFile.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

using namespace pgx;
using namespace pgx::test;

namespace {

const QByteArray H = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

TEST(XMLWrite, IndentedIsOneElementPerLineWithCRLF)
{
    TpgxXMLDocument doc;
    doc.SetIndented(true);
    doc.Root()->SetName("root");
    doc.Root()->SetText(" a=\"1\"");   // serializer texts begin with a blank
    doc.Root()->Add()->SetName("child");
    EXPECT_EQ(saveBytes(doc), H + "\r\n<root a=\"1\">\r\n  <child/>\r\n</root>\r\n");
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
        {"value between tags, unescaped", false, [](TpgxXMLItem &r) { r.SetValue("a<b"); },
         "<r>a<b</r>"},
        {"children win over the value", false,
         [](TpgxXMLItem &r) {
             r.SetValue("v");
             r.Add()->SetName("c");
         },
         "<r><c/></r>"},
        {"blank added before text", false, [](TpgxXMLItem &r) { r.SetText("1"); }, "<r 1/>"},
        {"swappable item carries the marker", false,
         [](TpgxXMLItem &r) {
             TpgxXMLItem *p = r.Add();
             p->SetName("p");
             p->SetSwappable(true);
             TpgxXMLItem *q = r.Add();
             q->SetName("q");
             q->SetText("n=\"1\"");
             q->SetSwappable(true);
         },
         R"(<r><p  ld="0"/><q n="1" ld="0"/></r>)"},
        {"indentation by levels of two", true, [](TpgxXMLItem &r) { r.Add()->Add()->SetName("g"); },
         "<r>\r\n  <>\r\n    <g/>\r\n  </>\r\n</r>\r\n"},
    };
    for (const auto &c : cases) {
        TpgxXMLDocument doc;
        doc.SetIndented(c.indented);
        doc.Root()->SetName("r");
        c.build(*doc.Root());
        EXPECT_EQ(saveBytes(doc), H + (c.indented ? "\r\n" : "") + c.body) << c.what;
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
        doc.SetIndented(c.indented);
        ASSERT_TRUE(doc.LoadFromFile(testData(c.file), c.partial)) << c.file;
        EXPECT_TRUE(pgx::test::matchesGoldenFile(saveBytes(doc), testData(c.expected))) << c.file;
    }
}

TEST(XMLPartial, MarkedElementsStayInTheSource)
{
    const QByteArray text = H + R"(<r><p  ld="0"><a/><b x="1"/></p><q/><p n="2" ld="0"/></r>)";
    TpgxXMLDocument doc;
    ASSERT_TRUE(loadBytes(doc, text, true));
    EXPECT_TRUE(doc.HasStore());
    EXPECT_EQ(dump(*doc.Root()), R"(r{p~,q,p(n="2")~})");
    TpgxXMLItem *page = doc.Root()->Items(0);
    EXPECT_TRUE(page->Swappable());
    EXPECT_EQ(page->Offset(), quint64(H.size() + 3));   // the first byte after <r>

    // Writing reads them back for the time of writing and leaves them out.
    EXPECT_EQ(saveBytes(doc), text);
    EXPECT_FALSE(page->InMemory());

    ASSERT_TRUE(doc.SwapIn(page));
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
    stream->setData(H + R"(<r><p  ld="0"><a/></p></r>)");
    stream->open(QIODevice::ReadOnly);
    TpgxXMLDocument doc;
    ASSERT_TRUE(doc.LoadFromStream(std::move(stream), true));
    EXPECT_EQ(dump(*doc.Root()), "r{p{a}}");
    EXPECT_FALSE(doc.HasStore());
}

TEST(XMLSwap, SwapOutAndInKeepEdits)
{
    QTemporaryDir dir;
    TpgxXMLDocument doc;
    doc.SetTempDir(dir.path());
    doc.Root()->SetName("preparedreport");
    TpgxXMLItem *pages = doc.Root()->Add();
    pages->SetName("previewpages");
    for (int i = 0; i < 3; ++i) {
        TpgxXMLItem *page = pages->Add();
        page->SetName("page0");
        page->SetSwappable(i > 0);
        TpgxXMLItem *band = page->Add();
        band->SetName("b");
        band->SetText("t=\"" + QByteArray::number(i) + "\"");
    }
    const QByteArray before = saveBytes(doc);

    TpgxXMLItem *page = pages->Items(1);
    EXPECT_TRUE(doc.SwapOut(pages->Items(0)));   // not swappable: nothing happens
    EXPECT_TRUE(pages->Items(0)->InMemory());
    ASSERT_TRUE(doc.SwapOut(page));
    ASSERT_TRUE(doc.SwapOut(pages->Items(2)));
    EXPECT_FALSE(page->InMemory());
    EXPECT_EQ(page->Count(), 0);
    EXPECT_EQ(saveBytes(doc), before);

    // Name and attributes changed while unloaded survive SwapIn; children
    // come back.
    page->SetProp("n", "5");
    page->SetName("page1");
    ASSERT_TRUE(doc.SwapIn(page));
    EXPECT_EQ(dump(*page), R"(page1(n="5"){b(t="1")})");
    page->SetName("page0");

    // Edits to the children go to the store with the next SwapOut.
    page->Items(0)->SetProp("t", "9");
    page->Add()->SetName("extra");
    ASSERT_TRUE(doc.SwapOut(page));
    ASSERT_TRUE(doc.SwapIn(page));
    EXPECT_EQ(dump(*page), R"(page0(n="5"){b(t="9"),extra})");

    // Nothing is left behind in the folder once the document lets go.
    doc.Clear();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(XMLDocument, ClearKeepsTheRootAndDropsTheStores)
{
    TpgxXMLDocument doc;
    ASSERT_TRUE(loadBytes(doc, H + R"(<r a="1"><p  ld="0"/><q/></r>)", true));
    EXPECT_TRUE(doc.HasStore());
    doc.Clear();
    EXPECT_FALSE(doc.HasStore());
    EXPECT_EQ(dump(*doc.Root()), R"(r(a="1"))");
    // A failed load leaves nothing, not even the root's name.
    EXPECT_FALSE(loadBytes(doc, H + "<x><y></x>"));
    EXPECT_EQ(dump(*doc.Root()), "");
}

// Regression: swapping out an item that holds an item already in the
// temporary file read that one back in the middle of writing the file.
TEST(XMLSwap, NestedSwapOutThroughTheSameFile)
{
    TpgxXMLDocument doc;
    doc.Root()->SetName("r");
    TpgxXMLItem *outer = doc.Root()->Add();
    outer->SetName("outer");
    outer->SetSwappable(true);
    TpgxXMLItem *inner = outer->Add();
    inner->SetName("inner");
    inner->SetSwappable(true);
    inner->Add()->SetName(QByteArray(5000, 'x'));   // more than one block of output
    outer->Add()->SetName("after");
    TpgxXMLItem *sibling = doc.Root()->Add();
    sibling->SetName("sibling");
    sibling->SetSwappable(true);
    sibling->Add()->SetName("s");
    const QByteArray before = saveBytes(doc);

    ASSERT_TRUE(doc.SwapOut(inner));
    ASSERT_TRUE(doc.SwapOut(sibling));   // after inner in the file
    ASSERT_TRUE(doc.SwapOut(outer));
    // Items inside an unloaded one come back read whole, without their marker.
    EXPECT_EQ(saveBytes(doc), QByteArray(before).replace("<inner  ld=\"0\">", "<inner>"));
    ASSERT_TRUE(doc.SwapIn(sibling));
    EXPECT_EQ(dump(*sibling), "sibling{s}");
    ASSERT_TRUE(doc.SwapIn(outer));
    EXPECT_EQ(dump(*outer), "outer{inner{" + QByteArray(5000, 'x') + "},after}");
}

TEST(XMLSwap, ClearedItemWithoutStoreReadsEmpty)
{
    TpgxXMLDocument doc;
    doc.Root()->SetName("r");
    TpgxXMLItem *page = doc.Root()->Add();
    page->SetName("p");
    page->SetSwappable(true);
    page->Add();
    page->Clear();   // unloaded, but nothing was ever stored
    EXPECT_TRUE(doc.SwapIn(page));
    EXPECT_EQ(saveBytes(doc), H + R"(<r><p  ld="0"/></r>)");
}

TEST(XMLSwap, UnwritableTempDirKeepsTheItem)
{
    TpgxXMLDocument doc;
    doc.SetTempDir(QStringLiteral("/nonexistent/folder"));
    doc.Root()->SetName("r");
    TpgxXMLItem *page = doc.Root()->Add();
    page->SetSwappable(true);
    page->Add()->SetName("kept");
    const TpgxXMLResult result = doc.SwapOut(page);
    EXPECT_EQ(result.status(), TpgxXMLResult::IOError);
    EXPECT_TRUE(page->InMemory());
    EXPECT_EQ(dump(*page), "{kept}");
}

// After a partial load the first SwapOut starts the temporary file; items
// still in the source must go on reading from the source.
TEST(XMLSwap, SourceAndTemporaryStoreStayApart)
{
    QTemporaryDir dir;
    TpgxXMLDocument doc;
    doc.SetTempDir(dir.path());
    const QByteArray text
        = H + R"(<r><p  ld="0"><a/></p><p  ld="0"><b/></p><p  ld="0"><c/></p></r>)";
    ASSERT_TRUE(loadBytes(doc, text, true));
    TpgxXMLItem *first = doc.Root()->Items(0);
    ASSERT_TRUE(doc.SwapIn(first));
    first->Add()->SetName("new");
    ASSERT_TRUE(doc.SwapOut(first));

    EXPECT_EQ(saveBytes(doc),
              H + R"(<r><p  ld="0"><a/><new/></p><p  ld="0"><b/></p><p  ld="0"><c/></p></r>)");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(doc.SwapIn(doc.Root()->Items(i)));
    EXPECT_EQ(dump(*doc.Root()), "r{p{a,new},p{b},p{c}}");
}

TEST(XMLFile, SavingOverThePartialSourceKeepsUnloadedItems)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pgp");
    {
        TpgxXMLDocument doc;
        doc.Root()->SetName("r");
        for (int i = 0; i < 3; ++i) {
            TpgxXMLItem *p = doc.Root()->Add();
            p->SetName("p");
            p->SetSwappable(true);
            p->Add()->SetName("b" + QByteArray::number(i));
        }
        ASSERT_TRUE(doc.SaveToFile(path));
    }
    const QByteArray original = readFile(path);

    TpgxXMLDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(path, true));
    doc.Root()->Items(1)->SetProp("edited", "1");
    ASSERT_TRUE(doc.SaveToFile(path));
    const QByteArray once = readFile(path);
    EXPECT_EQ(once,
              QByteArray(original).replace("<p  ld=\"0\"><b1/>", "<p edited=\"1\" ld=\"0\"><b1/>"));

    // The unloaded items still read from the old contents, so a second save
    // loses nothing either.
    ASSERT_TRUE(doc.SaveToFile(path));
    EXPECT_EQ(readFile(path), once);
    ASSERT_TRUE(doc.SwapIn(doc.Root()->Items(2)));
    EXPECT_EQ(dump(*doc.Root()->Items(2)), "p{b2}");
}

TEST(XMLFile, FailedSaveLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.pgp");
    const QString target = dir.filePath("t.pgp");
    for (const auto &[path, text] : {std::pair{source, H + R"(<r><p  ld="0"><a/></p></r>)"},
                                     std::pair{target, QByteArray("old contents")}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    TpgxXMLDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(source, true));
    QFile::resize(source, 0);   // the store is spoilt behind the document's back

    EXPECT_EQ(doc.SaveToFile(target).status(), TpgxXMLResult::InvalidFormat);
    EXPECT_EQ(readFile(target), "old contents");
    EXPECT_FALSE(doc.SwapIn(doc.Root()->Items(0)));
    EXPECT_FALSE(doc.Root()->Items(0)->InMemory());

    EXPECT_EQ(doc.LoadFromFile(dir.filePath("missing.pgr")).status(), TpgxXMLResult::IOError);
    EXPECT_EQ(doc.SaveToFile(dir.filePath("no/such/dir/t.pgr")).status(), TpgxXMLResult::IOError);
}

TEST(XMLSwap, MovedItemKeepsItsStore)
{
    TpgxXMLDocument source;
    ASSERT_TRUE(loadBytes(source, H + R"(<r><p  ld="0"><a/></p></r>)", true));
    TpgxXMLDocument target;
    target.Root()->SetName("t");
    TpgxXMLItem *p = source.Root()->Items(0);
    ASSERT_TRUE(target.Root()->AddItem(p));
    source.Clear();   // lets go of the source stream; the item still holds it
    EXPECT_EQ(saveBytes(target), H + R"(<t><p  ld="0"><a/></p></t>)");
    ASSERT_TRUE(target.SwapIn(p));
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
    EXPECT_EQ(doc.LoadFromStream(broken).status(), TpgxXMLResult::IOError);
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
    doc.Root()->SetName("r");
    EXPECT_EQ(doc.SaveToStream(full).status(), TpgxXMLResult::IOError);
}

}   // namespace
