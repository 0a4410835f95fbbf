// Groups (headers and footers around the rows of a data band, nested,
// drill-down, reprinted, restarting page numbers) and keeps (bands moved
// together to the next page with their outline entries and totals).
#include "engine/EngineTestSupport.h"

#include "report/data/TpgxCSVDataSet.h"
#include "report/root/ReportDataSets.h"
#include "support/GoldenFile.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <functional>

using namespace pgx::test;

namespace {

using Groups = EngineTest;

// A CSV data source named `name` in the report, from `content` (first line:
// the field names).
TpgxCSVDataSet *addCsv(EngineReport &r, const QTemporaryDir &dir, const QString &name,
                       const QByteArray &content)
{
    const QString path = dir.filePath(name + QLatin1String(".csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return nullptr;
    file.write(content);
    file.close();
    auto *source = new TpgxCSVDataSet(r.report.objects().first());
    source->setName(name);
    source->setUserName(name);
    source->setFileName(path);
    r.report.dataSets()->add(source);
    return source;
}

// The outline as indented lines: text, 1-based page, top.
QString dumpOutline(TpgxPreviewPages &pages)
{
    QString out;
    TpgxOutline &outline = pages.outline();
    const std::function<void(int)> level = [&](int depth) {
        for (int i = 0; i < outline.count(); ++i) {
            const TpgxOutline::Item item = outline.item(i);
            out += QString(depth * 2, QLatin1Char(' '))
                + QStringLiteral("%1 page %2 top %3\n")
                      .arg(item.text)
                      .arg(item.page + 1)
                      .arg(item.top);
            outline.levelInto(i);
            level(depth + 1);
            outline.levelUp();
        }
    };
    outline.levelRoot();
    level(0);
    return out;
}

struct Grouped
{
    TpgxMasterData *rows = nullptr;
    TpgxGroupHeader *header = nullptr;
    TpgxGroupFooter *footer = nullptr;
};

// Rows of source `Rows` grouped by its field G, with the group's totals of
// field N in the footer: restarting, running, and the footer's own view of
// the current record.
Grouped groupedRows(EngineReport &r, TpgxDataSet *source, double rowHeight = 20)
{
    Grouped g;
    g.header = r.band<TpgxGroupHeader>(QStringLiteral("GroupHeader1"), 100, 20);
    g.header->setCondition(QStringLiteral("Rows.\"G\""));
    EngineReport::memo(g.header, QStringLiteral("Caption"),
                       QStringLiteral("Group [Rows.\"G\"] no. [Line]"));
    g.rows = r.band<TpgxMasterData>(QStringLiteral("MasterData1"), 140, rowHeight);
    g.rows->setDataSet(source);
    EngineReport::memo(g.rows, QStringLiteral("Row"), QStringLiteral("[Rows.\"G\"] [Rows.\"N\"]"));
    g.footer = r.band<TpgxGroupFooter>(QStringLiteral("GroupFooter1"), 180, 20);
    EngineReport::memo(
        g.footer, QStringLiteral("Totals"),
        QStringLiteral("[Rows.\"G\"]: sum [SUM(<Rows.\"N\">)] of [COUNT(MasterData1)], "
                       "running [SUM(<Rows.\"N\">, MasterData1, 2)]"));
    return g;
}

TEST_F(Groups, GroupGoldens)
{
    struct Case
    {
        const char *name;
        QByteArray csv;
        std::function<void(EngineReport &, TpgxDataSet *)> build;
    };
    const Case cases[] = {
        // The footer of a finished group sees its last record; totals
        // restart with every group, the running one does not.
        {"totals", "G,N\nA,1\nA,2\nB,3\n",
         [](EngineReport &r, TpgxDataSet *s) { groupedRows(r, s); }},
        // B has one row: its footer is left out, and its totals do not
        // reach C's.
        {"hide-if-single-data-record", "G,N\nA,1\nA,2\nB,3\nC,4\nC,5\n",
         [](EngineReport &r, TpgxDataSet *s) {
             groupedRows(r, s).footer->setHideIfSingleDataRecord(true);
         }},
        // Inner groups number themselves within the outer one. An outer
        // group of two one-row inner groups has two rows and keeps its
        // footer; the inner one-row footers are left out.
        {"nested", "G,H,N\nA,x,1\nA,y,2\nB,z,3\nB,z,4\n",
         [](EngineReport &r, TpgxDataSet *s) {
             const Grouped g = groupedRows(r, s);
             g.footer->setHideIfSingleDataRecord(true);
             auto *inner = r.band<TpgxGroupHeader>(QStringLiteral("GroupHeader2"), 120, 20);
             inner->setCondition(QStringLiteral("Rows.\"H\""));
             EngineReport::memo(inner, QStringLiteral("Inner"),
                                QStringLiteral("[Rows.\"H\"] [Line]/[Line#]"));
             auto *innerFooter = r.band<TpgxGroupFooter>(QStringLiteral("GroupFooter2"), 170, 20);
             innerFooter->setHideIfSingleDataRecord(true);
             EngineReport::memo(innerFooter, QStringLiteral("InnerTotal"),
                                QStringLiteral("[Rows.\"H\"]: [SUM(<Rows.\"N\">)]"));
         }},
        // Only the header and the footer of a closed drill-down group print;
        // the second group was opened in the preview.
        {"drill-down", "G,N\nA,1\nA,2\nB,3\nB,4\nC,5\n",
         [](EngineReport &r, TpgxDataSet *s) {
             const Grouped g = groupedRows(r, s);
             g.header->setDrillDown(true);
             g.header->setShowFooterIfDrillDown(true);
             r.report.clearToggledDrillGroups();
             r.report.toggleDrillGroup(QStringLiteral("GroupHeader1.2"));
         }},
        // 60 rows of A over two pages: the group header (and the data
        // band's header, asked to) come again at the top of the second;
        // the page header does as always.
        {"reprint-on-new-page", QByteArray("G,N\n") + QByteArray("A,1\n").repeated(60),
         [](EngineReport &r, TpgxDataSet *s) {
             r.band<TpgxPageHeader>(QStringLiteral("PageHeader1"), 0, 30);
             groupedRows(r, s).header->setReprintOnNewPage(true);
             r.band<TpgxHeader>(QStringLiteral("Header1"), 130, 10)->setReprintOnNewPage(true);
         }},
        // The same without ReprintOnNewPage: only the page header comes
        // again.
        {"no-reprint", QByteArray("G,N\n") + QByteArray("A,1\n").repeated(60),
         [](EngineReport &r, TpgxDataSet *s) {
             r.band<TpgxPageHeader>(QStringLiteral("PageHeader1"), 0, 30);
             groupedRows(r, s);
             r.band<TpgxHeader>(QStringLiteral("Header1"), 130, 10);
         }},
        // Every group after the first on a page of its own, numbered from
        // 1 again.
        {"start-new-page-reset-numbers", "G,N\nA,1\nA,2\nB,3\nC,4\n",
         [](EngineReport &r, TpgxDataSet *s) {
             const Grouped g = groupedRows(r, s);
             g.header->setStartNewPage(true);
             g.header->setResetPageNumbers(true);
             auto *footer = r.band<TpgxPageFooter>(QStringLiteral("PageFooter1"), 900, 20);
             EngineReport::memo(footer, QStringLiteral("PageNo"), QStringLiteral("page [Page]"));
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        EngineReport r;
        TpgxDataSet *source = addCsv(r, dir, QStringLiteral("Rows"), c.csv);
        ASSERT_TRUE(source);
        c.build(r, source);
        ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
        EXPECT_TRUE(matchesGoldenFile(
            dumpPages(r.pages) + QLatin1String("outline:\n") + dumpOutline(r.pages),
            QStringLiteral(PGX_TEST_DATA "/engine/groups/%1.txt").arg(QLatin1String(c.name))));
    }
}

// The prepared pages keep each drill-down header's group number as its Tag,
// which the preview toggles as "<name>.<Tag>".
TEST_F(Groups, DrillDownHeadersCarryTheirGroupNumber)
{
    QTemporaryDir dir;
    EngineReport r;
    TpgxDataSet *source = addCsv(r, dir, QStringLiteral("Rows"), "G,N\nA,1\nB,2\nB,3\nC,4\n");
    ASSERT_TRUE(source);
    groupedRows(r, source).header->setDrillDown(true);
    r.report.toggleDrillGroup(QStringLiteral("GroupHeader1.3"));
    r.report.toggleDrillGroup(QStringLiteral("GroupHeader1.2"));
    r.report.toggleDrillGroup(QStringLiteral("GroupHeader1.3"));   // closed again
    ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
    QList<int> tags;
    for (const TpgxComponent *band : r.pages.getPage(0)->objects())
        if (band->name() == QLatin1String("GroupHeader1"))
            tags.append(band->tag());
    EXPECT_EQ(tags, (QList<int>{1, 2, 3}));
    EXPECT_EQ(bandsPerPage(r.pages, QStringLiteral("MasterData1")), QList<int>{2});
    // The toggles outlive the run, which restores the rest of the report.
    EXPECT_TRUE(r.report.drillGroupToggled(QStringLiteral("GroupHeader1.2")));
    EXPECT_FALSE(r.report.drillGroupToggled(QStringLiteral("GroupHeader1.3")));
}

// A source that cannot step back: the footer of a finished group then sees
// the first record of the next group.
TEST_F(Groups, FooterOfASourceThatCannotGoBackSeesTheNextRecord)
{
    EngineReport r;
    auto *source = new TpgxUserDataSet(r.report.objects().first());
    source->setName(QStringLiteral("Rows"));
    source->setUserName(QStringLiteral("Rows"));
    source->setFields({QStringLiteral("G")});
    r.report.dataSets()->add(source);
    const QStringList records{QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("B")};
    int at = 0;
    source->setOnFirst([&] { at = 0; });
    source->setOnNext([&] { ++at; });
    source->setOnPrior([] { throw pgx::Error(QStringLiteral("forward only")); });
    source->setOnCheckEof([&](bool &eof) { eof = at >= records.size(); });
    source->setOnGetValue([&](const QString &, QVariant &value) { value = records.value(at); });

    auto *header = r.band<TpgxGroupHeader>(QStringLiteral("GroupHeader1"), 0, 20);
    header->setCondition(QStringLiteral("Rows.\"G\""));
    r.band<TpgxMasterData>(QStringLiteral("MasterData1"), 40, 20)->setDataSet(source);
    auto *footer = r.band<TpgxGroupFooter>(QStringLiteral("GroupFooter1"), 80, 20);
    EngineReport::memo(footer, QStringLiteral("Seen"), QStringLiteral("[Rows.\"G\"]"));
    ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
    QStringList seen;
    const TpgxReportPage *page = r.pages.getPage(0);
    for (const TpgxComponent *band : page->objects())
        if (band->name() == QLatin1String("GroupFooter1"))
            seen.append(
                qobject_cast<const TpgxMemoView *>(band->objects().first())->text().trimmed());
    // The last footer comes after the last record: the source is at its end.
    EXPECT_EQ(seen, (QStringList{QStringLiteral("B"), QString()}));
}

// Anchors a script adds while a row is kept go with the row, also when the
// row's own band is what breaks the page (its anchor was added while it was
// calculated, before it moved).
TEST_F(Groups, AKeptRowTakesItsAnchorsAlong)
{
    EngineReport r;
    auto *master = r.band<TpgxMasterData>(QStringLiteral("Master"), 0, 100);
    master->setRowCount(3);
    master->setKeepTogether(true);
    master->setOnBeforePrint(QStringLiteral("MasterBeforePrint"));
    r.band<TpgxDetailData>(QStringLiteral("Detail"), 120, 100)->setRowCount(4);
    r.report.setScriptText({QStringLiteral("procedure MasterBeforePrint(Sender: TObject);"),
                            QStringLiteral("begin"),
                            QStringLiteral("  Engine.AddAnchor('row ' + IntToStr(<Line#>));"),
                            QStringLiteral("end;"), QStringLiteral("begin end.")});
    ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
    // Rows of 500: the third begins at 1000, where its master does not fit.
    EXPECT_EQ(bandsPerPage(r.pages, QStringLiteral("Master")), (QList<int>{2, 1}));
    EXPECT_EQ(r.pages.anchorPage(QStringLiteral("row 1")), 1);
    EXPECT_EQ(r.pages.anchorPage(QStringLiteral("row 2")), 1);
    EXPECT_EQ(r.pages.anchorPage(QStringLiteral("row 3")), 2);
}

// Under a page header, three master rows of 100 kept together with their
// detail rows.
struct KeptMasters
{
    TpgxMasterData *master = nullptr;
    TpgxDetailData *detail = nullptr;
};
KeptMasters keptMasters(EngineReport &r, double detailHeight, int detailRows)
{
    r.band<TpgxPageHeader>(QStringLiteral("PageHeader1"), 0, 30);
    auto *master = r.band<TpgxMasterData>(QStringLiteral("Master"), 40, 100);
    master->setRowCount(3);
    master->setKeepTogether(true);
    EngineReport::memo(master, QStringLiteral("M"), QStringLiteral("master [Line#]"));
    auto *detail = r.band<TpgxDetailData>(QStringLiteral("Detail"), 160, detailHeight);
    detail->setRowCount(detailRows);
    return {master, detail};
}

TEST_F(Groups, KeepGoldens)
{
    struct Case
    {
        const char *name;
        std::function<void(EngineReport &)> build;
    };
    const Case cases[] = {
        // Masters of 100 with three details of 100: the third master does
        // not fit with its details and moves whole, its outline entry (and
        // its details' entries) with it.
        {"keep-together-master",
         [](EngineReport &r) {
             const KeptMasters kept = keptMasters(r, 100, 3);
             kept.master->setOutlineText(QStringLiteral("'Master ' + IntToStr(<Line#>)"));
             kept.detail->setOutlineText(QStringLiteral("'Detail ' + IntToStr(<Line#>)"));
             EngineReport::memo(kept.detail, QStringLiteral("D"), QStringLiteral("detail [Line#]"));
         }},
        // The footer does not fit below the last of 49 rows: the last row
        // goes with it, and the page footers count that row on the page
        // it ends up on.
        {"keep-footer",
         [](EngineReport &r) {
             auto *rows = r.band<TpgxMasterData>(QStringLiteral("Rows"), 40, 20);
             rows->setRowCount(49);
             rows->setKeepFooter(true);
             EngineReport::memo(rows, QStringLiteral("Line"), QStringLiteral("[Line]"));
             auto *footer = r.band<TpgxFooter>(QStringLiteral("Footer"), 80, 30);
             EngineReport::memo(footer, QStringLiteral("Total"),
                                QStringLiteral("total [SUM(<Line>)]"));
             auto *pageFooter = r.band<TpgxPageFooter>(QStringLiteral("PageFooter1"), 900, 40);
             EngineReport::memo(pageFooter, QStringLiteral("PageSum"),
                                QStringLiteral("page [SUM(<Line>, Rows)] in [COUNT(Rows)]"));
         }},
        // The second band's header fits below the first band's rows, its
        // first row does not: the header goes with the row.
        {"keep-header",
         [](EngineReport &r) {
             r.band<TpgxMasterData>(QStringLiteral("First"), 0, 20)->setRowCount(50);
             r.band<TpgxHeader>(QStringLiteral("Header2"), 40, 30);
             auto *second = r.band<TpgxMasterData>(QStringLiteral("Second"), 80, 20);
             second->setRowCount(2);
             second->setKeepHeader(true);
         }},
        // A band and its child that do not fit together both move.
        {"keep-child",
         [](EngineReport &r) {
             r.band<TpgxMasterData>(QStringLiteral("Rows"), 40, 100)->setRowCount(9);
             auto *summary = r.band<TpgxReportSummary>(QStringLiteral("Summary"), 300, 100);
             summary->setKeepChild(true);
             summary->setChild(r.band<TpgxChild>(QStringLiteral("SummaryChild"), 400, 60));
         }},
        // Groups of four rows, 320 high: the fourth does not fit on the
        // first page and moves to the second as a whole, with its entry.
        {"keep-group",
         [](EngineReport &r) {
             auto *header = r.band<TpgxGroupHeader>(QStringLiteral("GroupHeader1"), 0, 40);
             header->setCondition(QStringLiteral("<Line#> div 4"));
             header->setKeepTogether(true);
             header->setOutlineText(QStringLiteral("'Group'"));
             auto *rows = r.band<TpgxMasterData>(QStringLiteral("Rows"), 60, 60);
             rows->setRowCount(16);
             EngineReport::memo(rows, QStringLiteral("Line"), QStringLiteral("[Line#]"));
             r.band<TpgxGroupFooter>(QStringLiteral("GroupFooter1"), 140, 40);
         }},
        // No keep starts before the first data row of a report page: the
        // title stays on the first page and its child breaks to the next.
        {"keep-at-page-top",
         [](EngineReport &r) {
             auto *title = r.band<TpgxReportTitle>(QStringLiteral("Title"), 0, 100);
             title->setKeepChild(true);
             title->setChild(r.band<TpgxChild>(QStringLiteral("TitleChild"), 120, 1000));
             r.band<TpgxMasterData>(QStringLiteral("Rows"), 1200, 20)->setRowCount(2);
         }},
        // A kept master taller than a page moves once, to the top of the
        // next page, and then breaks like any other content.
        {"keep-taller-than-a-page", [](EngineReport &r) { keptMasters(r, 200, 6); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineReport r;
        c.build(r);
        ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();
        EXPECT_TRUE(matchesGoldenFile(
            dumpPages(r.pages) + QLatin1String("outline:\n") + dumpOutline(r.pages),
            QStringLiteral(PGX_TEST_DATA "/engine/keeps/%1.txt").arg(QLatin1String(c.name))));
    }
}

}   // namespace
