// The system printer over a backend of the test's choosing: lists, defaults,
// metrics and the settings a job leaves for the printing system.
#include "FakePrinterBackend.h"

#include "platform/Error.h"
#include "platform/printing/Printer.h"

#include <gtest/gtest.h>

#include <limits>

namespace pgx {
namespace {

using test::FakePrinterBackend;
using test::officePrinter;

struct Metrics
{
    double width, height, left, top, right, bottom;
};

void expectMetrics(const TpgxCustomPrinter &printer, const Metrics &m)
{
    EXPECT_EQ(printer.paperWidth(), m.width);
    EXPECT_EQ(printer.paperHeight(), m.height);
    EXPECT_EQ(printer.leftMargin(), m.left);
    EXPECT_EQ(printer.topMargin(), m.top);
    EXPECT_EQ(printer.rightMargin(), m.right);
    EXPECT_EQ(printer.bottomMargin(), m.bottom);
}

class SystemPrinter : public ::testing::Test
{
protected:
    FakePrinterBackend m_backend;

    void addPrinter(const QString &name, std::optional<PrinterCapabilities> caps)
    {
        m_backend.printers.append({name, std::move(caps)});
    }
};

TEST_F(SystemPrinter, ListsBeginWithCustomAndDefaultAndSkipTheirCodes)
{
    addPrinter("Office", officePrinter());
    TpgxPrinter printer(m_backend, "Office");
    printer.initDevice();
    ASSERT_TRUE(printer.isInitialized());
    EXPECT_EQ(printer.paperNames(), QStringList({"Custom", "A4", "Letter", "A5"}));
    EXPECT_EQ(printer.findPaperIndex(1), 2);
    EXPECT_EQ(printer.paperCodeByName("A5"), 11);
    EXPECT_EQ(printer.paperCodeByName("Photo 4x6"), 256);   // custom sizes are "Custom"
    EXPECT_EQ(printer.binNames(), QStringList({"Default", "Tray 1", "Manual feed"}));
    EXPECT_EQ(printer.binCodeByName("Manual feed"), 4);
    EXPECT_EQ(printer.binCodeByName("Automatic"), 7);
    EXPECT_EQ(printer.findBinIndex(257), 1);
    EXPECT_EQ(printer.dpiX(), 300);
    EXPECT_TRUE(printer.supportsDuplexLongEdge());
    EXPECT_FALSE(printer.supportsDuplexShortEdge());
    EXPECT_EQ(printer.binOverride(), -1);
}

TEST_F(SystemPrinter, MetricsAreWholeMillimetresAsTheDeviceReportsThem)
{
    // Expected values go through device pixels at 300 dpi: A4 is 2480 x 3508
    // pixels, its margins 40, 50, 66 and 77 pixels, so the printable area is
    // 2374 x 3381 pixels (201 x 286 mm) and the right and bottom margins are
    // what remains: 210 - 201 - 3 and 297 - 286 - 4. Rounding 6.5 mm alone
    // would have given 6.
    const struct
    {
        const char *what;
        int paper;
        bool landscape;
        Metrics metrics;
        double defaultWidth, defaultHeight;
    } cases[] = {
        {"A4 portrait", 9, false, {210, 297, 3, 4, 6, 7}, 210, 297},
        {"A4 landscape: the portrait top becomes the left",
         9,
         true,
         {297, 210, 4, 6, 7, 3},
         297,
         210},
        {"Letter: 2550 x 3300 pixels, defaults keep the exact size",
         1,
         false,
         {216, 279, 6, 6, 7, 13},
         215.9,
         279.4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FakePrinterBackend local;
        PrinterCapabilities caps = officePrinter();
        caps.defaultPaper = c.paper;
        caps.defaultLandscape = c.landscape;
        local.printers = {{"Office", caps}};
        TpgxPrinter printer(local, "Office");
        printer.initDevice();
        EXPECT_EQ(printer.paperSize(), c.paper);
        EXPECT_EQ(printer.defaultPaper(), c.paper);
        EXPECT_EQ(printer.orientation(), c.landscape ? poLandscape : poPortrait);
        EXPECT_EQ(printer.defaultOrientation(), printer.orientation());
        expectMetrics(printer, c.metrics);
        EXPECT_DOUBLE_EQ(printer.defaultPaperWidth(), c.defaultWidth);
        EXPECT_DOUBLE_EQ(printer.defaultPaperHeight(), c.defaultHeight);
    }
}

TEST_F(SystemPrinter, ACustomDefaultPaperKeepsItsSize)
{
    PrinterCapabilities caps = officePrinter();
    caps.defaultPaper = 256;
    caps.defaultWidth = 101.6;
    caps.defaultHeight = 152.4;
    addPrinter("Photo", caps);
    TpgxPrinter printer(m_backend, "Photo");
    printer.initDevice();
    EXPECT_EQ(printer.defaultPaper(), 256);
    EXPECT_DOUBLE_EQ(printer.defaultPaperWidth(), 101.6);
    EXPECT_DOUBLE_EQ(printer.defaultPaperHeight(), 152.4);
    EXPECT_EQ(printer.paperWidth(), 102);
}

TEST_F(SystemPrinter, SelectSheetMeasuresTheSheetAskedFor)
{
    addPrinter("Office", officePrinter());
    const struct
    {
        const char *what;
        int code;
        double width, height;
        TPrinterOrientation orientation;
        int expectCode;
        Metrics metrics;
    } cases[] = {
        {"a paper the printer lists takes its margins",
         11,
         0,
         0,
         poPortrait,
         11,
         {148, 210, 3, 4, 6, 7}},
        {"a table paper it does not list borrows the default's margins",
         8,
         0,
         0,
         poPortrait,
         8,
         {297, 420, 3, 4, 6, 7}},
        {"custom: A4's margins, the size as given",
         256,
         100.5,
         150.25,
         poPortrait,
         256,
         {100.5, 150.25, 3, 4, 6, 7}},
        {"turned", 11, 0, 0, poLandscape, 11, {210, 148, 4, 6, 7, 3}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TpgxPrinter printer(m_backend, "Office");
        printer.selectSheet(c.code, c.width, c.height, c.orientation);
        EXPECT_TRUE(printer.isInitialized());
        EXPECT_EQ(printer.paperSize(), c.expectCode);
        EXPECT_EQ(printer.orientation(), c.orientation);
        expectMetrics(printer, c.metrics);
        EXPECT_EQ(printer.defaultPaper(), 9);
    }
}

TEST_F(SystemPrinter, ConfigureJobLeavesTheSettingsForTheJob)
{
    addPrinter("Office", officePrinter());
    TpgxPrinter printer(m_backend, "Office");
    printer.initDevice();

    // A custom size goes in tenths of a millimetre, ties to even.
    printer.configureJob(256, 100.04, 150.25, poPortrait, 7, TpgxCustomPrinter::kDuplexNone, 2);
    EXPECT_EQ(printer.settings().paperSize, 256);
    EXPECT_EQ(printer.settings().paperWidth, 1000);
    EXPECT_EQ(printer.settings().paperLength, 1502);
    EXPECT_EQ(printer.settings().copies, 2);
    EXPECT_EQ(printer.settings().defaultSource, 7);
    EXPECT_EQ(printer.settings().duplex, 0);
    EXPECT_EQ(printer.paperSize(), 256);
    EXPECT_EQ(printer.paperWidth(), 100);
    EXPECT_EQ(printer.paperHeight(), 150);

    printer.configureJob(9, 0, 0, poLandscape, 257, TpgxCustomPrinter::kDuplexVertical, 1);
    EXPECT_EQ(printer.settings().paperWidth, 0);
    EXPECT_EQ(printer.settings().paperLength, 0);
    EXPECT_EQ(printer.settings().orientation, poLandscape);
    EXPECT_EQ(printer.settings().defaultSource, 257);
    EXPECT_EQ(printer.settings().duplex, 2);
    expectMetrics(printer, {297, 210, 4, 6, 7, 3});

    // The automatic bin keeps the source in force; simplex is sent as one-sided.
    printer.configureJob(9, 0, 0, poPortrait, 7, TpgxCustomPrinter::kDuplexSimplex, 1);
    EXPECT_EQ(printer.settings().defaultSource, 257);
    EXPECT_EQ(printer.settings().duplex, 1);

    // A source chosen in the driver's dialog beats the page's bin.
    printer.setBinOverride(4);
    printer.configureJob(9, 0, 0, poPortrait, 257, TpgxCustomPrinter::kDuplexHorizontal, 1);
    EXPECT_EQ(printer.settings().defaultSource, 4);
    EXPECT_EQ(printer.settings().duplex, 3);
}

TEST_F(SystemPrinter, ABrokenCustomSizeFallsBackToTheDefaultSheet)
{
    addPrinter("Office", officePrinter());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        double width, height;
    } cases[] = {{nan, 150}, {100, -5}, {0, 0}, {inf, 100}, {100, 1e12}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        TpgxPrinter printer(m_backend, "Office");
        printer.configureJob(256, c.width, c.height, poPortrait, 7, TpgxCustomPrinter::kDuplexNone,
                             0);
        EXPECT_TRUE(printer.settings().paperWidth == 0 || printer.settings().paperLength == 0);
        EXPECT_EQ(printer.settings().copies, 1);
        expectMetrics(printer, {210, 297, 3, 4, 6, 7});
    }
}

TEST_F(SystemPrinter, AnUnreadablePrinterStaysUninitialisedAndIsAskedAgain)
{
    addPrinter("Offline", std::nullopt);
    TpgxPrinter printer(m_backend, "Offline");
    printer.initDevice();
    printer.selectSheet(11, 0, 0, poPortrait);
    EXPECT_FALSE(printer.isInitialized());
    EXPECT_EQ(m_backend.capabilityRequests.value("Offline"), 2);
    // Pages asking it for defaults still get a usable sheet.
    EXPECT_EQ(printer.defaultPaper(), 9);
    EXPECT_EQ(printer.defaultPaperWidth(), 210);
    EXPECT_EQ(printer.paperNames(), QStringList({"Custom"}));
    EXPECT_EQ(printer.binNames(), QStringList({"Default"}));
}

TEST_F(SystemPrinter, APrinterWithoutResolutionIsNotValid)
{
    PrinterCapabilities caps = officePrinter();
    caps.dpiY = 0;
    addPrinter("Broken", caps);
    TpgxPrinter printer(m_backend, "Broken");
    try {
        printer.initDevice();
        FAIL() << "no error raised";
    } catch (const Error &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Printer selected is not valid"));
    }
    EXPECT_FALSE(printer.isInitialized());
    EXPECT_EQ(printer.paperNames(), QStringList({"Custom"}));
}

}   // namespace
}   // namespace pgx
