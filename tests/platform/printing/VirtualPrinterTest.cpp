#include "platform/printing/VirtualPrinter.h"
#include "platform/printing/PaperTable.h"

#include <gtest/gtest.h>

namespace pgx {
namespace {

TEST(VirtualPrinter, InitialisesToItsFixedValues)
{
    TpgxVirtualPrinter printer;
    EXPECT_FALSE(printer.isInitialized());
    printer.initDevice();
    EXPECT_TRUE(printer.isInitialized());
    EXPECT_EQ(printer.name(), QStringLiteral("Virtual"));
    EXPECT_TRUE(printer.port().isEmpty());
    EXPECT_EQ(printer.dpiX(), 600);
    EXPECT_EQ(printer.dpiY(), 600);
    EXPECT_EQ(printer.defaultPaper(), 9);
    EXPECT_EQ(printer.defaultOrientation(), poPortrait);
    EXPECT_EQ(printer.defaultPaperWidth(), 210);
    EXPECT_EQ(printer.defaultPaperHeight(), 297);
    EXPECT_EQ(printer.binOverride(), -1);
    EXPECT_FALSE(printer.supportsDuplex());
    // Margins appear only once a sheet has been selected.
    EXPECT_EQ(printer.leftMargin(), 0);
    EXPECT_EQ(printer.bottomMargin(), 0);
}

TEST(VirtualPrinter, PaperListIsCustomThenEveryTableRowInOrder)
{
    TpgxVirtualPrinter printer;
    printer.initDevice();
    const QList<TpgxPrinterItem> &papers = printer.papers();
    ASSERT_EQ(papers.size(), 67);
    EXPECT_EQ(papers[0].name, QStringLiteral("Custom"));
    EXPECT_EQ(papers[0].code, 256);
    for (size_t i = 0; i < kPaperTable.size(); ++i) {
        EXPECT_EQ(papers[qsizetype(i) + 1].code, kPaperTable[i].code);
        EXPECT_TRUE(papers[qsizetype(i) + 1].name.isEmpty());
    }
    ASSERT_EQ(printer.bins().size(), 1);
    EXPECT_EQ(printer.bins()[0].name, QStringLiteral("Default"));
    EXPECT_EQ(printer.bins()[0].code, 7);

    // Initialising again does not grow the lists.
    printer.initDevice();
    EXPECT_EQ(printer.papers().size(), 67);
}

TEST(VirtualPrinter, FindsPapersAndBinsByCodeAndName)
{
    TpgxVirtualPrinter printer;
    printer.initDevice();
    EXPECT_EQ(printer.findPaperIndex(256), 0);
    EXPECT_EQ(printer.findPaperIndex(9), 9);
    EXPECT_EQ(printer.findPaperIndex(50), 48);   // 48 and 49 are missing
    EXPECT_EQ(printer.findPaperIndex(68), 66);
    EXPECT_EQ(printer.findPaperIndex(48), -1);
    EXPECT_EQ(printer.findBinIndex(7), 0);
    EXPECT_EQ(printer.findBinIndex(1), -1);

    EXPECT_EQ(printer.paperCodeByName(QStringLiteral("Custom")), 256);
    EXPECT_EQ(printer.paperCodeByName(QStringLiteral("A4")), 256);
    // The table's names are all empty, so an empty name is the first row.
    EXPECT_EQ(printer.paperCodeByName(QString()), 1);
    EXPECT_EQ(printer.binCodeByName(QStringLiteral("Default")), 7);
    EXPECT_EQ(printer.binCodeByName(QStringLiteral("Tray 1")), 7);
}

TEST(VirtualPrinter, SelectSheetTakesTableSizesAndFiveMillimetreMargins)
{
    const struct
    {
        int code;
        double width, height;
        TPrinterOrientation orientation;
        int expectCode;
        double expectWidth, expectHeight;
    } cases[] = {
        {9, 0, 0, poPortrait, 9, 210, 297},
        {9, 0, 0, poLandscape, 9, 297, 210},
        {8, 1, 2, poPortrait, 8, 297, 420},   // the table beats the given size
        {256, 100, 150, poPortrait, 256, 100, 150},
        {256, 100, 150, poLandscape, 256, 100, 150},   // a custom size is taken as given
        {48, 120, 80, poPortrait, 256, 120, 80},       // not in the table: custom
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        TpgxVirtualPrinter printer;
        printer.initDevice();
        printer.selectSheet(c.code, c.width, c.height, c.orientation);
        EXPECT_EQ(printer.paperSize(), c.expectCode);
        EXPECT_EQ(printer.orientation(), c.orientation);
        EXPECT_EQ(printer.paperWidth(), c.expectWidth);
        EXPECT_EQ(printer.paperHeight(), c.expectHeight);
        for (double margin : {printer.leftMargin(), printer.topMargin(), printer.rightMargin(),
                              printer.bottomMargin()})
            EXPECT_EQ(margin, 5);
        // Defaults do not follow the selected sheet.
        EXPECT_EQ(printer.defaultPaper(), 9);
    }
}

TEST(VirtualPrinter, ConfigureJobSelectsTheSheetAndKeepsTheBin)
{
    TpgxVirtualPrinter printer;
    printer.initDevice();
    printer.configureJob(11, 0, 0, poLandscape, 4, TpgxCustomPrinter::kDuplexVertical, 3);
    EXPECT_EQ(printer.paperSize(), 11);
    EXPECT_EQ(printer.paperWidth(), 210);
    EXPECT_EQ(printer.paperHeight(), 148);
    EXPECT_EQ(printer.binOverride(), 4);
    EXPECT_FALSE(printer.isPrinting());
}

}   // namespace
}   // namespace pgx
