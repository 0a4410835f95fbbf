// The print dialog's rules without the dialog: the sheet box, the mode
// rule, a printer change, and the options read in and written back.
#include "PreviewTestSupport.h"

#include "platform/printing/PaperTable.h"
#include "platform/printing/VirtualPrinter.h"
#include "preview/PreviewTexts.h"
#include "preview/print/PrintDialogRules.h"

#include <gtest/gtest.h>

#include <functional>

namespace pgx::preview {
namespace {

using test::ListPrinter;

constexpr auto pmDefault = TpgxPrintOptions::pmDefault;
constexpr auto pmSplit = TpgxPrintOptions::pmSplit;
constexpr auto pmJoin = TpgxPrintOptions::pmJoin;
constexpr auto pmScale = TpgxPrintOptions::pmScale;

// As a system printer lists them: the custom size first.
ListPrinter office()
{
    return ListPrinter({{"Custom", 256}, {"A4", 9}, {"Letter", 1}, {"A5", 11}});
}
// A list where the custom size does not come first.
ListPrinter customInTheMiddle()
{
    return ListPrinter({{"A4", 9}, {"Custom", 256}, {"Letter", 1}, {"A5", 11}});
}
ListPrinter plotter()
{
    return ListPrinter({{"Custom", 256}, {"Letter", 1}, {"A3", 8}, {"A4", 9}, {"A5", 11}});
}
// No A4; its own default is Letter.
ListPrinter label()
{
    return ListPrinter({{"Custom", 256}, {"Envelope #10", 20}, {"Letter", 1}}, 1);
}

class PrintDialogRulesTest : public ::testing::Test
{
protected:
    PrintDialogRulesTest() { registerPreviewTexts(); }
};

TEST_F(PrintDialogRulesTest, TheSheetBoxListsThePapersWithoutTheCustomSize)
{
    EXPECT_EQ(SheetBox::entries(office()), QStringList({"Default", "A4", "Letter", "A5"}));
    EXPECT_EQ(SheetBox::entries(customInTheMiddle()),
              QStringList({"Default", "A4", "Letter", "A5"}));
    EXPECT_EQ(SheetBox::entries(ListPrinter({{"Custom", 256}})), QStringList({"Default"}));
}

TEST_F(PrintDialogRulesTest, EntriesAndPaperCodesMapBothWays)
{
    const struct
    {
        const char *printer;
        ListPrinter list;
        int code;
        int index;
    } cases[] = {
        {"office", office(), 9, 1},
        {"office", office(), 1, 2},
        {"office", office(), 11, 3},
        {"office", office(), 256, 0},   // the custom size is "Default"
        {"office", office(), 8, 0},     // a paper the printer lacks
        {"office", office(), 0, 0},     // PrintOnSheet of a new report
        {"middle", customInTheMiddle(), 9, 1},
        {"middle", customInTheMiddle(), 1, 2},
        {"middle", customInTheMiddle(), 11, 3},
        {"middle", customInTheMiddle(), 256, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.printer << " code " << c.code);
        EXPECT_EQ(SheetBox::indexOfPaper(c.list, c.code), c.index);
        if (c.index > 0) {
            EXPECT_EQ(SheetBox::paperOfIndex(c.list, c.index), c.code);
        }
    }
    for (int index : {0, -1, 4, 100})
        EXPECT_EQ(SheetBox::paperOfIndex(office(), index), kCustomPaper) << index;
}

TEST_F(PrintDialogRulesTest, PapersSharingANameAreToldApartByTheirEntry)
{
    const ListPrinter printer({{"Custom", 256}, {"Plain", 9}, {"Plain", 1}});
    EXPECT_EQ(printer.paperCodeByName(QStringLiteral("Plain")), 9);
    EXPECT_EQ(SheetBox::paperOfIndex(printer, 2), 1);
    EXPECT_EQ(SheetBox::indexOfPaper(printer, 1), 2);
}

TEST_F(PrintDialogRulesTest, PapersWithoutANameShowTheirSize)
{
    TpgxVirtualPrinter printer;
    printer.initDevice();
    const QStringList entries = SheetBox::entries(printer);
    ASSERT_EQ(entries.size(), 67);
    // The table's codes 1 to 9 are its first rows.
    EXPECT_EQ(entries[1], QStringLiteral("215.9 x 279.4 mm"));
    EXPECT_EQ(entries[9], QStringLiteral("210 x 297 mm"));
    EXPECT_EQ(SheetBox::paperOfIndex(printer, 9), 9);
    EXPECT_EQ(SheetBox::unnamedPaperText(300), QStringLiteral("300"));
}

TEST_F(PrintDialogRulesTest, TheModeRuleGivesTheOtherModesASheet)
{
    const struct
    {
        const char *name;
        ListPrinter printer;
        TpgxPrintOptions::TpgxPrintMode mode;
        int index;
        int expectedIndex;
        bool enabled;
    } cases[] = {
        {"default mode keeps Default", office(), pmDefault, 0, 0, false},
        {"default mode drops a sheet", office(), pmDefault, 3, 0, false},
        {"split takes A4 for Default", office(), pmSplit, 0, 1, true},
        {"join keeps a chosen sheet", office(), pmJoin, 3, 3, true},
        {"scale repairs an index past the list", office(), pmScale, 9, 1, true},
        {"A4 found behind another custom entry", customInTheMiddle(), pmSplit, 0, 1, true},
        {"no A4: the printer's default paper", label(), pmSplit, 0, 2, true},
        {"no A4 and no default: the first paper", ListPrinter({{"Custom", 256}, {"B5", 13}}),
         pmJoin, 0, 1, true},
        {"nothing but the custom size", ListPrinter({{"Custom", 256}}), pmScale, 0, 0, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const PrintDialogRules::SheetState state
            = PrintDialogRules::modeRule(c.printer, c.mode, c.index);
        EXPECT_EQ(state.index, c.expectedIndex);
        EXPECT_EQ(state.enabled, c.enabled);
    }
}

TEST_F(PrintDialogRulesTest, APrinterChangeKeepsThePaperWhereTheNewPrinterHasIt)
{
    const struct
    {
        const char *name;
        int fromIndex;   // on office()
        ListPrinter to;
        TpgxPrintOptions::TpgxPrintMode mode;
        int expectedIndex;
    } cases[] = {
        {"A5 to the plotter", 3, plotter(), pmSplit, 4},
        {"Letter to the plotter", 2, plotter(), pmJoin, 1},
        {"A5 to a printer without it, default mode", 3, label(), pmDefault, 0},
        {"A5 to a printer without it, split mode", 3, label(), pmSplit, 2},
        {"Default to the plotter, scale mode", 0, plotter(), pmScale, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const int remembered = PrintDialogRules::rememberedPaper(office(), c.fromIndex);
        EXPECT_EQ(remembered,
                  c.fromIndex == 0 ? -1 : SheetBox::paperOfIndex(office(), c.fromIndex));
        const PrintDialogRules::SheetState state
            = PrintDialogRules::sheetAfterPrinterChange(c.to, c.mode, remembered);
        EXPECT_EQ(state.index, c.expectedIndex);
        EXPECT_EQ(state.enabled, c.mode != pmDefault);
    }
}

TEST_F(PrintDialogRulesTest, TheOptionsSetTheControls)
{
    struct Case
    {
        const char *name;
        std::function<void(TpgxPrintOptions &)> set;
        std::function<void(const PrintDialogValues &)> check;
    };
    const Case cases[] = {
        {"defaults", [](TpgxPrintOptions &) {},
         [](const PrintDialogValues &v) {
             EXPECT_EQ(v.copies, 1);
             EXPECT_TRUE(v.collate);
             EXPECT_EQ(v.pages, PageChoice::All);
             EXPECT_EQ(v.parity, TpgxPrintOptions::ppAll);
             EXPECT_EQ(v.order, 0);
             EXPECT_EQ(v.duplex, 0);
             EXPECT_EQ(v.mode, pmDefault);
             EXPECT_EQ(v.sheetIndex, 0);
         }},
        {"page ranges choose Pages:",
         [](TpgxPrintOptions &o) { o.pageNumbers = QStringLiteral("2-4"); },
         [](const PrintDialogValues &v) {
             EXPECT_EQ(v.pages, PageChoice::Range);
             EXPECT_EQ(v.pageRanges, QStringLiteral("2-4"));
         }},
        {"copies, collation, parity and order",
         [](TpgxPrintOptions &o) {
             o.copies = 3;
             o.collate = false;
             o.printPages = TpgxPrintOptions::ppEven;
             o.reverse = true;
         },
         [](const PrintDialogValues &v) {
             EXPECT_EQ(v.copies, 3);
             EXPECT_FALSE(v.collate);
             EXPECT_EQ(v.parity, TpgxPrintOptions::ppEven);
             EXPECT_EQ(v.order, 1);
         }},
        {"no copies at all show one", [](TpgxPrintOptions &o) { o.copies = -2; },
         [](const PrintDialogValues &v) { EXPECT_EQ(v.copies, 1); }},
        {"join on A5",
         [](TpgxPrintOptions &o) {
             o.printMode = pmJoin;
             o.printOnSheet = 11;
         },
         [](const PrintDialogValues &v) {
             EXPECT_EQ(v.mode, pmJoin);
             EXPECT_EQ(v.sheetIndex, 3);
         }},
        {"split on a sheet the printer lacks takes A4",
         [](TpgxPrintOptions &o) {
             o.printMode = pmSplit;
             o.printOnSheet = 8;
         },
         [](const PrintDialogValues &v) { EXPECT_EQ(v.sheetIndex, 1); }},
        {"the default mode ignores the sheet", [](TpgxPrintOptions &o) { o.printOnSheet = 11; },
         [](const PrintDialogValues &v) { EXPECT_EQ(v.sheetIndex, 0); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TpgxPrintOptions options;
        c.set(options);
        c.check(PrintDialogRules::valuesFromOptions(options, office()));
    }
}

TEST_F(PrintDialogRulesTest, TheControlsAreWrittenBack)
{
    const struct
    {
        const char *name;
        PageChoice pages;
        const char *ranges;
        int currentPage;
        const char *pageNumbers;
    } pageCases[] = {
        {"All drops the ranges typed", PageChoice::All, "3", 7, ""},
        {"Current page", PageChoice::CurrentPage, "3", 7, "7"},
        {"Current page without one prints all", PageChoice::CurrentPage, "3", 0, ""},
        {"Pages:", PageChoice::Range, "1,3,5-12", 7, "1,3,5-12"},
    };
    for (const auto &c : pageCases) {
        SCOPED_TRACE(c.name);
        TpgxPrintOptions options;
        options.pageNumbers = QStringLiteral("old");
        PrintDialogValues values;
        values.pages = c.pages;
        values.pageRanges = QString::fromLatin1(c.ranges);
        PrintDialogRules::applyValues(values, c.currentPage, office(), options);
        EXPECT_EQ(options.pageNumbers, QString::fromLatin1(c.pageNumbers));
    }

    const struct
    {
        int sheetIndex;
        int printOnSheet;
    } sheetCases[] = {{0, 256}, {1, 9}, {3, 11}};
    for (const auto &c : sheetCases) {
        TpgxPrintOptions options;
        PrintDialogValues values;
        values.mode = pmScale;
        values.sheetIndex = c.sheetIndex;
        PrintDialogRules::applyValues(values, 0, office(), options);
        EXPECT_EQ(options.printOnSheet, c.printOnSheet) << c.sheetIndex;
        EXPECT_EQ(options.printMode, pmScale);
    }

    TpgxPrintOptions options;
    PrintDialogValues values;
    values.copies = 4;
    values.collate = false;
    values.parity = TpgxPrintOptions::ppOdd;
    values.order = 1;
    values.duplex = 2;
    EXPECT_EQ(PrintDialogRules::applyValues(values, 0, office(), options), 2);
    EXPECT_EQ(options.copies, 4);
    EXPECT_FALSE(options.collate);
    EXPECT_EQ(options.printPages, TpgxPrintOptions::ppOdd);
    EXPECT_TRUE(options.reverse);
}

TEST_F(PrintDialogRulesTest, APrintFileEndsInPrn)
{
    const struct
    {
        const char *chosen;
        const char *expected;
    } cases[] = {
        {"/tmp/out.txt", "/tmp/out.prn"},     {"/tmp/out", "/tmp/out.prn"},
        {"/tmp/out.prn", "/tmp/out.prn"},     {"/tmp/out.PRN", "/tmp/out.prn"},
        {"/tmp/a.b.c", "/tmp/a.b.prn"},       {"/tmp/my.dir/out", "/tmp/my.dir/out.prn"},
        {"/tmp/.hidden", "/tmp/.hidden.prn"}, {"out.ps", "out.prn"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PrintDialogRules::printFileName(QString::fromUtf8(c.chosen)),
                  QString::fromUtf8(c.expected))
            << c.chosen;
}

}   // namespace
}   // namespace pgx::preview
