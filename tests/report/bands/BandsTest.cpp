// Bands: the band table, child chains, the data band's row source and
// columns, data-source links, and references cleared when their target goes.
#include "report/bands/Bands.h"
#include "meta/ClassRegistry.h"
#include "platform/Error.h"
#include "report/bands/TpgxDataBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>

namespace {

TEST(Bands, KindIndexAndNameFollowTheBandTable)
{
    pgx::registerReportClasses();
    TpgxReport report;
    struct Case
    {
        const char *className;
        int index;
        const char *kindName;
    };
    const Case cases[] = {
        {"TpgxReportTitle", 0, "ReportTitle"},
        {"TpgxReportSummary", 1, "ReportSummary"},
        {"TpgxPageHeader", 2, "PageHeader"},
        {"TpgxPageFooter", 3, "PageFooter"},
        {"TpgxHeader", 4, "Header"},
        {"TpgxFooter", 5, "Footer"},
        {"TpgxMasterData", 6, "MasterData"},
        {"TpgxDetailData", 7, "DetailData"},
        {"TpgxSubdetailData", 8, "SubdetailData"},
        {"TpgxDataBand4", 9, "Data4"},
        {"TpgxDataBand5", 10, "Data5"},
        {"TpgxDataBand6", 11, "Data6"},
        {"TpgxGroupHeader", 12, "GroupHeader"},
        {"TpgxGroupFooter", 13, "GroupFooter"},
        {"TpgxChild", 14, "Child"},
        {"TpgxColumnHeader", 15, "ColumnHeader"},
        {"TpgxColumnFooter", 16, "ColumnFooter"},
        {"TpgxOverlay", 17, "Overlay"},
        {"TpgxNullBand", 0, "Null"},
        {"TpgxDataBand", 0, "Data"},
    };
    EXPECT_EQ(TpgxBand::bandClassNames().size(), pgx::kBandKindCount);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.className);
        auto *band = qobject_cast<TpgxBand *>(
            pgx::ClassRegistry::create(QString::fromLatin1(c.className), &report));
        ASSERT_NE(band, nullptr);
        EXPECT_EQ(band->bandKindIndex(), c.index);
        EXPECT_EQ(band->bandKindName(), QLatin1String(c.kindName));
        const bool numbered = c.index > 0 || qstrcmp(c.className, "TpgxReportTitle") == 0;
        EXPECT_EQ(qstrcmp(TpgxBand::bandClassNames().value(c.index), c.className) == 0, numbered);
        EXPECT_FALSE(band->kindCaption().startsWith(QLatin1String("ob"))) << "no resource text";
    }
}

TEST(Bands, ChildChainsRefuseCycles)
{
    TpgxReport report;
    auto *page = new TpgxReportPage(&report);
    auto *master = new TpgxMasterData(page);
    auto *a = new TpgxChild(page);
    auto *b = new TpgxChild(page);
    auto *c = new TpgxChild(page);
    master->setChild(a);
    a->setChild(b);
    b->setChild(c);
    const QString circular = QStringLiteral("Circular child reference is not allowed");
    for (TpgxChild *closing : {a, b}) {
        try {
            c->setChild(closing);
            ADD_FAILURE() << "a cycle was accepted";
        } catch (const pgx::Error &e) {
            EXPECT_EQ(e.message(), circular);
        }
        EXPECT_EQ(c->child(), nullptr);
    }
    EXPECT_THROW(a->setChild(a), pgx::Error);
    EXPECT_EQ(a->child(), b);
    // Two bands may share a child; that is no cycle.
    auto *title = new TpgxReportTitle(page);
    title->setChild(b);
    EXPECT_EQ(title->child(), b);
}

TEST(Bands, DestroyingAChildClearsEveryLinkToIt)
{
    TpgxReport report;
    auto *page = new TpgxReportPage(&report);
    auto *master = new TpgxMasterData(page);
    auto *header = new TpgxPageHeader(page);
    auto *child = new TpgxChild(page);
    auto *grandChild = new TpgxChild(page);
    master->setChild(child);
    header->setChild(child);
    child->setChild(grandChild);
    // The report announces the destruction while the child's own
    // destructors have already run: the links must be gone by then.
    int seenStale = 0;
    const auto watch
        = QObject::connect(&report, &TpgxReport::objectDestroyed, [&](TpgxComponent *) {
              seenStale += master->child() != nullptr;
              seenStale += header->child() != nullptr;
          });
    delete child;
    QObject::disconnect(watch);
    EXPECT_EQ(seenStale, 0);
    EXPECT_EQ(master->child(), nullptr);
    EXPECT_EQ(header->child(), nullptr);
    // The grandchild no longer counts the freed band among its parents.
    delete grandChild;
    // Destroying the parent first leaves the child usable.
    auto *other = new TpgxChild(page);
    master->setChild(other);
    delete master;
    delete other;
    EXPECT_EQ(page->objects().size(), 1);
}

TEST(Bands, RowCountDrivesThePrivateSource)
{
    for (int rows : {0, 1, 5}) {
        SCOPED_TRACE(rows);
        TpgxMasterData band;
        band.setRowCount(rows);
        TpgxDataSet *source = band.effectiveDataSet();
        ASSERT_EQ(source, band.virtualDataSet());
        EXPECT_EQ(source->recordCount(), rows);
        int printed = 0;
        for (source->first(); !source->eof() && printed <= rows; source->next())
            ++printed;
        EXPECT_EQ(printed, rows);
        // A counted range stays on its last record after the end.
        EXPECT_EQ(source->recNo(), rows > 0 ? rows - 1 : 0);
    }
    // The private source is not part of the tree: nothing of it is saved.
    TpgxReport report;
    auto *band = new TpgxMasterData(&report);
    EXPECT_TRUE(band->objects().isEmpty());
}

TEST(Bands, SelectColumnPlacesTheBand)
{
    TpgxDetailData band;
    band.setColumns(3);
    band.setColumnWidth(100);
    band.setColumnGap(10);
    const struct
    {
        int column, expected;
        double left;
    } cases[] = {{1, 1, 0}, {2, 2, 110}, {3, 3, 220}, {4, 1, 0}, {2, 2, 110}};
    for (const auto &c : cases) {
        band.selectColumn(c.column);
        EXPECT_EQ(band.curColumn(), c.expected) << c.column;
        EXPECT_DOUBLE_EQ(band.left(), c.left) << c.column;
    }
}

TEST(Bands, DataSetLinksFollowAndForgetTheirSource)
{
    TpgxReport report;
    auto *data = new TpgxDataPage(&report);
    auto *source = new TpgxUserDataSet(data);
    source->setName(QStringLiteral("Customers"));
    auto *page = new TpgxReportPage(&report);
    auto *band = new TpgxMasterData(page);
    page->setDataSet(source);
    band->setDataSet(source);
    EXPECT_EQ(band->dataSetName(), QStringLiteral("Customers"));
    source->setUserName(QStringLiteral("Clients"));
    EXPECT_EQ(band->dataSetName(), QStringLiteral("Clients"));
    EXPECT_EQ(band->effectiveDataSet(), source);

    int seenStale = 0;
    const auto watch
        = QObject::connect(&report, &TpgxReport::objectDestroyed, [&](TpgxComponent *) {
              seenStale += band->dataSet() != nullptr || page->dataSet() != nullptr;
          });
    delete source;
    QObject::disconnect(watch);
    EXPECT_EQ(seenStale, 0);
    EXPECT_EQ(band->dataSet(), nullptr);
    EXPECT_EQ(page->dataSet(), nullptr);
    EXPECT_EQ(band->dataSetName(), QString());
    EXPECT_EQ(page->dataSetName(), QString());
    EXPECT_EQ(band->effectiveDataSet(), band->virtualDataSet());
    EXPECT_THROW(band->virtualDataSet()->setUserName(QStringLiteral("  ")), pgx::Error);
}

TEST(Bands, DrillDownGroupsAddTheirIndexToTheDifference)
{
    TpgxGroupHeader a, b;
    const QString plain = a.diffAttrs(&b);
    a.setDrillIndex(4);
    EXPECT_EQ(a.diffAttrs(&b), plain);
    a.setDrillDown(true);
    EXPECT_EQ(a.diffAttrs(&b), plain + QStringLiteral(" Tag=\"4\""));
}

TEST(Bands, ACircularChainInATemplateIsReportedAndTheRestLoads)
{
    pgx::registerReportClasses();
    const QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TpgxReport>\r\n"
                           "  <TpgxReportPage Name=\"Page1\">\r\n"
                           "    <TpgxChild Name=\"A\" Child=\"B\"/>\r\n"
                           "    <TpgxChild Name=\"B\" Child=\"A\"/>\r\n"
                           "    <TpgxMasterData Name=\"M\" Child=\"Missing\" RowCount=\"2\"/>\r\n"
                           "  </TpgxReportPage>\r\n</TpgxReport>\r\n";
    TpgxReport report;
    QBuffer buffer;
    buffer.setData(xml);
    buffer.open(QIODevice::ReadOnly);
    report.loadFromStream(&buffer);
    EXPECT_EQ(report.errors(),
              QStringList{QStringLiteral("Circular child reference is not allowed")});
    auto *a = qobject_cast<TpgxChild *>(report.findObject(QStringLiteral("A")));
    auto *b = qobject_cast<TpgxChild *>(report.findObject(QStringLiteral("B")));
    auto *m = qobject_cast<TpgxMasterData *>(report.findObject(QStringLiteral("M")));
    ASSERT_TRUE(a && b && m);
    // Exactly one of the two links was taken.
    EXPECT_NE(a->child() == b, b->child() == a);
    EXPECT_EQ(m->child(), nullptr);
    EXPECT_EQ(m->rowCount(), 2);
}

}   // namespace

namespace {

// A page of a dot-matrix report: bands on it stay on the character grid.
class GridPage : public TpgxReportPage
{
public:
    using TpgxReportPage::TpgxReportPage;
    bool usesCharacterGrid() const override { return true; }
};

TEST(Bands, BandsOnACharacterGridPageSnapToIt)
{
    TpgxReport report;
    auto *grid = new GridPage(&report);
    auto *plain = new TpgxReportPage(&report);
    auto *onGrid = new TpgxMasterData(grid);
    auto *free = new TpgxMasterData(plain);
    for (TpgxBand *band : {static_cast<TpgxBand *>(onGrid), static_cast<TpgxBand *>(free)}) {
        band->setLeft(14.5);
        band->setTop(26);
        band->setHeight(8);
        band->setWidth(100.3);
    }
    EXPECT_DOUBLE_EQ(onGrid->left(), 2 * kPg1CharX);
    EXPECT_DOUBLE_EQ(onGrid->top(), 2 * kPg1CharY);
    EXPECT_DOUBLE_EQ(onGrid->height(), 0);
    EXPECT_DOUBLE_EQ(onGrid->width(), 100.3);
    EXPECT_DOUBLE_EQ(free->left(), 14.5);
    EXPECT_DOUBLE_EQ(free->top(), 26);
    EXPECT_DOUBLE_EQ(free->height(), 8);
}

}   // namespace
