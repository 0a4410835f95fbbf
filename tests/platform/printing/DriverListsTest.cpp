// How the printing system's lists become a printer's papers and bins, and
// the libcups backend on a machine without a scheduler.
#include "FakePrinterBackend.h"

#include "platform/printing/CupsPrinterBackend.h"
#include "platform/printing/DriverLists.h"
#include "platform/printing/Printers.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

namespace pgx {
namespace {

TEST(DriverLists, EachPaperCodeOnceWithBorderedMargins)
{
    QList<PrinterPaper> papers;
    appendDriverPaper(papers, {"A4 (borderless)", 9, 210, 297, 0, 0, 0, 0});
    appendDriverPaper(papers, {"A4", 9, 210, 297, 3, 3, 3, 5});
    appendDriverPaper(papers, {"A4 (tray 2)", 9, 210, 297, 4, 4, 4, 4});
    appendDriverPaper(papers, {"A4 borderless again", 9, 210, 297, 0, 0, 0, 0});
    appendDriverPaper(papers, {"Photo 4x6", 256, 101.6, 152.4, 0, 0, 0, 0});
    appendDriverPaper(papers, {"Photo 5x7", 256, 127, 177.8, 0, 0, 0, 0});
    appendDriverPaper(papers, {"Letter", 1, 215.9, 279.4, 6, 6, 6, 6});

    ASSERT_EQ(papers.size(), 4);
    EXPECT_EQ(papers[0].name, QStringLiteral("A4 (borderless)"));
    EXPECT_EQ(papers[0].left, 3);
    EXPECT_EQ(papers[0].bottom, 5);
    EXPECT_EQ(papers[1].name, QStringLiteral("Photo 4x6"));
    EXPECT_EQ(papers[2].name, QStringLiteral("Photo 5x7"));
    EXPECT_EQ(papers[3].code, 1);
}

TEST(DriverLists, MediaSourcesGetStableBinCodes)
{
    const struct
    {
        QStringList keywords;
        QList<int> codes;
        const char *why;
    } cases[] = {
        {{"auto", "main", "manual"}, {7, 1, 4}, "known sources take the platform's codes"},
        {{"tray-1", "tray-2", "tray-10"}, {257, 258, 266}, "numbered trays keep their number"},
        {{"main", "top", "by-pass-tray", "manual"},
         {1, 1000, 4, 1001},
         "a taken code moves to 1000 on"},
        {{"photo", "disc", "tray-0", "tray-100", "tray-x"},
         {1000, 1001, 1002, 1003, 1004},
         "unknown sources and out-of-range trays"},
        {{"alternate", "bottom", "middle", "envelope", "large-capacity"},
         {2, 1000, 3, 5, 11},
         "the rest"},
        {{}, {}, "none"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(binCodesForMediaSources(c.keywords), c.codes) << c.why;
}

TEST(DriverLists, MediaSourcesWithoutANameGetAReadableOne)
{
    const QStringList keywords
        = {"tray-1", "large-capacity", "manual", "by-pass-tray", "", "Envelope_2"};
    QStringList names;
    for (const QString &keyword : keywords)
        names << readableMediaSourceName(keyword);
    EXPECT_EQ(
        names,
        QStringList({"Tray 1", "Large capacity", "Manual", "By pass tray", "", "Envelope 2"}));
}

TEST(CupsBackend, WithoutASchedulerListsNothingAndLeavesTheVirtualPrinter)
{
    // A scheduler socket that cannot exist, so that the machine's own
    // printers (if any) play no part; libcups then fails at once.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    test::ScopedEnv server("CUPS_SERVER", (dir.path() + "/no-scheduler.sock").toUtf8());
    test::ScopedEnv notForced(kForceVirtualPrinterVariable, "0");

    auto backend = PrinterBackend::createDefault();
    ASSERT_NE(dynamic_cast<CupsPrinterBackend *>(backend.get()), nullptr);
    EXPECT_TRUE(backend->printerNames().isEmpty());
    EXPECT_TRUE(backend->defaultPrinterName().isEmpty());
    EXPECT_FALSE(backend->capabilities("Anything").has_value());

    TpgxPrinters printers(std::make_unique<CupsPrinterBackend>());
    EXPECT_FALSE(printers.hasPhysicalPrinters());
    EXPECT_EQ(printers.printerNames(), QStringList({"Virtual"}));
    printers.refill();
    EXPECT_EQ(printers.count(), 1);
    EXPECT_EQ(printers.currentPrinter()->dpiX(), 600);
}

}   // namespace
}   // namespace pgx
