// Drawing prepared pages and writing them as PDF and PNG.

#include "PreparedTestSupport.h"

#include "prepared/export/PageExport.h"
#include "prepared/export/PageRange.h"
#include "support/GoldenImage.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPainter>

namespace pgx::test {
namespace {

using namespace pgx::prepared;

TEST(PageRange, ParsesRangesAndRefusesWhatIsNoPage)
{
    struct Case
    {
        const char *text;
        QList<int> expected;   // empty with an error
        const char *error;
    };
    const Case cases[] = {
        {"", {0, 1, 2, 3, 4}, nullptr},
        {"2", {1}, nullptr},
        {"1,3-4", {0, 2, 3}, nullptr},
        {"4-", {3, 4}, nullptr},
        {"-2", {0, 1}, nullptr},
        {" 2 , 5 ", {1, 4}, nullptr},
        {"0", {}, "numbered from 1"},
        {"3-2", {}, "runs backwards"},
        {"6", {}, "beyond the last page (5)"},
        {"2-9", {}, "beyond the last page (5)"},
        {"a", {}, "not a page range"},
        {"1,,2", {}, "not a page range"},
        {"-", {}, "not a page range"},
    };
    for (const Case &c : cases) {
        QString error;
        const std::optional<QList<int>> pages = parsePageRange(QLatin1String(c.text), 5, error);
        if (c.error) {
            EXPECT_FALSE(pages) << c.text;
            EXPECT_TRUE(error.contains(QLatin1String(c.error)))
                << c.text << ": " << error.toStdString();
        } else {
            ASSERT_TRUE(pages) << c.text << ": " << error.toStdString();
            EXPECT_EQ(*pages, c.expected) << c.text;
        }
    }
}

TEST(PageExport, PngFileNames)
{
    EXPECT_EQ(pngFileName(QStringLiteral("/t/out.png"), 4, 1), QStringLiteral("/t/out.png"));
    EXPECT_EQ(pngFileName(QStringLiteral("/t/out.png"), 4, 3), QStringLiteral("/t/out-5.png"));
    EXPECT_EQ(pngFileName(QStringLiteral("/t/out.PNG"), 0, 2), QStringLiteral("/t/out-1.PNG"));
}

// The first column from the left whose pixel in row y is not white.
int firstInkColumn(const QImage &image, int y)
{
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != qRgb(255, 255, 255))
            return x;
    return -1;
}

TEST(PageExport, MirroredMarginsSwapOnEvenPageNumbers)
{
    struct Case
    {
        bool mirror;
        int page;        // 0-based
        int expectedX;   // the header's fill at 96 dpi
    };
    // Left margin 10 mm (38 px), right 30 mm (113 px).
    const Case cases[] = {
        {false, 0, 38}, {false, 1, 38}, {true, 0, 38}, {true, 1, 113}, {true, 2, 38},
    };
    for (const Case &c : cases) {
        PreparedReport r;
        r.page->setRightMargin(30);
        r.page->setMirrorMargins(c.mirror);
        r.run(3, 1);
        const QImage image = renderPage(r.store, c.page, 96);
        // The title's grey fill, 4 units below the header's top.
        const int y = int(10 * kPg01cm) + 10;
        EXPECT_EQ(firstInkColumn(image, y), c.expectedX)
            << "mirror " << c.mirror << " page " << c.page;
    }
}

TEST(PageExport, DrawingIsClippedToThePaper)
{
    PreparedReport r;
    r.title->setLeft(-100);   // reaches left of the paper
    r.run(1, 1);
    QImage image(900, 1200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    r.store.drawPage(0, &painter, 1, 1, 50, 0);
    painter.end();
    // Nothing left of the paper's edge at x = 50.
    const int y = int(10 * kPg01cm) + 10;
    EXPECT_EQ(firstInkColumn(image, y), 50);
}

TEST(PageExport, PngMatchesTheGoldenImage)
{
    PreparedReport r;
    r.run(2, 3);
    const QImage image = renderPage(r.store, 1, 48);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(397, 561));   // A4 at 48 dpi
    EXPECT_TRUE(
        matchesGoldenImage(image, QStringLiteral(PGX_TEST_DATA "/prepared/page2-48dpi.png")));
}

TEST(PageExport, PdfHasOnePagePerPageAtItsPaperSizeAndTheTitle)
{
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    PreparedReport r;
    r.run(3, 2);
    // A landscape page of its own at the end.
    r.page->setOrientation(TpgxReportPage::poLandscape);
    r.store.addSourcePage(r.page);
    r.store.setAddAction(TpgxPreviewPages::AddAction::Append);
    r.store.addPage(r.page);
    r.store.addObject(r.header);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("orders.pdf"));
    QList<int> seen;
    ASSERT_EQ(exportPdf(r.store, pdf, {0, 1, 2, 3}, [&](int done, int) { seen << done; }),
              QString());
    EXPECT_EQ(seen, (QList<int>{1, 2, 3, 4}));
    const QString info = runTool(pdfinfo,
                                 {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                  QStringLiteral("4"), pdf});
    EXPECT_TRUE(info.contains(QLatin1String("Title:           Orders & \"totals\"")))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+4"))));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page    1 size:\\s+595 x 842"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page    4 size:\\s+842 x 595"))))
        << info.toStdString();
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("orders.pdf")});
}

// The text of a several-page report comes back from the PDF page by page,
// top to bottom, in embedded fonts: what a reader's search and copy see.
TEST(PageExport, PdfTextReadsBackInReadingOrderInEmbeddedFonts)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (pdftotext.isEmpty() || pdffonts.isEmpty())
        GTEST_SKIP() << "pdftotext/pdffonts (poppler-utils) are not installed";
    PreparedReport r;
    r.run(3, 2);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("orders.pdf"));
    ASSERT_EQ(exportPdf(r.store, pdf, {0, 1, 2}, {}), QString());

    const QString text = runTool(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    // Pages are separated by form feeds; each holds its title and its two
    // rows with their amounts, in that order, and nothing of another page.
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 3) << text.toStdString();
    for (int p = 0; p < 3; ++p) {
        QStringList words = pages[p].simplified().split(QLatin1Char(' '));
        const int first = p * 2 + 1;
        const QStringList expected{
            QStringLiteral("Orders"),         QStringLiteral("Row"), QString::number(first),
            QString::number(first * 10),      QStringLiteral("Row"), QString::number(first + 1),
            QString::number((first + 1) * 10)};
        EXPECT_EQ(words, expected) << "page " << p + 1 << ":\n" << pages[p].toStdString();
    }

    // Every font is embedded (a subset): the column "emb" says "yes".
    const QStringList fonts
        = runTool(pdffonts, {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString &line : fonts) {
        const QStringList columns = line.simplified().split(QLatin1Char(' '));
        ASSERT_GE(columns.size(), 5) << line.toStdString();
        EXPECT_EQ(columns[columns.size() - 5], QStringLiteral("yes")) << line.toStdString();
    }
}

// The outline becomes the PDF's bookmarks, nested as it is, each leading to
// its page. Exporting a part of the pages keeps an entry whose page is left
// out only for the entries below it that are in (it then leads nowhere),
// and the file still reads as before.
TEST(PageExport, PdfBookmarksFollowTheOutline)
{
    const QString pdftohtml = QStandardPaths::findExecutable(QStringLiteral("pdftohtml"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftohtml.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "pdftohtml/pdftotext (poppler-utils) are not installed";
    PreparedReport r;
    r.run(4, 2);
    TpgxOutline &outline = r.store.outline();
    const auto addAt = [&](int page, const QString &text) {
        r.store.setCurrentPage(page);
        outline.addItem(text, 60);
    };
    outline.levelRoot();
    addAt(0, QStringLiteral("Orders <all> & \"more\""));
    addAt(0, QStringLiteral("Row 1"));
    outline.levelUp();
    addAt(2, QStringLiteral("Zażółć 東京 𝄞"));
    outline.levelRoot();
    addAt(1, QStringLiteral("Page two only"));
    addAt(3, QStringLiteral("Last page"));
    outline.levelRoot();

    struct Case
    {
        QList<int> pages;
        int destinations;
        const char *expected;   // pdftohtml's outline, blanks dropped
    };
    const Case cases[] = {
        {{0, 1, 2, 3},
         5,
         "<outline><itempage=\"1\">Orders&lt;all&gt;&amp;&#34;more&#34;</item><outline>"
         "<itempage=\"1\">Row1</item><itempage=\"3\">Zażółć東京𝄞</item></outline>"
         "<itempage=\"2\">Pagetwoonly</item><outline><itempage=\"4\">Lastpage</item>"
         "</outline></outline>"},
        // Page 2 left out: its entry stays for the one below it, without a page.
        {{0, 2, 3},
         4,
         "<outline><itempage=\"1\">Orders&lt;all&gt;&amp;&#34;more&#34;</item><outline>"
         "<itempage=\"1\">Row1</item><itempage=\"2\">Zażółć東京𝄞</item></outline>"
         "<item>Pagetwoonly</item><outline><itempage=\"3\">Lastpage</item>"
         "</outline></outline>"},
        {{1}, 1, "<outline><itempage=\"1\">Pagetwoonly</item></outline>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.pages));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("orders.pdf"));
        ASSERT_EQ(exportPdf(r.store, pdf, c.pages, {}), QString());
        QString xml = runTool(
            pdftohtml,
            {QStringLiteral("-xml"), QStringLiteral("-stdout"), QStringLiteral("-i"), pdf});
        const qsizetype from = xml.indexOf(QLatin1String("<outline>"));
        const qsizetype to = xml.lastIndexOf(QLatin1String("</outline>"));
        xml = from < 0 ? QString() : xml.mid(from, to + 10 - from);
        xml.remove(QRegularExpression(QStringLiteral("\\s")));
        EXPECT_EQ(xml.toStdString(), c.expected);
        // Every entry stands 60 units below the 10 mm margin of an A4 page,
        // 842 points high: 842 - (37.7953 + 60) * 0.75 points from the bottom.
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().count("/XYZ null 768.65 null]"), c.destinations);
        const QString text = runTool(pdftotext, {pdf, QStringLiteral("-")});
        EXPECT_EQ(text.count(QLatin1Char('\f')), c.pages.size()) << text.toStdString();
        EXPECT_EQ(text.count(QLatin1String("Orders")), c.pages.size());
    }

    // A title of any length before the catalog does not hide it.
    PreparedReport titled;
    titled.run(1, 1);
    titled.report.reportOptions()->name = QString(100000, QLatin1Char('T'));
    titled.store.setCurrentPage(0);
    titled.store.outline().addItem(QStringLiteral("Only"), 0);
    QTemporaryDir titledDir;
    const QString titledPdf = titledDir.filePath(QStringLiteral("titled.pdf"));
    ASSERT_EQ(exportPdf(titled.store, titledPdf, {0}, {}), QString());
    EXPECT_TRUE(runTool(pdftohtml,
                        {QStringLiteral("-xml"), QStringLiteral("-stdout"), QStringLiteral("-i"),
                         titledPdf})
                    .contains(QLatin1String("<item page=\"1\">Only</item>")));

    // Without an outline, nothing is appended.
    PreparedReport plain;
    plain.run(1, 1);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("plain.pdf"));
    ASSERT_EQ(exportPdf(plain.store, pdf, {0}, {}), QString());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.contains("/Outlines"));
    EXPECT_EQ(bytes.count("%%EOF"), 1);
}

TEST(PageExport, PngWritesOneImagePerPage)
{
    PreparedReport r;
    r.run(3, 1);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("orders.png"));
    ASSERT_EQ(exportPng(r.store, out, {0, 2}, 30), QString());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("orders-1.png"), QStringLiteral("orders-3.png")}));
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("orders-3.png"))).size(), QSize(248, 351));
    EXPECT_FALSE(exportPng(r.store, out, {0}, 0).isEmpty());
    EXPECT_FALSE(exportPng(r.store, out, {}, 96).isEmpty());
}

}   // namespace
}   // namespace pgx::test
