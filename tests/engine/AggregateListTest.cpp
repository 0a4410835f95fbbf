// The aggregate list of a run: which calls the scan finds, and the totals
// that data rows, resets, keeps and vertical cells make of them. The band
// trees are filled by hand, as the engine fills them before the scan.
#include "engine/aggregates/TpgxAggregateList.h"
#include "engine/expressions/ReportEvaluation.h"

#include "platform/Error.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"
#include "report/root/TpgxVariables.h"
#include "report/views/TpgxMemoView.h"
#include "script/registry/Registry.h"

#include "EvaluatingSuite.h"

#include <gtest/gtest.h>

using namespace pgx::engine;

namespace {

class Aggregates : public test::EvaluatingSuite
{ };

const QString kQty = QStringLiteral("<Rows.\"Qty\">");

// A page with one master band over the data source Rows, whose field Qty
// gives `qty`, and the master's footer. Calls are answered for `calcBand`,
// as the engine answers them for the band it calculates.
struct PageRun
{
    TpgxReport report;
    TpgxUserDataSet *rows = nullptr;
    TpgxReportPage *page = nullptr;
    TpgxMasterData *master = nullptr;
    TpgxFooter *footer = nullptr;
    TpgxAggregateList list{report};
    QVariant qty;
    TpgxBand *calcBand = nullptr;
    int cell = 0;

    PageRun()
    {
        report.engineOptions()->convertNulls = false;
        rows = new TpgxUserDataSet(&report);
        rows->setUserName(QStringLiteral("Rows"));
        rows->setFields({QStringLiteral("Qty")});
        rows->setOnGetValue([this](const QString &, QVariant &value) { value = qty; });
        report.dataSets()->add(rows);
        page = new TpgxReportPage(&report);
        master = band<TpgxMasterData>("MasterData1");
        footer = band<TpgxFooter>("Footer1");
        master->runState().footerBand = footer;
        page->runState().horizontalDataBands << master;
        ReportEvaluation::of(report).setAggregateHandler(
            [this](const QString &name, const QString &expression, TpgxBand *dataBand, int flags) {
                return list.value(calcBand, cell, name, expression, dataBand, flags);
            });
    }

    template<class Band>
    Band *band(const char *name)
    {
        auto *b = new Band(page);
        b->setName(QString::fromLatin1(name));
        // Known to the script, as preparing the report makes every object.
        pgx::script::declareObject(ReportEvaluation::of(report).script(), b->name(), b);
        return b;
    }
    TpgxMemoView *memo(TpgxBand *band, const QString &text)
    {
        auto *m = new TpgxMemoView(band);
        m->setName(QStringLiteral("Memo") + QString::number(++m_memos));
        m->setText(text);
        return m;
    }
    void feed(const QList<QVariant> &values, TpgxBand *dataBand = nullptr)
    {
        for (const QVariant &v : values) {
            qty = v;
            list.addValue(dataBand ? dataBand : master, 0);
        }
    }
    QVariant calcFor(TpgxBand *band, const QString &expression)
    {
        calcBand = band;
        return report.calc(expression);
    }
    // The memo's text as the footer prints it; the template's text stays.
    QString shown(TpgxMemoView *m)
    {
        calcBand = qobject_cast<TpgxBand *>(m->parentComponent());
        const QString design = m->text();
        m->fetchData();
        const QString printed = m->memo().join(QLatin1Char('|'));
        m->setText(design);
        return printed;
    }

private:
    int m_memos = 0;
};

TEST_F(Aggregates, GroupFooterTotalsRestartUnlessRunning)
{
    PageRun r;
    auto *group = r.band<TpgxGroupHeader>("GroupHeader1");
    auto *groupFooter = r.band<TpgxGroupFooter>("GroupFooter1");
    r.master->runState().groupBand = group;
    group->runState().subBands = {group};
    group->runState().footerBand = groupFooter;
    TpgxMemoView *inGroup = r.memo(
        groupFooter, QStringLiteral("[SUM(<Rows.\"Qty\">)]/[SUM(<Rows.\"Qty\">, MasterData1, 2)]"));
    TpgxMemoView *total = r.memo(r.footer, QStringLiteral("[SUM(<Rows.\"Qty\">)]"));
    r.list.scanPage(r.page);

    struct Group
    {
        QList<QVariant> rows;
        const char *shown;   // restarting / running
    };
    const Group groups[] = {{{1, 2}, "3/3"}, {{3}, "3/6"}, {{4, 5}, "9/15"}};
    for (const Group &g : groups) {
        r.feed(g.rows);
        EXPECT_EQ(r.shown(inGroup), QString::fromLatin1(g.shown));
        r.list.resetFor(groupFooter);
    }
    // The data band's own footer is not restarted by the group's.
    EXPECT_EQ(r.shown(total), QStringLiteral("15"));
}

TEST_F(Aggregates, EveryKindOverRowsWithNulls)
{
    struct Case
    {
        const char *call;
        QVariant afterRows;   // rows 2, Null, 4
        QVariant withoutRows;
    };
    const Case cases[] = {
        {"SUM(<Rows.\"Qty\">)", 6, 0},
        // AVG leaves Null out of both the sum and the count: 6 / 2.
        {"AVG(<Rows.\"Qty\">)", 3.0, 0},
        {"MIN(<Rows.\"Qty\">)", 2, 0},
        {"MAX(<Rows.\"Qty\">)", 4, 0},
        // COUNT counts rows, whatever their values.
        {"COUNT(MasterData1)", 3, 0},
        {"COUNT()", 3, 0},
        // A true condition counts 1; Null stays out of the sum.
        {"SUM(<Rows.\"Qty\"> > 1)", 2, 0},
    };
    QStringList calls;
    for (const Case &c : cases)
        calls << QLatin1Char('[') + QString::fromUtf8(c.call) + QLatin1Char(']');
    PageRun r;
    r.memo(r.footer, calls.join(QLatin1Char(' ')));
    r.list.scanPage(r.page);
    // COUNT() counts the rows of the footer's data band: COUNT(MasterData1).
    ASSERT_EQ(r.list.count(), int(std::size(cases)) - 1);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.call);
        EXPECT_EQ(r.calcFor(r.footer, QString::fromUtf8(c.call)), c.withoutRows);
    }
    r.feed({2, QVariant(), 4});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.call);
        EXPECT_EQ(r.calcFor(r.footer, QString::fromUtf8(c.call)), c.afterRows);
    }
    // A call no item was made for has no answer.
    EXPECT_TRUE(r.calcFor(r.footer, QStringLiteral("SUM(<Rows.\"Qty\"> * 2)")).isNull());
    EXPECT_TRUE(r.calcFor(r.footer, QStringLiteral("SUM(<Rows.\"Qty\">, 0, 1)")).isNull());
}

TEST_F(Aggregates, InvisibleDataBandAddsOnlyWithFlagOne)
{
    PageRun r;
    r.memo(r.footer,
           QStringLiteral("[SUM(<Rows.\"Qty\">)] [SUM(<Rows.\"Qty\">, MasterData1, 1)] "
                          "[COUNT(MasterData1, 1)] [COUNT(MasterData1)]"));
    r.list.scanPage(r.page);
    r.feed({5});
    r.master->setVisible(false);   // as its OnBeforePrint may do
    r.feed({7});
    EXPECT_EQ(r.calcFor(r.footer, QStringLiteral("SUM(<Rows.\"Qty\">)")), 5);
    EXPECT_EQ(r.calcFor(r.footer, QStringLiteral("SUM(<Rows.\"Qty\">, MasterData1, 1)")), 12);
    EXPECT_EQ(r.calcFor(r.footer, QStringLiteral("COUNT(MasterData1, 1)")), 2);
    EXPECT_EQ(r.calcFor(r.footer, QStringLiteral("COUNT(MasterData1)")), 1);
}

TEST_F(Aggregates, CallsDifferingInBlanksAndCaseShareOneItem)
{
    PageRun r;
    TpgxMemoView *m
        = r.memo(r.footer, QStringLiteral("[SUM(<Rows.\"Qty\">)] [sum( <rows.\"qty\"> )]"));
    r.list.scanPage(r.page);
    EXPECT_EQ(r.list.count(), 1);
    r.feed({1, 2});
    EXPECT_EQ(r.shown(m), QStringLiteral("3 3"));
}

TEST_F(Aggregates, CallsOutsideFootersHaveNoItems)
{
    PageRun r;
    auto *header = r.band<TpgxHeader>("Header1");
    r.master->runState().headerBand = header;
    TpgxMemoView *inData = r.memo(r.master, QStringLiteral("[SUM(<Rows.\"Qty\">)]"));
    r.memo(header, QStringLiteral("[SUM(<Rows.\"Qty\">)]"));
    r.list.scanPage(r.page);
    EXPECT_EQ(r.list.count(), 0);
    r.feed({4});
    // Null, shown as nothing.
    EXPECT_TRUE(r.calcFor(r.master, QStringLiteral("SUM(<Rows.\"Qty\">)")).isNull());
    EXPECT_EQ(r.shown(inData), QString());
}

TEST_F(Aggregates, RunningTotalsStartAgainAfterResetAll)
{
    PageRun r;
    // A band argument of 0 names no band: the footer's data band it is.
    r.memo(r.footer, QStringLiteral("[SUM(<Rows.\"Qty\">, 0, 2)]"));
    r.list.scanPage(r.page);
    const QString call = QStringLiteral("SUM(<Rows.\"Qty\">, 0, 2)");
    r.feed({1, 2});
    r.list.resetFor(r.footer);
    EXPECT_EQ(r.calcFor(r.footer, call), 3);
    r.feed({3});
    r.list.resetFor(r.footer);
    EXPECT_EQ(r.calcFor(r.footer, call), 6);
    r.list.resetAll();   // the second pass
    EXPECT_EQ(r.calcFor(r.footer, call), 0);
    r.feed({4});
    EXPECT_EQ(r.calcFor(r.footer, call), 4);
}

TEST_F(Aggregates, PageFooterLeavesKeptRowsToTheNextPage)
{
    PageRun r;
    auto *pageFooter = r.band<TpgxPageFooter>("PageFooter1");
    r.memo(pageFooter, QStringLiteral("[SUM(<Rows.\"Qty\">)]"));
    r.memo(r.footer, QStringLiteral("[SUM(<Rows.\"Qty\">)]"));
    r.list.scanPage(r.page);
    ASSERT_EQ(r.list.count(), 2);
    EXPECT_FALSE(r.list.item(0).inPageFooter);   // data band footers come first
    EXPECT_TRUE(r.list.item(1).inPageFooter);
    const QString call = QStringLiteral("SUM(<Rows.\"Qty\">)");

    r.feed({1, 2});
    r.list.beginKeep();
    r.feed({4});
    // The kept row moves to the next page: the page footer goes without it,
    // the data band's footer (printed later) counts it.
    EXPECT_EQ(r.calcFor(pageFooter, call), 3);
    EXPECT_EQ(r.calcFor(r.footer, call), 7);
    r.list.resetFor(pageFooter);
    r.list.endKeep();
    EXPECT_EQ(r.calcFor(pageFooter, call), 4);
    r.feed({8});
    EXPECT_EQ(r.calcFor(pageFooter, call), 12);
    // A keep that ends on the same page counts its rows there.
    r.list.beginKeep();
    r.feed({16});
    r.list.endKeep();
    EXPECT_EQ(r.calcFor(pageFooter, call), 28);
}

TEST_F(Aggregates, RevertLastTakesBackOneRowUntilAReset)
{
    PageRun r;
    auto *pageFooter = r.band<TpgxPageFooter>("PageFooter1");
    r.memo(pageFooter, QStringLiteral("[SUM(<Rows.\"Qty\">)]"));
    r.memo(r.footer, QStringLiteral("[SUM(<Rows.\"Qty\">)] [COUNT()]"));
    r.list.scanPage(r.page);
    const QString sum = QStringLiteral("SUM(<Rows.\"Qty\">)");

    r.feed({1, 2});
    r.list.revertLast(r.master);
    EXPECT_EQ(r.calcFor(r.footer, sum), 1);
    EXPECT_EQ(r.calcFor(r.footer, QStringLiteral("COUNT()")), 1);
    r.list.revertLast(r.master);   // only the last row comes back
    EXPECT_EQ(r.calcFor(r.footer, sum), 1);
    r.feed({2});   // the row is shown again on the next page
    EXPECT_EQ(r.calcFor(r.footer, sum), 3);

    // Taken back while a keep holds it, the row leaves the keep totals.
    r.list.beginKeep();
    r.feed({5});
    r.list.revertLast(r.master);
    r.list.endKeep();
    EXPECT_EQ(r.calcFor(pageFooter, sum), 3);

    // After its band's reset nothing comes back.
    r.feed({6});
    r.list.resetFor(r.footer);
    r.list.revertLast(r.master);
    EXPECT_EQ(r.calcFor(r.footer, sum), 0);
    EXPECT_EQ(r.calcFor(r.footer, QStringLiteral("COUNT()")), 0);
}

// A footer keep takes the last row to the next page after the data source
// has passed it: the row comes back with the value it had, not the one the
// source would give now.
TEST_F(Aggregates, ReplayLastAddsTheRowTakenBackOnceMore)
{
    PageRun r;
    auto *pageFooter = r.band<TpgxPageFooter>("PageFooter1");
    r.memo(pageFooter, QStringLiteral("[SUM(<Rows.\"Qty\">)] [COUNT()]"));
    r.memo(r.footer, QStringLiteral("[SUM(<Rows.\"Qty\">)]"));
    r.list.scanPage(r.page);
    const QString sum = QStringLiteral("SUM(<Rows.\"Qty\">)");

    r.list.replayLast(r.master);   // nothing taken back: nothing to add
    r.feed({1, 2, 4});
    r.list.replayLast(r.master);
    EXPECT_EQ(r.calcFor(pageFooter, sum), 7);
    r.list.revertLast(r.master);
    EXPECT_EQ(r.calcFor(pageFooter, sum), 3);
    r.list.resetFor(pageFooter);   // the old page's footer is done
    r.qty = 100;
    r.list.replayLast(r.master);
    r.list.replayLast(r.master);   // once only
    EXPECT_EQ(r.calcFor(pageFooter, sum), 4);
    EXPECT_EQ(r.calcFor(pageFooter, QStringLiteral("COUNT()")), 1);
    EXPECT_EQ(r.calcFor(r.footer, sum), 7);
}

TEST_F(Aggregates, VerticalCellsGrowBeyondAThousand)
{
    PageRun r;
    auto *cells = r.band<TpgxMasterData>("Cells");
    cells->setVertical(true);
    r.page->runState().verticalDataBands << cells;
    r.memo(cells, QStringLiteral("[SUM(<Rows.\"Qty\">)] [COUNT()]"));
    r.list.scanPage(r.page);
    ASSERT_EQ(r.list.count(), 2);
    EXPECT_EQ(r.list.item(0).band, cells);
    EXPECT_EQ(r.list.item(0).dataBand, cells);

    struct Row
    {
        int cell;
        int qty;
    };
    for (const Row row : {Row{1500, 7}, Row{1500, 8}, Row{2, 1}}) {
        r.qty = row.qty;
        r.list.addValue(cells, row.cell);
    }
    struct Case
    {
        int cell;
        int sum;
        int count;
    };
    const Case cases[] = {{1500, 15, 2}, {2, 1, 1}, {3, 0, 0}, {0, 0, 0}, {5000, 0, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.cell);
        r.cell = c.cell;
        EXPECT_EQ(r.calcFor(cells, QStringLiteral("SUM(<Rows.\"Qty\">)")), c.sum);
        EXPECT_EQ(r.calcFor(cells, QStringLiteral("COUNT()")), c.count);
    }
    r.list.resetFor(cells);
    r.cell = 1500;
    EXPECT_EQ(r.calcFor(cells, QStringLiteral("SUM(<Rows.\"Qty\">)")), 0);
}

TEST_F(Aggregates, FooterCellsInAVerticalBandTotalForTheirFooter)
{
    PageRun r;
    auto *cells = r.band<TpgxMasterData>("Cells");
    cells->setVertical(true);
    r.page->runState().verticalDataBands << cells;
    TpgxMemoView *fromFooter = r.memo(cells, QStringLiteral("[SUM(<Rows.\"Qty\">)]"));
    TpgxMemoView *fromData = r.memo(cells, QStringLiteral("[MAX(<Rows.\"Qty\">)]"));
    r.list.setHomeBandLookup([&](const TpgxView &view) -> TpgxBand * {
        if (&view == fromFooter)
            return r.footer;
        if (&view == fromData)
            return r.master;
        return nullptr;
    });
    r.list.scanPage(r.page);
    ASSERT_EQ(r.list.count(), 2);
    EXPECT_EQ(r.list.item(0).band, r.footer);
    EXPECT_EQ(r.list.item(1).band, cells);   // a data band's cell stays with the cells
}

TEST_F(Aggregates, ScanFindsTheBandsThatTotalRows)
{
    PageRun r;
    auto *detail = r.band<TpgxDetailData>("DetailData1");
    auto *detailFooter = r.band<TpgxFooter>("Footer2");
    auto *outer = r.band<TpgxGroupHeader>("GroupHeader1");
    auto *inner = r.band<TpgxGroupHeader>("GroupHeader2");
    auto *outerFooter = r.band<TpgxGroupFooter>("GroupFooter1");
    auto *innerFooter = r.band<TpgxGroupFooter>("GroupFooter2");
    auto *footerChild = r.band<TpgxChild>("Child1");
    auto *pageFooter = r.band<TpgxPageFooter>("PageFooter1");
    auto *columnFooter = r.band<TpgxColumnFooter>("ColumnFooter1");
    auto *summary = r.band<TpgxReportSummary>("ReportSummary1");
    auto *title = r.band<TpgxReportTitle>("ReportTitle1");
    r.master->runState().subBands = {detail};
    detail->runState().footerBand = detailFooter;
    r.master->runState().groupBand = outer;
    outer->runState().subBands = {outer, inner};
    outer->runState().footerBand = outerFooter;
    inner->runState().footerBand = innerFooter;
    r.footer->setChild(footerChild);

    r.memo(r.footer, QStringLiteral("[COUNT()]"));
    r.memo(footerChild, QStringLiteral("[SUM(1)]"));
    r.memo(detailFooter, QStringLiteral("[SUM(2)] [SUM(3, MasterData1)]"));
    r.memo(outerFooter, QStringLiteral("[SUM(4)]"));
    r.memo(innerFooter, QStringLiteral("[SUM(5, 0, 1 + 1)]"));
    r.memo(pageFooter, QStringLiteral("[SUM(6)]"));
    r.memo(columnFooter, QStringLiteral("[SUM(7)]"));
    TpgxMemoView *delimited = r.memo(summary, QStringLiteral("<%SUM(8)%> [SUM(9)]"));
    delimited->setExpressionDelimiters(QStringLiteral("<%,%>"));
    r.memo(summary, QStringLiteral("[SUM(10)]"))->setAllowExpressions(false);
    r.memo(title, QStringLiteral("[SUM(11)]"));
    r.memo(detail, QStringLiteral("[SUM(12)]"));
    r.list.scanPage(r.page);

    QStringList found;   // call: answered for / fed by / flags
    for (int i = 0; i < r.list.count(); ++i) {
        const TpgxAggregateItem &item = r.list.item(i);
        found << item.callText + QLatin1String(": ") + item.band->name() + QLatin1Char('/')
                + item.dataBand->name() + QLatin1Char('/') + QString::number(item.flags());
    }
    const QStringList expected = {
        QStringLiteral("COUNT(): Footer1/MasterData1/0"),
        QStringLiteral("SUM(1): Child1/MasterData1/0"),
        QStringLiteral("SUM(4): GroupFooter1/MasterData1/0"),
        QStringLiteral("SUM(5, 0, 1 + 1): GroupFooter2/MasterData1/2"),
        QStringLiteral("SUM(2): Footer2/DetailData1/0"),
        QStringLiteral("SUM(3, MasterData1): Footer2/MasterData1/0"),
        QStringLiteral("SUM(6): PageFooter1/MasterData1/0"),
        QStringLiteral("SUM(7): ColumnFooter1/MasterData1/0"),
        QStringLiteral("SUM(8): ReportSummary1/MasterData1/0"),
    };
    EXPECT_EQ(found, expected);

    // Without a horizontal data band the page's own footers total nothing.
    r.list.clear();
    r.page->runState().horizontalDataBands.clear();
    r.list.scanPage(r.page);
    EXPECT_EQ(r.list.count(), 0);
}

TEST_F(Aggregates, VariablesThatReferToThemselvesAreScannedOnce)
{
    PageRun r;
    TpgxVariables *vars = r.report.variables();
    vars->setValue(QStringLiteral("Total"), QStringLiteral("SUM(<Rows.\"Qty\">) + <Total>"));
    vars->setValue(QStringLiteral("Ping"), QStringLiteral("<Pong> + COUNT()"));
    vars->setValue(QStringLiteral("Pong"), QStringLiteral("Ping"));
    r.memo(r.footer, QStringLiteral("[Total] [Pong]"));
    r.list.scanPage(r.page);
    ASSERT_EQ(r.list.count(), 2);
    EXPECT_EQ(r.list.item(0).expression, kQty);
    EXPECT_EQ(r.list.item(1).kind, TpgxAggregateItem::Kind::Count);
}

TEST_F(Aggregates, ValuesThatCannotBeAddedStopWithTheirCall)
{
    PageRun r;
    r.memo(r.footer, QStringLiteral("[SUM(<Rows.\"Qty\">)]"));
    r.list.scanPage(r.page);
    r.feed({1});
    r.qty = QStringLiteral("abc");
    EXPECT_THROW(r.list.addValue(r.master, 0), pgx::Error);
    ASSERT_FALSE(r.report.errors().isEmpty());
    EXPECT_TRUE(
        r.report.errors().first().startsWith(QStringLiteral("Memo1: SUM(<Rows.\"Qty\">): ")))
        << r.report.errors().first().toStdString();
    EXPECT_EQ(r.calcFor(r.footer, QStringLiteral("SUM(<Rows.\"Qty\">)")), 1);
}

}   // namespace
