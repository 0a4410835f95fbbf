// Where bands and objects go when they do not keep their design size:
// stretched objects and the ones below them, bands split over pages, band
// columns and page columns.
#include "engine/EngineTestSupport.h"

#include "support/GoldenFile.h"

#include <functional>

using namespace pgx::test;

namespace {

using EngineLayout = EngineTest;

QString paragraphs(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("Line %1 of the long text").arg(i));
    return lines.join(QLatin1String("\r\n"));
}

TEST_F(EngineLayout, Goldens)
{
    struct Case
    {
        const char *name;
        double pageHeight;
        std::function<void(EngineReport &)> build;
    };
    const Case cases[] = {
        {"stretch-moves-the-object-below", 1040,
         [](EngineReport &r) {
             auto *rows = r.band<TpgxMasterData>(QStringLiteral("Rows"), 0, 60);
             rows->setRowCount(2);
             rows->setStretched(true);
             auto *notes = EngineReport::memo(rows, QStringLiteral("Notes"), paragraphs(3), 0, 18);
             notes->setStretchMode(TpgxStretcheable::smActualHeight);
             EngineReport::memo(rows, QStringLiteral("Below"), QStringLiteral("below"), 30, 18);
         }},
        {"band-columns-3-by-7", 1040,
         [](EngineReport &r) {
             auto *cells = r.band<TpgxMasterData>(QStringLiteral("Cells"), 0, 40);
             cells->setRowCount(7);
             cells->setColumns(3);
             cells->setColumnWidth(200);
             cells->setColumnGap(10);
             EngineReport::memo(cells, QStringLiteral("N"), QStringLiteral("[Line]"));
             r.band<TpgxFooter>(QStringLiteral("After"), 100, 20);
         }},
        {"split-memo-continues", 200,
         [](EngineReport &r) {
             auto *band = r.band<TpgxReportTitle>(QStringLiteral("Long"), 0, 20);
             band->setAllowSplit(true);
             band->setStretched(true);
             // One paragraph, so that the second part continues it.
             auto *text = EngineReport::memo(
                 band, QStringLiteral("Text"),
                 paragraphs(40).replace(QLatin1String("\r\n"), QLatin1String(" ")), 0, 18);
             text->setStretchMode(TpgxStretcheable::smActualHeight);
             EngineReport::memo(band, QStringLiteral("Under"), QStringLiteral("under"), 20, 18);
         }},
        {"page-columns", 200,
         [](EngineReport &r) {
             r.page->setColumns(2);
             r.band<TpgxPageHeader>(QStringLiteral("Header"), 0, 30);
             r.band<TpgxColumnHeader>(QStringLiteral("ColumnHeader"), 40, 20);
             auto *rows = r.band<TpgxMasterData>(QStringLiteral("Rows"), 80, 50);
             rows->setRowCount(6);
             EngineReport::memo(rows, QStringLiteral("N"), QStringLiteral("[Line]"));
         }},
        {"vertical-cells-in-strips", 200,
         [](EngineReport &r) {
             // 794 wide: a 100-wide row caption and five 200-wide columns
             // make two strips, the caption repeated at the second.
             auto *rows = r.band<TpgxMasterData>(QStringLiteral("Rows"), 40, 20);
             rows->setRowCount(2);
             auto *caption = new TpgxHeader(r.page);
             caption->setName(QStringLiteral("Caption"));
             caption->setVertical(true);
             caption->setBounds(0, 0, 100, 300);
             auto *columns = new TpgxMasterData(r.page);
             columns->setName(QStringLiteral("Columns"));
             columns->setVertical(true);
             columns->setBounds(100, 0, 200, 300);
             columns->setRowCount(5);
             auto *rowName = EngineReport::memo(rows, QStringLiteral("RowName"),
                                                QStringLiteral("row [Line]"));
             rowName->setBounds(0, 0, 90, 18);
             auto *cell = EngineReport::memo(rows, QStringLiteral("Cell"),
                                             QStringLiteral("cell [<Line>]"));
             cell->setBounds(110, 0, 150, 18);
             r.band<TpgxMasterData>(QStringLiteral("After"), 100, 20)->setRowCount(1);
         }},
        {"taller-than-a-page-overflows-once", 200,
         [](EngineReport &r) {
             r.band<TpgxMasterData>(QStringLiteral("Rows"), 0, 150)->setRowCount(1);
             r.band<TpgxMasterData>(QStringLiteral("Huge"), 200, 500)->setRowCount(1);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineReport r(c.pageHeight);
        c.build(r);
        ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
        EXPECT_TRUE(matchesGoldenFile(
            dumpPages(r.pages),
            QStringLiteral(PGX_TEST_DATA "/engine/layout/%1.txt").arg(QLatin1String(c.name))));
    }
}

}   // namespace
