// Writes the sales report template (bench/sales/sales.pgr) that
// bench/sales/run-sales prepares at 1,000, 10,000 and 100,000 rows: A4
// portrait, 5 mm margins, DejaVu Sans; a page header with the title and
// the column heads, a group on Region with its subtotals, one stretched row
// per sale with the note wrapped in its column, the grand total and
// "Page i of n". Positions are millimetres from the printable area's left.
//   make_sales_template OUT.pgr
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/component/Units.h"
#include "report/data/TpgxCSVDataSet.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/ReportDataSets.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxMemoView.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QTextStream>

namespace {

constexpr double kMm = kPg01cm;
constexpr double kWidth = 200 * kMm;   // 210 mm less two margins of 5 mm

struct Text
{
    const char *name;
    double left, width;   // mm
    const char *text;
    bool right = false;
};

TpgxMemoView *memo(TpgxBand *band, const Text &t, double top, double height, int points, bool bold)
{
    auto *m = new TpgxMemoView(band);
    m->setName(QString::fromLatin1(t.name));
    m->setBounds(t.left * kMm, top, t.width * kMm, height);
    m->setText(QString::fromUtf8(t.text));
    m->setParentFont(false);
    m->font()->setName(QStringLiteral("DejaVu Sans"));
    m->font()->setSize(points);
    m->font()->setStyle(bold ? TpgxFont::fsBold : TpgxFont::TpgxFontStyles());
    if (t.right)
        m->setHAlign(TpgxCustomMemoView::haRight);
    return m;
}

template<class Band>
Band *band(TpgxReportPage *page, const char *name, double top, double heightMm)
{
    auto *b = new Band(page);
    b->setName(QString::fromLatin1(name));
    b->setBounds(0, top, kWidth, heightMm * kMm);
    return b;
}

void totals(TpgxBand *band, const char *prefix, const char *label, int points, double height)
{
    const QByteArray count = QByteArray(label) + " ([COUNT(MasterData1)] rows)";
    const QByteArray qty = QByteArray(prefix) + "Qty";
    const QByteArray amount = QByteArray(prefix) + "Amount";
    const QByteArray labelName = QByteArray(prefix) + "Label";
    memo(band, {labelName.constData(), 0, 62, count.constData()}, 0, height, points, true);
    memo(band, {qty.constData(), 62, 18, "[SUM(<sales.\"Qty\">, MasterData1)]", true}, 0, height,
         points, true);
    memo(band,
         {amount.constData(), 80, 30,
          "[FormatFloat('0.00', SUM(<sales.\"Qty\"> * <sales.\"Price\">, MasterData1))]", true},
         0, height, points, true);
}

}   // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: make_sales_template OUT.pgr\n";
        return 2;
    }
    pgx::registerReportClasses();
    TpgxReport report;
    report.reportOptions()->createDate = 46000.5;
    report.reportOptions()->lastChange = 46000.5;
    report.reportOptions()->name = QStringLiteral("Sales by Region");

    auto *data = new TpgxDataPage(&report);
    data->setName(QStringLiteral("Data"));
    auto *sales = new TpgxCSVDataSet(data);
    sales->setName(QStringLiteral("sales"));
    sales->setUserName(QStringLiteral("sales"));
    sales->setFileName(QStringLiteral("sales.csv"));
    report.dataSets()->add(sales);

    auto *page = new TpgxReportPage(&report);
    page->setName(QStringLiteral("Page1"));
    for (auto setMargin : {&TpgxReportPage::setLeftMargin, &TpgxReportPage::setRightMargin,
                           &TpgxReportPage::setTopMargin, &TpgxReportPage::setBottomMargin})
        (page->*setMargin)(5);

    auto *header = band<TpgxPageHeader>(page, "PageHeader1", 0, 15);
    memo(header, {"Title", 0, 200, "Sales by Region"}, 0, 8 * kMm, 14, true);
    const Text heads[]
        = {{"HeadCustomer", 0, 38, "Customer"},    {"HeadDate", 38, 20, "Date"},
           {"HeadQty", 58, 12, "Qty", true},       {"HeadPrice", 70, 18, "Price", true},
           {"HeadAmount", 88, 22, "Amount", true}, {"HeadNote", 110, 90, "Note"}};
    for (const Text &head : heads)
        memo(header, head, 9.5 * kMm, 5 * kMm, 8, true)->frame()->setTyp(TpgxFrame::ftBottom);

    auto *group = band<TpgxGroupHeader>(page, "GroupHeader1", 70, 6);
    group->setCondition(QStringLiteral("sales.\"Region\""));
    memo(group, {"RegionName", 0, 200, "Region: [sales.\"Region\"]"}, 0, 6 * kMm, 9, true)
        ->setColor(0xE0E0E0);

    auto *rows = band<TpgxMasterData>(page, "MasterData1", 110, 4.5);
    rows->setDataSet(sales);
    rows->setStretched(true);
    const double row = 4.5 * kMm;
    memo(rows, {"Customer", 0, 38, "[sales.\"Customer\"]"}, 0, row, 8, false);
    memo(rows, {"Date", 38, 20, "[FormatDateTime('yyyy-mm-dd', <sales.\"Date\">)]"}, 0, row, 8,
         false);
    memo(rows, {"Qty", 58, 12, "[sales.\"Qty\"]", true}, 0, row, 8, false);
    memo(rows, {"Price", 70, 18, "[FormatFloat('0.00', <sales.\"Price\">)]", true}, 0, row, 8,
         false);
    memo(rows,
         {"Amount", 88, 22, "[FormatFloat('0.00', <sales.\"Qty\"> * <sales.\"Price\">)]", true}, 0,
         row, 8, false);
    memo(rows, {"Note", 110, 90, "[sales.\"Note\"]"}, 0, row, 8, false)
        ->setStretchMode(TpgxStretcheable::smActualHeight);

    auto *groupFooter = band<TpgxGroupFooter>(page, "GroupFooter1", 150, 6);
    totals(groupFooter, "Group", "Region subtotal", 8, 6 * kMm);
    for (TpgxComponent *object : groupFooter->objects())
        static_cast<TpgxMemoView *>(object)->frame()->setTyp(TpgxFrame::ftTop);

    auto *summary = band<TpgxReportSummary>(page, "ReportSummary1", 190, 7);
    totals(summary, "Grand", "TOTAL", 9, 7 * kMm);
    for (TpgxComponent *object : summary->objects())
        static_cast<TpgxMemoView *>(object)->frame()->setTyp(TpgxFrame::ftTop
                                                             | TpgxFrame::ftBottom);

    auto *footer = band<TpgxPageFooter>(page, "PageFooter1", 240, 6);
    memo(footer, {"PageNumber", 0, 200, "Page [Page#] of [TotalPages#]", true}, 0, 6 * kMm, 8,
         false)
        ->frame()
        ->setTyp(TpgxFrame::ftTop);

    report.saveToFile(QString::fromLocal8Bit(argv[1]));
    return 0;
}
