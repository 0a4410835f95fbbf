#include "PrintTestSupport.h"

#include "platform/printing/PrinterBackend.h"
#include "platform/printing/Printers.h"
#include "prepared/print/PrintRun.h"
#include "report/root/ReportOptions.h"

#include <gtest/gtest.h>

#include <functional>

namespace pgx::test {
namespace {

using Options = std::function<void(TpgxPrintOptions &)>;
using Page = TpgxReportPage;

struct RunCase
{
    const char *name;
    std::vector<PageSpec> pages;
    Options options;
    int duplexChoice;
    const char *expected;   // the log, one entry per line
};

const PageSpec a4{};
const PageSpec a3{8};
const PageSpec a5{11};
const PageSpec a4Landscape{9, true};

QString logOf(const RunCase &c, int cancelAfterPage = 0, QString *error = nullptr)
{
    PrintStore printStore(c.pages);
    RecordingHost host;
    host.report = &printStore.report;
    host.cancelAfterPage = cancelAfterPage;
    RecordingPrinter printer(host.log);
    TpgxPrintOptions options;
    options.collate = false;
    if (c.options)
        c.options(options);
    prepared::PrintRun run(printStore.store, printer, host);
    run.setDuplexChoice(c.duplexChoice);
    const QString result = run.run(options);
    if (error)
        *error = result;
    else
        EXPECT_EQ(result, QString());
    return host.log.join(QLatin1Char('\n'));
}

class PrintRunTest : public ::testing::TestWithParam<RunCase>
{ };

TEST_P(PrintRunTest, AsksThePrinterForExactlyTheseSheets)
{
    EXPECT_EQ(logOf(GetParam()).toStdString(), GetParam().expected);
}

const RunCase kRuns[] = {
    {"RangeAndNumbersBeyondTheLastPage",
     {a4, a4, a4, a4},
     [](TpgxPrintOptions &o) { o.pageNumbers = QStringLiteral("1, 3-3,9"); },
     0,
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 3 copy 1 at -50,-50 scale 2.646\n"
     "finish"},
    {"OddPagesInReverse",
     {a4, a4, a4, a4, a4},
     [](TpgxPrintOptions &o) {
         o.printPages = TpgxPrintOptions::ppOdd;
         o.reverse = true;
     },
     0,
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 5 copy 1 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 3 copy 1 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "finish"},
    {"EvenPages",
     {a4, a4, a4},
     [](TpgxPrintOptions &o) { o.printPages = TpgxPrintOptions::ppEven; },
     0,
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 2 copy 1 at -50,-50 scale 2.646\n"
     "finish"},
    {"UncollatedCopiesAreThePrintersToRepeat",
     {a4, a4},
     [](TpgxPrintOptions &o) { o.copies = 3; },
     0,
     "configure 9 210x297 portrait bin 7 duplex 1 copies 3\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 2 copy 1 at -50,-50 scale 2.646\n"
     "finish"},
    {"CollatedDuplexCopiesOfAnOddCountGetABlankBackBetweenThem",
     {a4, a4, a4},
     [](TpgxPrintOptions &o) {
         o.copies = 2;
         o.collate = true;
     },
     1,
     "configure 9 210x297 portrait bin 7 duplex 2 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 2 copy 1 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 3 copy 1 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "configure 9 210x297 portrait bin 7 duplex 2 copies 1\n"
     "sheet 210x297\n"
     "  page 1 copy 2 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 2 copy 2 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 3 copy 2 at -50,-50 scale 2.646\n"
     "finish"},
    {"CollatedSimplexCopiesNeedNoBlank",
     {a4},
     [](TpgxPrintOptions &o) {
         o.copies = 2;
         o.collate = true;
     },
     0,
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "sheet 210x297\n"
     "  page 1 copy 2 at -50,-50 scale 2.646\n"
     "finish"},
    {"ReconfiguredOnlyBetweenDifferingPages",
     {a4, a4, a4Landscape, a4Landscape, a5},
     {},
     0,
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 2 copy 1 at -50,-50 scale 2.646\n"
     "configure 9 297x210 landscape bin 7 duplex 1 copies 1\n"
     "sheet 297x210\n"
     "  page 3 copy 1 at -50,-50 scale 2.646\n"
     "sheet 297x210\n"
     "  page 4 copy 1 at -50,-50 scale 2.646\n"
     "configure 11 148x210 portrait bin 7 duplex 1 copies 1\n"
     "sheet 148x210\n"
     "  page 5 copy 1 at -50,-50 scale 2.646\n"
     "finish"},
    {"FirstPageFromItsBinTheOthersFromTheirs",
     {{9, false, 257, 4}, {9, false, 257, 4}, {9, false, 257, 4}},
     {},
     0,
     "configure 9 210x297 portrait bin 257 duplex 1 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "configure 9 210x297 portrait bin 4 duplex 1 copies 1\n"
     "sheet 210x297\n"
     "  page 2 copy 1 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 3 copy 1 at -50,-50 scale 2.646\n"
     "finish"},
    {"PagesOwnDuplexUnlessTheDialogChose",
     {{9, false, 7, 7, Page::dmHorizontal}, {9, false, 7, 7, Page::dmNone}},
     {},
     0,
     "configure 9 210x297 portrait bin 7 duplex 3 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "sheet 210x297\n"
     "  page 2 copy 1 at -50,-50 scale 2.646\n"
     "finish"},
    {"SplitA3OnA4TurnsTheSheetAndOverlaps3mm",
     {a3},
     [](TpgxPrintOptions &o) {
         o.printMode = TpgxPrintOptions::pmSplit;
         o.printOnSheet = 9;
     },
     0,
     // Landscape A4, one column and two rows: the second sheet goes on where
     // the first one's printable area ended (297 - 5 mm margin), 3 mm back.
     "configure 9 210x297 landscape bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 297x210\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "sheet 297x210\n"
     "  page 1 copy 1 at -50,-2020 scale 2.646\n"
     "finish"},
    {"SplitA2OnA4UsesFourSheets",
     {{66}},
     [](TpgxPrintOptions &o) {
         o.printMode = TpgxPrintOptions::pmSplit;
         o.printOnSheet = 9;
     },
     0,
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -2020,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-2890 scale 2.646\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -2020,-2890 scale 2.646\n"
     "finish"},
    {"JoinA5OnA4TwoToALandscapeSheet",
     {a5, a5, a5},
     [](TpgxPrintOptions &o) {
         o.printMode = TpgxPrintOptions::pmJoin;
         o.printOnSheet = 9;
     },
     0,
     "configure 9 210x297 landscape bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 297x210\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "  page 2 copy 1 at 1430,-50 scale 2.646\n"
     "sheet 297x210\n"
     "  page 3 copy 1 at -50,-50 scale 2.646\n"
     "finish"},
    {"JoinCopiesRunOnToTheNextSheet",
     {a5, a5},
     [](TpgxPrintOptions &o) {
         o.printMode = TpgxPrintOptions::pmJoin;
         o.printOnSheet = 9;
         o.copies = 3;
         o.pageNumbers = QStringLiteral("2-");
     },
     0,
     "configure 9 210x297 landscape bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 297x210\n"
     "  page 2 copy 1 at -50,-50 scale 2.646\n"
     "  page 2 copy 2 at 1430,-50 scale 2.646\n"
     "sheet 297x210\n"
     "  page 2 copy 3 at -50,-50 scale 2.646\n"
     "finish"},
    {"JoinNeverPutsAPageOffTheSheet",
     // A4 pages do not fit twice on an A4 sheet in either direction.
     {a4, a4},
     [](TpgxPrintOptions &o) {
         o.printMode = TpgxPrintOptions::pmJoin;
         o.printOnSheet = 9;
     },
     0,
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 2.646\n"
     "sheet 210x297\n"
     "  page 2 copy 1 at -50,-50 scale 2.646\n"
     "finish"},
    {"ScaleA3OnA4KeepsItsProportionsCentred",
     {a3, a4Landscape},
     [](TpgxPrintOptions &o) {
         o.printMode = TpgxPrintOptions::pmScale;
         o.printOnSheet = 9;
     },
     0,
     // 297 x 420 at 0.7071 is 210 x 297; the landscape A4 page turns the
     // sheet and fills it.
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 1.871\n"
     "configure 9 210x297 landscape bin 7 duplex 1 copies 1\n"
     "sheet 297x210\n"
     "  page 2 copy 1 at -50,-50 scale 2.646\n"
     "finish"},
    {"ScaleA5OnA4CentresAcross",
     {a5},
     [](TpgxPrintOptions &o) {
         o.printMode = TpgxPrintOptions::pmScale;
         o.printOnSheet = 9;
     },
     0,
     // 148 x 210 at 1.4143 is 209.3 x 297: bound by the height, 0.35 mm in.
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -47,-50 scale 3.742\n"
     "finish"},
    {"UnknownSheetCodeFallsBackToA4",
     {a3},
     [](TpgxPrintOptions &o) {
         o.printMode = TpgxPrintOptions::pmScale;
         o.printOnSheet = 999;
     },
     0,
     "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
     "start\n"
     "sheet 210x297\n"
     "  page 1 copy 1 at -50,-50 scale 1.871\n"
     "finish"},
    {"BackwardsRangeSelectsNothing",
     {a4, a4, a4, a4},
     [](TpgxPrintOptions &o) { o.pageNumbers = QStringLiteral("4-2"); },
     0,
     ""},
};

INSTANTIATE_TEST_SUITE_P(Runs, PrintRunTest, ::testing::ValuesIn(kRuns),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PrintRun, CancelledFromTheProgressWindowSendsNothing)
{
    const RunCase c{"", {a4, a4, a4}, {}, 0, ""};
    EXPECT_EQ(logOf(c, 1).toStdString(),
              "configure 9 210x297 portrait bin 7 duplex 1 copies 1\n"
              "start\n"
              "sheet 210x297\n"
              "  page 1 copy 1 at -50,-50 scale 2.646\n"
              "cancel");

    const RunCase collated{"", {a4, a4}, [](TpgxPrintOptions &o) {
                               o.copies = 3;
                               o.collate = true;
                           }, 0, ""};
    EXPECT_FALSE(logOf(collated, 2).contains(QStringLiteral("copy 2")));

    const RunCase join{"", {a5, a5, a5}, [](TpgxPrintOptions &o) {
                           o.printMode = TpgxPrintOptions::pmJoin;
                           o.printOnSheet = 9;
                       }, 0, ""};
    // Join stops after the sheet on which the cancelled page was placed.
    EXPECT_TRUE(logOf(join, 2).endsWith(QStringLiteral("page 2 copy 1 at 1430,-50 scale 2.646\ncancel")));
}

TEST(PrintRun, AMalformedRangeEndsTheRunBeforeAnythingIsPrinted)
{
    for (const char *range : {"1,,2", "-5", "1-x"}) {
        const RunCase c{"", {a4, a4}, [range](TpgxPrintOptions &o) {
                            o.pageNumbers = QString::fromLatin1(range);
                        }, 0, ""};
        QString error;
        EXPECT_EQ(logOf(c, 0, &error), QString()) << range;
        EXPECT_TRUE(error.endsWith(QStringLiteral("is not a valid integer value"))) << range;
    }
}

TEST(PrintPreparedReport, WithoutPrintersSaysSoAndPrintsNothing)
{
    TpgxPrinters::resetInstance(std::make_unique<NoPrinterBackend>());
    PrintStore printStore({a4});
    RecordingHost host;
    EXPECT_FALSE(prepared::printPreparedReport(printStore.store, host));
    EXPECT_EQ(host.errors, QStringList{QStringLiteral("No printers installed on your system")});
    EXPECT_TRUE(host.log.isEmpty());
    TpgxPrinters::resetInstance();
}

}   // namespace
}   // namespace pgx::test
