// Report pages: paper through the paper table, orientation turning the
// margins, columns, the load order of the paper attributes, printer defaults
// and the page's own ArrangeChildren.
#include "platform/Error.h"
#include "platform/printing/Printers.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxDialogPage.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include "persist/serializer/ComponentStreams.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>

namespace {

struct Margins
{
    double left, right, top, bottom;
};

Margins marginsOf(const TpgxReportPage &p)
{
    return {p.leftMargin(), p.rightMargin(), p.topMargin(), p.bottomMargin()};
}

void setMargins(TpgxReportPage &p, Margins m)
{
    p.setLeftMargin(m.left);
    p.setRightMargin(m.right);
    p.setTopMargin(m.top);
    p.setBottomMargin(m.bottom);
}

#define EXPECT_MARGINS(page, l, r, t, b) \
    do { \
        const Margins m_ = marginsOf(page); \
        EXPECT_DOUBLE_EQ(m_.left, l); \
        EXPECT_DOUBLE_EQ(m_.right, r); \
        EXPECT_DOUBLE_EQ(m_.top, t); \
        EXPECT_DOUBLE_EQ(m_.bottom, b); \
    } while (0)

TEST(ReportPage, NewPageIsA4PortraitInWholeReportUnits)
{
    TpgxReport report;
    TpgxReportPage page(&report);
    EXPECT_EQ(page.orientation(), TpgxReportPage::poPortrait);
    EXPECT_EQ(page.paperSize(), 9);
    EXPECT_DOUBLE_EQ(page.paperWidth(), 210);
    EXPECT_DOUBLE_EQ(page.paperHeight(), 297);
    EXPECT_DOUBLE_EQ(page.width(), 794);
    EXPECT_DOUBLE_EQ(page.height(), 1123);
    EXPECT_MARGINS(page, 0, 0, 0, 0);
    page.makeUniqueName();
    EXPECT_EQ(page.name(), QStringLiteral("Page1"));
}

TEST(ReportPage, PagesShowTheirKindsFromTheResources)
{
    pgx::registerReportClasses();
    TpgxReportPage report;
    TpgxDataPage data;
    TpgxDialogPage dialog;
    EXPECT_EQ(report.kindCaption(), QStringLiteral("Report page"));
    EXPECT_EQ(data.kindCaption(), QStringLiteral("Data page"));
    EXPECT_EQ(dialog.kindCaption(), QStringLiteral("Dialog form"));
    // A new data page is the designer's 1000 x 1000 canvas; a dialog page
    // has the platform's dialog font of its own.
    EXPECT_DOUBLE_EQ(data.width(), 1000);
    EXPECT_DOUBLE_EQ(data.height(), 1000);
    EXPECT_EQ(dialog.font()->name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(dialog.font()->size(), 8);
    EXPECT_FALSE(dialog.parentFont());
}

TEST(ReportPage, OrientationTurnsTheMarginsAndBack)
{
    TpgxReportPage page;
    setMargins(page, {10, 20, 30, 40});
    page.setOrientation(TpgxReportPage::poLandscape);
    EXPECT_MARGINS(page, 30, 40, 20, 10);
    EXPECT_DOUBLE_EQ(page.paperWidth(), 297);
    EXPECT_DOUBLE_EQ(page.paperHeight(), 210);
    EXPECT_DOUBLE_EQ(page.width(), 1123);
    EXPECT_DOUBLE_EQ(page.height(), 794);
    // Setting the same orientation again changes nothing.
    page.setOrientation(TpgxReportPage::poLandscape);
    EXPECT_MARGINS(page, 30, 40, 20, 10);
    page.setOrientation(TpgxReportPage::poPortrait);
    EXPECT_MARGINS(page, 10, 20, 30, 40);
    EXPECT_DOUBLE_EQ(page.paperWidth(), 210);
}

TEST(ReportPage, PaperCodesAndCustomSizes)
{
    struct Case
    {
        const char *what;
        bool landscape;
        int code;
        double width, height;   // expected after SetPaperSize(code)
    };
    const Case cases[] = {
        {"A5 portrait", false, 11, 148, 210},
        {"A5 landscape is turned", true, 11, 210, 148},
        {"Letter", false, 1, 215.9, 279.4},
        {"an unknown code keeps the size", false, 48, 210, 297},
        {"the custom code keeps the size", false, 256, 210, 297},
        {"a code above custom keeps the size", false, 300, 210, 297},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TpgxReportPage page;
        if (c.landscape) {
            page.setOrientation(TpgxReportPage::poLandscape);
            page.setSizeAndDimensions(9, 210, 297);   // as a portrait sheet
        }
        page.setPaperSize(c.code);
        EXPECT_EQ(page.paperSize(), c.code);
        EXPECT_DOUBLE_EQ(page.paperWidth(), c.width);
        EXPECT_DOUBLE_EQ(page.paperHeight(), c.height);
        EXPECT_DOUBLE_EQ(page.width(), std::round(c.width * kPg01cm));
    }
}

TEST(ReportPage, CustomSizeIsRoundedAndMarkedCustom)
{
    TpgxReportPage page;
    page.setPaperWidth(100.123456789);
    EXPECT_DOUBLE_EQ(page.paperWidth(), 100.12345679);
    EXPECT_EQ(page.paperSize(), 256);
    EXPECT_DOUBLE_EQ(page.width(), 378);
    page.setSizeAndDimensions(9, 50.000000004, 60);
    EXPECT_EQ(page.paperSize(), 9);
    EXPECT_DOUBLE_EQ(page.paperWidth(), 50);
    EXPECT_DOUBLE_EQ(page.paperHeight(), 60);
}

TEST(ReportPage, ColumnsSplitThePrintableWidth)
{
    TpgxReportPage page;
    setMargins(page, {10, 10, 10, 10});
    page.setColumns(3);
    EXPECT_NEAR(page.columnWidth(), 63.3333333333, 1e-9);
    EXPECT_EQ(page.columnPositions(),
              (QStringList{QStringLiteral("0"), QStringLiteral("63.3333333333333"),
                           QStringLiteral("126.666666666667")}));
    page.setColumns(0);
    EXPECT_TRUE(page.columnPositions().isEmpty());
    EXPECT_THROW(page.setColumns(-1), pgx::Error);
    EXPECT_THROW(page.setColumns(TpgxReportPage::kMaxColumns + 1), pgx::Error);
    EXPECT_EQ(page.columns(), 0);
}

// A template carries the paper in a fixed order, but hand-edited files may
// not: whatever the order, a known code decides the size and a custom code
// keeps the stored one, and margins are never turned while loading.
TEST(ReportPage, PaperAttributesReadTheSameInAnyOrder)
{
    pgx::registerReportClasses();
    struct Case
    {
        const char *attrs;
        int code;
        double width, height;
        TpgxReportPage::TPrinterOrientation orientation;
        double left;
    };
    const Case cases[] = {
        {R"(Orientation="poLandscape" PaperWidth="297" PaperHeight="210" PaperSize="9" LeftMargin="5")",
         9, 297, 210, TpgxReportPage::poLandscape, 5},
        {R"(PaperSize="9" LeftMargin="5" PaperWidth="1" PaperHeight="2" Orientation="poLandscape")",
         9, 297, 210, TpgxReportPage::poLandscape, 5},
        {R"(PaperSize="11" PaperWidth="1" PaperHeight="2")", 11, 148, 210,
         TpgxReportPage::poPortrait, 0},
        {R"(PaperWidth="100.5" PaperHeight="50" PaperSize="256")", 256, 100.5, 50,
         TpgxReportPage::poPortrait, 0},
        {R"(PaperSize="256" PaperHeight="50" PaperWidth="100.5")", 256, 100.5, 50,
         TpgxReportPage::poPortrait, 0},
        {R"(PaperWidth="100" PaperHeight="50" PaperSize="48")", 48, 100, 50,
         TpgxReportPage::poPortrait, 0},
        {R"(PaperWidth="100" PaperHeight="50")", 256, 100, 50, TpgxReportPage::poPortrait, 0},
        {R"(Orientation="poLandscape" LeftMargin="5")", 9, 297, 210, TpgxReportPage::poLandscape,
         5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.attrs);
        const QByteArray xml
            = QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TpgxReport>\r\n  "
                         "<TpgxReportPage Name=\"Page1\" ")
            + c.attrs + "/>\r\n</TpgxReport>\r\n";
        TpgxReport report;
        QBuffer buffer;
        buffer.setData(xml);
        buffer.open(QIODevice::ReadOnly);
        report.loadFromStream(&buffer);
        EXPECT_TRUE(report.errors().isEmpty())
            << report.errors().join(QLatin1Char('\n')).toStdString();
        // The data page a load adds comes first.
        ASSERT_EQ(report.objects().size(), 2);
        auto *page = qobject_cast<TpgxReportPage *>(report.objects().last());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->paperSize(), c.code);
        EXPECT_DOUBLE_EQ(page->paperWidth(), c.width);
        EXPECT_DOUBLE_EQ(page->paperHeight(), c.height);
        EXPECT_EQ(page->orientation(), c.orientation);
        EXPECT_DOUBLE_EQ(page->leftMargin(), c.left);
        EXPECT_DOUBLE_EQ(page->width(), std::round(c.width * kPg01cm));
    }
}

TEST(ReportPage, PrinterDefaultsOfTheVirtualPrinter)
{
    qputenv("PGX_VIRTUAL_PRINTER", "1");
    pgx::TpgxPrinters::resetInstance();
    TpgxReportPage page;
    page.setOrientation(TpgxReportPage::poLandscape);
    page.setPaperWidth(100);
    page.applyPrinterDefaults();
    EXPECT_MARGINS(page, 10, 10, 10, 10);
    EXPECT_EQ(page.paperSize(), 9);
    EXPECT_EQ(page.orientation(), TpgxReportPage::poPortrait);
    EXPECT_DOUBLE_EQ(page.paperWidth(), 210);
    EXPECT_DOUBLE_EQ(page.height(), 1123);
    pgx::TpgxPrinters::resetInstance();
}

TEST(ReportPage, ArrangeChildrenStretchesBandsOverThePrintableArea)
{
    TpgxReport report;
    auto *page = new TpgxReportPage(&report);
    setMargins(*page, {10, 20, 30, 40});
    auto *title = new TpgxReportTitle(page);
    title->setLeft(5);
    title->setWidth(1);
    auto *side = new TpgxMasterData(page);
    side->setVertical(true);
    side->setTop(7);
    side->setHeight(1);
    page->arrangeChildren();
    EXPECT_DOUBLE_EQ(title->width(), 180 * kPg01cm - 5);
    EXPECT_DOUBLE_EQ(side->height(), 227 * kPg01cm - 7);
    EXPECT_DOUBLE_EQ(side->width(), 0);
    // The page itself keeps the paper's size.
    EXPECT_DOUBLE_EQ(page->width(), 794);
    EXPECT_DOUBLE_EQ(page->height(), 1123);
}

TEST(ReportPage, FirstBandOfAndTheBackgroundArea)
{
    TpgxReport report;
    auto *page = new TpgxReportPage(&report);
    new TpgxReportTitle(page);
    auto *detail = new TpgxDetailData(page);
    auto *master = new TpgxMasterData(page);
    EXPECT_EQ(page->firstBandOf<TpgxMasterData>(), master);
    EXPECT_EQ(page->firstBandOf<TpgxDataBand>(), detail);
    EXPECT_EQ(page->firstBandOf<TpgxPageFooter>(), nullptr);

    setMargins(*page, {10, 20, 30, 40});
    const QRectF area = page->backgroundRect(2, 2, 100, 50);
    EXPECT_DOUBLE_EQ(area.left(), 100 + 10 * kPg01cm * 2);
    EXPECT_DOUBLE_EQ(area.top(), 50 + 30 * kPg01cm * 2);
    EXPECT_DOUBLE_EQ(area.width(), 180 * kPg01cm * 2);
    EXPECT_DOUBLE_EQ(area.height(), 227 * kPg01cm * 2);

    QRectF drawn;
    TpgxReportPage::setBackgroundPainter(
        [&](const TpgxReportPage &, QPainter *, const QRectF &rect) { drawn = rect; });
    page->drawBackground(nullptr, 2, 2, 100, 50);
    TpgxReportPage::setBackgroundPainter(nullptr);
    EXPECT_EQ(drawn, area);
}

}   // namespace

// Columns stored without width or positions get them as setting Columns
// gives them; stored ones are kept.
TEST(ReportPage, LoadedColumnsGetTheirWidthAndPositions)
{
    const struct
    {
        const char *attrs;
        double width;
        QStringList positions;
    } cases[] = {
        {R"(LeftMargin="5" RightMargin="5" Columns="2")",
         100,
         {QStringLiteral("0"), QStringLiteral("100")}},
        {R"(LeftMargin="5" RightMargin="5" Columns="2" ColumnWidth="80" ColumnPositions.Text="0&#13;&#10;120")",
         80,
         {QStringLiteral("0"), QStringLiteral("120")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.attrs);
        const QByteArray xml
            = QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TpgxReport>\r\n  "
                         "<TpgxReportPage Name=\"Page1\" ")
            + c.attrs + "/>\r\n</TpgxReport>\r\n";
        pgx::registerReportClasses();
        TpgxReport report;
        report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
        QBuffer buffer;
        buffer.setData(xml);
        buffer.open(QIODevice::ReadOnly);
        report.loadFromStream(&buffer);
        ASSERT_TRUE(report.errors().isEmpty())
            << report.errors().join(QLatin1Char('\n')).toStdString();
        auto *page = qobject_cast<TpgxReportPage *>(report.objects().last());
        ASSERT_NE(page, nullptr);
        EXPECT_DOUBLE_EQ(page->columnWidth(), c.width);
        EXPECT_EQ(page->columnPositions(), c.positions);
    }
}
