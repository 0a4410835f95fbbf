// The engine's run over pages and bands: page breaks by free space, the
// page frame (titles, headers, footers, summary), data bands with and
// without data sources, master and detail, page numbers, scripts and the
// report restored after the run.
#include "engine/EngineTestSupport.h"

#include "report/data/TpgxCSVDataSet.h"
#include "report/root/ReportDataSets.h"
#include "support/GoldenFile.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <functional>

using namespace pgx::test;

namespace {

using Engine = EngineTest;

// 100 rows of 20 units, a 40-unit page header and, when given, a page
// footer: how many rows each page takes and where the first row of the
// second page lands.
TEST_F(Engine, RowsBreakToNewPagesByFreeSpace)
{
    struct Case
    {
        double footer;   // 0: none
        QList<int> rowsPerPage;
    };
    const Case cases[] = {
        {0, {50, 50}},
        {30, {48, 48, 4}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.footer);
        EngineReport r;
        r.band<TpgxPageHeader>(QStringLiteral("PageHeader1"), 0, 40);
        auto *data = r.band<TpgxMasterData>(QStringLiteral("MasterData1"), 60, 20);
        data->setRowCount(100);
        if (c.footer > 0)
            r.band<TpgxPageFooter>(QStringLiteral("PageFooter1"), 200, c.footer);
        ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
        EXPECT_EQ(bandsPerPage(r.pages, QStringLiteral("MasterData1")), c.rowsPerPage);
        const TpgxReportPage *second = r.pages.getPage(1);
        ASSERT_TRUE(second);
        const TpgxComponent *firstRow = nullptr;
        for (const TpgxComponent *band : second->objects())
            if (!firstRow && band->name() == QLatin1String("MasterData1"))
                firstRow = band;
        ASSERT_TRUE(firstRow);
        EXPECT_DOUBLE_EQ(firstRow->top(), 40);
        if (c.footer > 0) {
            EXPECT_EQ(bandsPerPage(r.pages, QStringLiteral("PageFooter1")),
                      QList<int>(c.rowsPerPage.size(), 1));
        }
    }
}

// Page numbers: the physical total is known when the page is drawn, the
// logical one only after the first of two passes.
TEST_F(Engine, PageNumbersInOneAndTwoPasses)
{
    struct Case
    {
        const char *text;
        bool doublePass;
        const char *firstPage;
    };
    const Case cases[] = {
        {"[Page#] of [TotalPages#]", false, "1 of 3"},
        {"[Page] of [TotalPages]", false, "1 of 0"},
        {"[Page] of [TotalPages]", true, "1 of 3"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EngineReport r;
        r.report.engineOptions()->doublePass = c.doublePass;
        auto *header = r.band<TpgxPageHeader>(QStringLiteral("PageHeader1"), 0, 40);
        EngineReport::memo(header, QStringLiteral("Numbers"), QString::fromLatin1(c.text));
        r.band<TpgxMasterData>(QStringLiteral("MasterData1"), 60, 20)->setRowCount(120);
        ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
        ASSERT_EQ(r.pages.count(), 3);
        auto *memo = qobject_cast<TpgxMemoView *>(
            r.pages.getPage(0)->findObject(QStringLiteral("Numbers")));
        ASSERT_TRUE(memo);
        // What drawing the page does to the deferred totals.
        memo->applyPreparedPageMacros(r.pages.count(), 0);
        EXPECT_EQ(memo->text().trimmed(), QString::fromLatin1(c.firstPage));
    }
}

TEST_F(Engine, RowCountGivesRowsAndCapsADataSource)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("ten.csv"));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("N\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n");
    file.close();
    for (const bool withSource : {false, true}) {
        SCOPED_TRACE(withSource);
        EngineReport r;
        auto *data = r.band<TpgxMasterData>(QStringLiteral("MasterData1"), 0, 20);
        data->setRowCount(3);
        if (withSource) {
            auto *source = new TpgxCSVDataSet(r.report.objects().first());
            source->setName(QStringLiteral("Numbers"));
            source->setUserName(QStringLiteral("Numbers"));
            source->setFileName(csv);
            r.report.dataSets()->add(source);
            data->setDataSet(source);
            EngineReport::memo(data, QStringLiteral("N"), QStringLiteral("[Numbers.\"N\"]"));
        }
        ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
        EXPECT_EQ(bandsPerPage(r.pages, QStringLiteral("MasterData1")), QList<int>{3});
    }
}

TEST_F(Engine, MasterRowsWithoutDetailRowsAreSkippedUnlessAsked)
{
    for (const bool printIfDetailEmpty : {false, true}) {
        SCOPED_TRACE(printIfDetailEmpty);
        EngineReport r;
        auto *master = r.band<TpgxMasterData>(QStringLiteral("Master"), 0, 20);
        master->setRowCount(2);
        master->setPrintIfDetailEmpty(printIfDetailEmpty);
        auto *detail = r.band<TpgxDetailData>(QStringLiteral("Detail"), 40, 20);
        detail->setRowCount(2);
        // The detail is empty for the first master row only.
        detail->setOnMasterDetail(QStringLiteral("MasterDetail"));
        r.report.setScriptText({QStringLiteral("var Calls: Integer;"),
                                QStringLiteral("procedure MasterDetail(Sender: TObject);"),
                                QStringLiteral("begin"), QStringLiteral("  Calls := Calls + 1;"),
                                QStringLiteral("  if Calls = 1 then Detail.RowCount := 0 "
                                               "else Detail.RowCount := 2;"),
                                QStringLiteral("end;"), QStringLiteral("begin Calls := 0; end.")});
        ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
        EXPECT_EQ(bandsPerPage(r.pages, QStringLiteral("Master")),
                  QList<int>{printIfDetailEmpty ? 2 : 1});
    }
}

TEST_F(Engine, APageWithoutDataBandsPrintsOnlyWhenAskedTo)
{
    for (const bool printIfEmpty : {false, true}) {
        SCOPED_TRACE(printIfEmpty);
        EngineReport r;
        r.report.engineOptions()->printIfEmpty = printIfEmpty;
        r.band<TpgxReportTitle>(QStringLiteral("Title"), 0, 40);
        r.prepare();
        EXPECT_EQ(r.pages.count(), printIfEmpty ? 1 : 0);
    }
}

// The page frame: which bands each page shows, in which order.
TEST_F(Engine, PageFrameGoldens)
{
    struct Case
    {
        const char *name;
        std::function<void(EngineReport &)> build;
    };
    const Case cases[] = {
        {"header-above-title",
         [](EngineReport &r) {
             r.page->setTitleBeforeHeader(false);
             r.band<TpgxReportTitle>(QStringLiteral("Title"), 0, 50);
             r.band<TpgxPageHeader>(QStringLiteral("Header"), 60, 30);
             r.band<TpgxMasterData>(QStringLiteral("Rows"), 100, 100)->setRowCount(12);
         }},
        {"footer-not-on-first-page",
         [](EngineReport &r) {
             r.band<TpgxPageFooter>(QStringLiteral("Footer"), 300, 30)->setPrintOnFirstPage(false);
             r.band<TpgxMasterData>(QStringLiteral("Rows"), 100, 100)->setRowCount(12);
         }},
        {"header-child-on-first-page",
         [](EngineReport &r) {
             auto *header = r.band<TpgxPageHeader>(QStringLiteral("Header"), 0, 30);
             header->setPrintOnFirstPage(false);
             header->setPrintChildIfInvisible(true);
             auto *child = r.band<TpgxChild>(QStringLiteral("HeaderChild"), 40, 20);
             header->setChild(child);
             r.band<TpgxMasterData>(QStringLiteral("Rows"), 100, 100)->setRowCount(12);
         }},
        {"summary-on-a-page-of-its-own",
         [](EngineReport &r) {
             r.band<TpgxMasterData>(QStringLiteral("Rows"), 100, 100)->setRowCount(10);
             r.band<TpgxReportSummary>(QStringLiteral("Summary"), 300, 80);
         }},
        {"stretched-band-shrinks",
         [](EngineReport &r) {
             auto *rows = r.band<TpgxMasterData>(QStringLiteral("Rows"), 100, 100);
             rows->setRowCount(3);
             rows->setStretched(true);
             EngineReport::memo(rows, QStringLiteral("Line"), QStringLiteral("Row [Line]"), 5, 20);
         }},
        {"objects-on-the-page",
         [](EngineReport &r) {
             // On the page itself: printed once at its place, taking no room.
             auto *stamp = new TpgxMemoView(r.page);
             stamp->setName(QStringLiteral("Stamp"));
             stamp->setBounds(500, 300, 150, 18);
             stamp->setText(QStringLiteral("Page [Page#]"));
             r.band<TpgxMasterData>(QStringLiteral("Rows"), 100, 100)->setRowCount(2);
         }},
        {"footer-totals",
         [](EngineReport &r) {
             auto *rows = r.band<TpgxMasterData>(QStringLiteral("Rows"), 100, 20);
             rows->setRowCount(4);
             EngineReport::memo(rows, QStringLiteral("Line"), QStringLiteral("[Line]"));
             auto *footer = r.band<TpgxFooter>(QStringLiteral("Footer"), 200, 20);
             EngineReport::memo(footer, QStringLiteral("Totals"),
                                QStringLiteral("[COUNT(Rows)] rows, sum [SUM(<Line>)], "
                                               "mean [AVG(<Line>, Rows)], max [MAX(<Line>)]"));
             // Outside a footer a total has nothing to answer with.
             EngineReport::memo(rows, QStringLiteral("NoTotal"), QStringLiteral("[SUM(<Line>)]"),
                                20, 0);
         }},
        {"page-footer-totals",
         [](EngineReport &r) {
             auto *rows = r.band<TpgxMasterData>(QStringLiteral("Rows"), 100, 20);
             rows->setRowCount(60);
             auto *footer = r.band<TpgxPageFooter>(QStringLiteral("Footer"), 300, 40);
             EngineReport::memo(footer, QStringLiteral("PageSum"),
                                QStringLiteral("page [Page#]: [SUM(<Line>, Rows)], running "
                                               "[SUM(<Line>, Rows, 2)]"));
         }},
        {"second-page-on-the-previous-page",
         [](EngineReport &r) {
             r.band<TpgxPageHeader>(QStringLiteral("Header"), 0, 30);
             r.band<TpgxMasterData>(QStringLiteral("Rows"), 100, 100)->setRowCount(3);
             auto *second = new TpgxReportPage(&r.report);
             second->setName(QStringLiteral("Page2"));
             second->setPrintOnPreviousPage(true);
             auto *more = new TpgxMasterData(second);
             more->setName(QStringLiteral("More"));
             more->setBounds(0, 50, 700, 60);
             more->setRowCount(2);
             auto *header = new TpgxPageHeader(second);
             header->setName(QStringLiteral("Header2"));
             header->setBounds(0, 0, 700, 30);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineReport r(1040);
        c.build(r);
        ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
        EXPECT_TRUE(matchesGoldenFile(
            dumpPages(r.pages),
            QStringLiteral(PGX_TEST_DATA "/engine/frame/%1.txt").arg(QLatin1String(c.name))));
        // The prepared report as its file holds it, for the cases with totals.
        if (QByteArray(c.name).endsWith("totals")) {
            QBuffer file;
            file.open(QIODevice::WriteOnly);
            ASSERT_TRUE(r.pages.saveToStream(file).isEmpty());
            EXPECT_TRUE(matchesGoldenFile(
                file.data(),
                QStringLiteral(PGX_TEST_DATA "/engine/frame/%1.pgp").arg(QLatin1String(c.name))));
        }
    }
}

// Scripts change the report while it runs; the run gives it back as it was.
TEST_F(Engine, EventsRunAndTheReportIsRestoredAfterwards)
{
    EngineReport r;
    auto *rows = r.band<TpgxMasterData>(QStringLiteral("Rows"), 0, 20);
    rows->setRowCount(3);
    auto *memo = EngineReport::memo(rows, QStringLiteral("Cell"), QStringLiteral("design"));
    memo->setOnBeforePrint(QStringLiteral("CellBeforePrint"));
    r.report.setScriptText({QStringLiteral("procedure CellBeforePrint(Sender: TObject);"),
                            QStringLiteral("begin"),
                            QStringLiteral("  Cell.Text := 'row ' + IntToStr(<Line>);"),
                            QStringLiteral("  Rows.Height := 30;"), QStringLiteral("end;"),
                            QStringLiteral("begin end.")});
    ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
    EXPECT_TRUE(
        matchesGoldenFile(dumpPages(r.pages), QStringLiteral(PGX_TEST_DATA "/engine/events.txt")));
    auto *restored = qobject_cast<TpgxMemoView *>(r.report.findObject(QStringLiteral("Cell")));
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->text().trimmed(), QStringLiteral("design"));
    EXPECT_DOUBLE_EQ(r.report.findObject(QStringLiteral("Rows"))->height(), 20);
}

TEST_F(Engine, ScriptAndRunErrorsFailThePreparation)
{
    struct Case
    {
        QStringList script;
        const char *error;
    };
    const Case cases[] = {
        {{QStringLiteral("begin"), QStringLiteral("  x := ;"), QStringLiteral("end.")},
         "Script error at"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script.join(QLatin1Char(' ')).toStdString());
        EngineReport r;
        r.band<TpgxMasterData>(QStringLiteral("Rows"), 0, 20)->setRowCount(3);
        r.report.setScriptText(c.script);
        EXPECT_FALSE(r.prepare());
        EXPECT_TRUE(r.report.errorsText().contains(QLatin1String(c.error)))
            << r.report.errorsText().toStdString();
        EXPECT_EQ(r.pages.count(), 0);
    }
}

}   // namespace
