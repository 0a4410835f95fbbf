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
    return {p.LeftMargin(), p.RightMargin(), p.TopMargin(), p.BottomMargin()};
}

void setMargins(TpgxReportPage &p, Margins m)
{
    p.SetLeftMargin(m.left);
    p.SetRightMargin(m.right);
    p.SetTopMargin(m.top);
    p.SetBottomMargin(m.bottom);
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
    EXPECT_EQ(page.Orientation(), TpgxReportPage::poPortrait);
    EXPECT_EQ(page.PaperSize(), 9);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 297);
    EXPECT_DOUBLE_EQ(page.Width(), 794);
    EXPECT_DOUBLE_EQ(page.Height(), 1123);
    EXPECT_MARGINS(page, 0, 0, 0, 0);
    page.MakeUniqueName();
    EXPECT_EQ(page.Name(), QStringLiteral("Page1"));
}

TEST(ReportPage, PagesShowTheirKindsFromTheResources)
{
    pgx::registerReportClasses();
    TpgxReportPage report;
    TpgxDataPage data;
    TpgxDialogPage dialog;
    EXPECT_EQ(report.KindCaption(), QStringLiteral("Report page"));
    EXPECT_EQ(data.KindCaption(), QStringLiteral("Data page"));
    EXPECT_EQ(dialog.KindCaption(), QStringLiteral("Dialog form"));
    // A new data page is the designer's 1000 x 1000 canvas; a dialog page
    // has the platform's dialog font of its own.
    EXPECT_DOUBLE_EQ(data.Width(), 1000);
    EXPECT_DOUBLE_EQ(data.Height(), 1000);
    EXPECT_EQ(dialog.Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(dialog.Font()->Size(), 8);
    EXPECT_FALSE(dialog.ParentFont());
}

TEST(ReportPage, OrientationTurnsTheMarginsAndBack)
{
    TpgxReportPage page;
    setMargins(page, {10, 20, 30, 40});
    page.SetOrientation(TpgxReportPage::poLandscape);
    EXPECT_MARGINS(page, 30, 40, 20, 10);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 297);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 210);
    EXPECT_DOUBLE_EQ(page.Width(), 1123);
    EXPECT_DOUBLE_EQ(page.Height(), 794);
    // Setting the same orientation again changes nothing.
    page.SetOrientation(TpgxReportPage::poLandscape);
    EXPECT_MARGINS(page, 30, 40, 20, 10);
    page.SetOrientation(TpgxReportPage::poPortrait);
    EXPECT_MARGINS(page, 10, 20, 30, 40);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
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
            page.SetOrientation(TpgxReportPage::poLandscape);
            page.SetSizeAndDimensions(9, 210, 297);   // as a portrait sheet
        }
        page.SetPaperSize(c.code);
        EXPECT_EQ(page.PaperSize(), c.code);
        EXPECT_DOUBLE_EQ(page.PaperWidth(), c.width);
        EXPECT_DOUBLE_EQ(page.PaperHeight(), c.height);
        EXPECT_DOUBLE_EQ(page.Width(), std::round(c.width * pg01cm));
    }
}

TEST(ReportPage, CustomSizeIsRoundedAndMarkedCustom)
{
    TpgxReportPage page;
    page.SetPaperWidth(100.123456789);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 100.12345679);
    EXPECT_EQ(page.PaperSize(), 256);
    EXPECT_DOUBLE_EQ(page.Width(), 378);
    page.SetSizeAndDimensions(9, 50.000000004, 60);
    EXPECT_EQ(page.PaperSize(), 9);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 50);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 60);
}

TEST(ReportPage, ColumnsSplitThePrintableWidth)
{
    TpgxReportPage page;
    setMargins(page, {10, 10, 10, 10});
    page.SetColumns(3);
    EXPECT_NEAR(page.ColumnWidth(), 63.3333333333, 1e-9);
    EXPECT_EQ(page.ColumnPositions(),
              (QStringList{QStringLiteral("0"), QStringLiteral("63.3333333333333"),
                           QStringLiteral("126.666666666667")}));
    page.SetColumns(0);
    EXPECT_TRUE(page.ColumnPositions().isEmpty());
    EXPECT_THROW(page.SetColumns(-1), pgx::Error);
    EXPECT_THROW(page.SetColumns(TpgxReportPage::MaxColumns + 1), pgx::Error);
    EXPECT_EQ(page.Columns(), 0);
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
        report.LoadFromStream(&buffer);
        EXPECT_TRUE(report.Errors().isEmpty())
            << report.Errors().join(QLatin1Char('\n')).toStdString();
        // The data page a load adds comes first.
        ASSERT_EQ(report.Objects().size(), 2);
        auto *page = qobject_cast<TpgxReportPage *>(report.Objects().last());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->PaperSize(), c.code);
        EXPECT_DOUBLE_EQ(page->PaperWidth(), c.width);
        EXPECT_DOUBLE_EQ(page->PaperHeight(), c.height);
        EXPECT_EQ(page->Orientation(), c.orientation);
        EXPECT_DOUBLE_EQ(page->LeftMargin(), c.left);
        EXPECT_DOUBLE_EQ(page->Width(), std::round(c.width * pg01cm));
    }
}

TEST(ReportPage, PrinterDefaultsOfTheVirtualPrinter)
{
    qputenv("PGX_VIRTUAL_PRINTER", "1");
    pgx::TpgxPrinters::resetInstance();
    TpgxReportPage page;
    page.SetOrientation(TpgxReportPage::poLandscape);
    page.SetPaperWidth(100);
    page.ApplyPrinterDefaults();
    EXPECT_MARGINS(page, 10, 10, 10, 10);
    EXPECT_EQ(page.PaperSize(), 9);
    EXPECT_EQ(page.Orientation(), TpgxReportPage::poPortrait);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
    EXPECT_DOUBLE_EQ(page.Height(), 1123);
    pgx::TpgxPrinters::resetInstance();
}

TEST(ReportPage, ArrangeChildrenStretchesBandsOverThePrintableArea)
{
    TpgxReport report;
    auto *page = new TpgxReportPage(&report);
    setMargins(*page, {10, 20, 30, 40});
    auto *title = new TpgxReportTitle(page);
    title->SetLeft(5);
    title->SetWidth(1);
    auto *side = new TpgxMasterData(page);
    side->SetVertical(true);
    side->SetTop(7);
    side->SetHeight(1);
    page->ArrangeChildren();
    EXPECT_DOUBLE_EQ(title->Width(), 180 * pg01cm - 5);
    EXPECT_DOUBLE_EQ(side->Height(), 227 * pg01cm - 7);
    EXPECT_DOUBLE_EQ(side->Width(), 0);
    // The page itself keeps the paper's size.
    EXPECT_DOUBLE_EQ(page->Width(), 794);
    EXPECT_DOUBLE_EQ(page->Height(), 1123);
}

TEST(ReportPage, FirstBandOfAndTheBackgroundArea)
{
    TpgxReport report;
    auto *page = new TpgxReportPage(&report);
    new TpgxReportTitle(page);
    auto *detail = new TpgxDetailData(page);
    auto *master = new TpgxMasterData(page);
    EXPECT_EQ(page->FirstBandOf<TpgxMasterData>(), master);
    EXPECT_EQ(page->FirstBandOf<TpgxDataBand>(), detail);
    EXPECT_EQ(page->FirstBandOf<TpgxPageFooter>(), nullptr);

    setMargins(*page, {10, 20, 30, 40});
    const QRectF area = page->BackgroundRect(2, 2, 100, 50);
    EXPECT_DOUBLE_EQ(area.left(), 100 + 10 * pg01cm * 2);
    EXPECT_DOUBLE_EQ(area.top(), 50 + 30 * pg01cm * 2);
    EXPECT_DOUBLE_EQ(area.width(), 180 * pg01cm * 2);
    EXPECT_DOUBLE_EQ(area.height(), 227 * pg01cm * 2);

    QRectF drawn;
    TpgxReportPage::SetBackgroundPainter(
        [&](const TpgxReportPage &, QPainter *, const QRectF &rect) { drawn = rect; });
    page->DrawBackground(nullptr, 2, 2, 100, 50);
    TpgxReportPage::SetBackgroundPainter(nullptr);
    EXPECT_EQ(drawn, area);
}

}   // namespace
