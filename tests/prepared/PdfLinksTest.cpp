// URLs of views as links in exported PDFs, and the pieces that add them to
// the document Qt's writer leaves.

#include "PreparedTestSupport.h"

#include "prepared/export/PageExport.h"
#include "prepared/export/PdfLinks.h"
#include "prepared/export/PdfObjectCatcher.h"
#include "prepared/export/PdfUpdate.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>

namespace pgx::test {
namespace {

using namespace pgx::prepared;

// Objects as Qt writes them, with a compressed stream between that holds
// look-alikes of object headers.
const QByteArray kDocument = QByteArrayLiteral(
    "%PDF-1.4\n%\xE2\xE3\n"
    "1 0 obj\n<<\n/Type /Catalog\n/Pages 3 0 R\n>>\nendobj\n"
    "6 0 obj\n<<\n/Type /Page\n/Parent 3 0 R\n/Contents 8 0 R\n/Resources 10 0 R\n"
    "/Annots 11 0 R\n/MediaBox [0 0 595.000000 842.000000]\n>>\nendobj\n"
    "10 0 obj\n<<\n/ProcSet [/PDF /Text]\n>>\nendobj\n"
    "11 0 obj\n[ ]\nendobj\n"
    "8 0 obj\n<<\n/Length 60\n/Filter /FlateDecode\n>>\nstream\n"
    "\x01x9 0 obj\n<<\n/Type /Page\n>>\n\x02\x03 20 0 obj\n<<\n/Type /Page\n\x04\x05\x06\x07\n"
    "endstream\nendobj\n"
    "12 0 obj\n<<\n/Type /Page\n/Parent 3 0 R\n/Annots [ 30 0 R ]\n>>\nendobj\n"
    "13 0 obj\n[ 1 2 3 ]\nendobj\n"
    "3 0 obj\n<<\n/Type /Pages\n/Kids \n[\n6 0 R\n12 0 R\n]\n/Count 2\n>>\nendobj\n"
    "xref\n0 14\ntrailer\n<<\n/Size 14\n/Root 1 0 R\n>>\nstartxref\n999\n%%EOF\n");

TEST(PdfObjectCatcher, KeepsPagesAndTheirAnnotationArraysWhereverTheDataSplits)
{
    for (const qsizetype chunk : {qsizetype(1), qsizetype(2), qsizetype(5), qsizetype(7),
                                  qsizetype(23), qsizetype(64), kDocument.size()}) {
        SCOPED_TRACE(chunk);
        PdfObjectCatcher catcher;
        for (qsizetype at = 0; at < kDocument.size(); at += chunk)
            catcher.feed(
                QByteArrayView(kDocument).sliced(at, std::min(chunk, kDocument.size() - at)));
        const auto first = catcher.object(6);
        ASSERT_TRUE(first);
        EXPECT_TRUE(first->startsWith("<<\n/Type /Page\n/Parent 3 0 R"));
        EXPECT_TRUE(first->endsWith("842.000000]\n>>"));
        EXPECT_EQ(catcher.object(11), QByteArray("[ ]"));
        ASSERT_TRUE(catcher.object(12));
        EXPECT_TRUE(catcher.object(12)->contains("/Annots [ 30 0 R ]"));
        // Neither the catalog, the resources, the tree, an array no page
        // names, nor what only looks like an object inside a stream.
        for (int other : {1, 3, 8, 9, 10, 13, 20})
            EXPECT_FALSE(catcher.object(other)) << other;
    }
}

TEST(PdfObjectCatcher, TellsPagesFromTheTree)
{
    const struct
    {
        const char *body;
        bool page;
    } cases[] = {
        {"<<\n/Type /Page\n/Parent 3 0 R\n>>", true},
        {"  << /Type/Page/Parent 3 0 R >>", true},
        {"<</Type /Page>>", true},
        {"<<\n/Type /Pages\n/Kids [6 0 R]\n>>", false},
        {"<<\n/Type /Catalog\n>>", false},
        {"[ ]", false},
        {"<<\n/Type /Page", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isPdfPage(c.body), c.page) << c.body;
}

TEST(PdfUpdate, WritesLiteralStringsThatReadBackAsTheBytes)
{
    const struct
    {
        QByteArray bytes;
        QByteArray literal;
    } cases[] = {
        {"https://example.com/", "(https://example.com/)"},
        {"a(b)c", "(a\\(b\\)c)"},
        {"a\\b", "(a\\\\b)"},
        {"))((", "(\\)\\)\\(\\()"},
        {"a\nb\rc", "(a\\012b\\015c)"},
        {"\xC3\xBC", "(\\303\\274)"},
        {"", "()"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pdfLiteral(c.bytes), c.literal) << c.bytes.toStdString();
}

TEST(PdfLinks, AddsAnnotationsToAPageDictionary)
{
    const struct
    {
        const char *dict;
        const char *expected;
    } cases[] = {
        {"<<\n/Type /Page\n/Parent 3 0 R\n>>",
         "<<\n/Type /Page\n/Parent 3 0 R\n/Annots [40 0 R]\n>>"},
        // Qt's own array, not seen: replaced.
        {"<<\n/Type /Page\n/Annots 11 0 R\n/MediaBox [0 0 10 10]\n>>",
         "<<\n/Type /Page\n/MediaBox [0 0 10 10]\n/Annots [40 0 R]\n>>"},
        {"<< /Type /Page /Annots [ ] >>", "<< /Type /Page\n/Annots [40 0 R]\n>>"},
        {"<< /Type /Page /Annots[7 0 R 8 0 R] /Rotate 0 >>",
         "<< /Type /Page /Rotate 0\n/Annots [7 0 R 8 0 R 40 0 R]\n>>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withAnnotations(c.dict, "40 0 R").toStdString(), c.expected) << c.dict;
}

// A report of three pages: the first with two links (web and mail), the
// second with a URL that must not become one, the third with another, a
// link to page 2 and one to an anchor on page 2.
struct LinkedReport : PreparedReport
{
    LinkedReport()
    {
        store.beginRun();
        store.addSourcePage(page);
        store.beginPass();
        const QStringList titles{QStringLiteral("https://example.com/orders?a=1&b=(2)\\x"),
                                 QStringLiteral("file:///etc/passwd"),
                                 QStringLiteral("javascript:alert(1)")};
        const QStringList names{QStringLiteral("mailto:sales@example.com"), QString(),
                                QStringLiteral("@2")};
        const QStringList amounts{QString(), QString(), QStringLiteral("#total")};
        for (int p = 0; p < 3; ++p) {
            store.addPage(page);
            header->setTop(0);
            title->setUrl(titles[p]);
            store.addObject(header);
            name->setUrl(names[p]);
            amount->setUrl(amounts[p]);
            printRow(60, QStringLiteral("Row %1").arg(p + 1), QString::number(p * 10));
            if (p == 1)
                store.addAnchor(QStringLiteral("total"), 200);
            store.addObject(footer);
        }
        store.closeLogicalRun();
        store.endRun();
        store.setCurrentPage(1);
        store.outline().addItem(QStringLiteral("Second"), 60);
    }
};

QByteArray fileBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// pdftohtml's pages, blanks dropped.
QStringList xmlPages(const QString &pdftohtml, const QString &pdf)
{
    QString xml = runTool(
        pdftohtml, {QStringLiteral("-xml"), QStringLiteral("-stdout"), QStringLiteral("-i"), pdf});
    xml.remove(QRegularExpression(QStringLiteral("\\s")));
    QStringList pages;
    static const QRegularExpression page(QStringLiteral("<pagenumber=.*?</page>"));
    // Only the texts and their links stay.
    static const QRegularExpression tags(QStringLiteral("<page[^>]*>|<fontspec[^>]*>|<text[^>]*>"));
    for (auto it = page.globalMatch(xml); it.hasNext();)
        pages << it.next().captured(0).remove(tags);
    return pages;
}

// What readers see: web and mail links in pdfinfo's list of URLs, every link
// around its text in pdftohtml, nothing for schemes that are not allowed,
// and the outline as before.
TEST(PdfLinks, ViewUrlsBecomeLinksReadersFollow)
{
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftohtml = QStandardPaths::findExecutable(QStringLiteral("pdftohtml"));
    if (pdfinfo.isEmpty() || pdftohtml.isEmpty())
        GTEST_SKIP() << "pdfinfo/pdftohtml (poppler-utils) are not installed";
    LinkedReport r;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("links.pdf"));
    ASSERT_EQ(exportPdf(r.store, pdf, {0, 1, 2}, {}), QString());

    QStringList urls = runTool(pdfinfo, {QStringLiteral("-url"), pdf})
                           .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                           .mid(1);
    for (QString &line : urls)
        line = line.simplified();
    EXPECT_EQ(urls,
              (QStringList{QStringLiteral("1 Annotation https://example.com/orders?a=1&b=(2)%5Cx"),
                           QStringLiteral("1 Annotation mailto:sales@example.com")}));

    const QStringList pages = xmlPages(pdftohtml, pdf);
    EXPECT_EQ(pages,
              (QStringList{QStringLiteral(
                               "<ahref=\"https://example.com/orders?a=1&amp;b=(2)%5Cx\">Orders</a>"
                               "</text><ahref=\"mailto:sales@example.com\">Row1</a></text>0</text>"
                               "</page>"),
                           QStringLiteral("Orders</text>Row2</text>10</text></page>"),
                           QStringLiteral("Orders</text><ahref=\"links.html#2\">Row3</a></text>"
                                          "<ahref=\"links.html#2\">20</a></text></page>")}));

    const QByteArray bytes = fileBytes(pdf);
    EXPECT_EQ(bytes.count("/Subtype /Link"), 4);
    EXPECT_TRUE(bytes.contains("/URI (https://example.com/orders?a=1&b=\\(2\\)%5Cx)"));
    // The anchor 200 units below the top margin of page 2; "@2" its top.
    EXPECT_TRUE(bytes.contains("/XYZ null 663.65 null]"));
    EXPECT_TRUE(bytes.contains("/XYZ null 842.00 null]"));
    EXPECT_TRUE(
        runTool(pdftohtml,
                {QStringLiteral("-xml"), QStringLiteral("-stdout"), QStringLiteral("-i"), pdf})
            .contains(QLatin1String("<item page=\"2\">Second</item>")));

    // Page 3 alone: its page and anchor links lead out of the document and
    // are left out, and with them the whole update.
    const QString third = dir.filePath(QStringLiteral("third.pdf"));
    ASSERT_EQ(exportPdf(r.store, third, {2}, {}), QString());
    const QByteArray thirdBytes = fileBytes(third);
    EXPECT_FALSE(thirdBytes.contains("/Subtype /Link"));
    EXPECT_EQ(thirdBytes.count("%%EOF"), 1);
}

// A link covers its view as drawn: margins swapped on mirrored even pages,
// cut at the paper's edge.
TEST(PdfLinks, LinkBoxesAreTheViewsOnTheDrawnPage)
{
    struct Case
    {
        bool mirror;
        double left;
        const char *first;   // /Rect on the first page
        const char *second;
    };
    // 10 mm margins, 30 mm on the right; the title 300 x 20 units, 4 below
    // the top margin: 842 - (37.7953 + 4) * 0.75 points from the bottom.
    const Case cases[] = {
        {false, 0, "[28.35 795.65 253.35 810.65]", "[28.35 795.65 253.35 810.65]"},
        {true, 0, "[28.35 795.65 253.35 810.65]", "[85.04 795.65 310.04 810.65]"},
        {false, -100, "[0.00 795.65 178.35 810.65]", "[0.00 795.65 178.35 810.65]"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.first);
        PreparedReport r;
        r.page->setRightMargin(30);
        r.page->setMirrorMargins(c.mirror);
        r.title->setLeft(c.left);
        r.title->setUrl(QStringLiteral("https://example.com/"));
        r.run(2, 1);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("boxes.pdf"));
        ASSERT_EQ(exportPdf(r.store, pdf, {0, 1}, {}), QString());
        const QByteArray bytes = fileBytes(pdf);
        static const QRegularExpression rect(QStringLiteral(R"(/Rect (\[[^\]]*\]))"));
        QStringList rects;
        for (auto it = rect.globalMatch(QString::fromLatin1(bytes)); it.hasNext();)
            rects << it.next().captured(1);
        EXPECT_EQ(rects, (QStringList{QLatin1String(c.first), QLatin1String(c.second)}));
    }
}

}   // namespace
}   // namespace pgx::test
