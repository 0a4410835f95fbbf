// Which band belongs to which: headers and footers to their data bands,
// group chains, master and detail levels, and the errors for bands that
// belong nowhere.
#include "engine/EngineTestSupport.h"

#include "engine/run/BandTree.h"
#include "meta/ClassRegistry.h"

using namespace pgx::test;

namespace {

struct Placed
{
    const char *className;
    const char *name;
    double top;
    bool withRows = true;
};

TpgxBand *placeAll(EngineReport &r, const QList<Placed> &bands)
{
    TpgxBand *first = nullptr;
    for (const Placed &p : bands) {
        auto *band = qobject_cast<TpgxBand *>(
            pgx::ClassRegistry::create(QString::fromLatin1(p.className), r.page));
        band->setName(QString::fromLatin1(p.name));
        band->setBounds(0, p.top, 700, 20);
        if (auto *data = qobject_cast<TpgxDataBand *>(band); data && p.withRows)
            data->setRowCount(1);
        if (!first)
            first = band;
    }
    return first;
}

TEST_F(EngineTest, MisplacedBandsAreNamedInTheErrors)
{
    struct Case
    {
        const char *what;
        QList<Placed> bands;
        QStringList errors;
    };
    const Case cases[] = {
        {"subdetail right after a master",
         {{"TpgxMasterData", "Master", 0}, {"TpgxSubdetailData", "Sub", 40}},
         {QStringLiteral("Incorrect band position: Sub")}},
        {"header parted from its data band by a band that stays",
         {{"TpgxHeader", "Header1", 0},
          {"TpgxFooter", "Footer1", 20},
          {"TpgxMasterData", "Master", 40}},
         {QStringLiteral("Unconnected header/footer Footer1"),
          QStringLiteral("Unconnected header/footer Header1")}},
        {"group footer without header",
         {{"TpgxGroupFooter", "GF", 0}, {"TpgxMasterData", "Master", 40}},
         {QStringLiteral("No group header for GF")}},
        {"group without data band",
         {{"TpgxMasterData", "Master", 0}, {"TpgxGroupHeader", "GH", 40}},
         {QStringLiteral("No data band for the group GH")}},
        {"detail before any master",
         {{"TpgxDetailData", "Detail", 0}, {"TpgxMasterData", "Master", 40}},
         {QStringLiteral("Incorrect band position: Detail")}},
        {"six levels nest",
         {{"TpgxMasterData", "L1", 0},
          {"TpgxDetailData", "L2", 20},
          {"TpgxSubdetailData", "L3", 40},
          {"TpgxDataBand4", "L4", 60},
          {"TpgxDataBand5", "L5", 80},
          {"TpgxDataBand6", "L6", 100}},
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EngineReport r;
        placeAll(r, c.bands);
        QStringList errors = pgx::engine::buildBandTree(r.page, false);
        errors.sort();
        EXPECT_EQ(errors, c.errors);
    }
}

// Positions sort as numbers, also the negative and the very large ones that
// a fixed-width text key would misorder.
TEST_F(EngineTest, BandsPairByNumericPosition)
{
    EngineReport r;
    placeAll(r,
             {{"TpgxFooter", "Footer", 12345678},
              {"TpgxMasterData", "Master", -5},
              {"TpgxHeader", "Header", -10}});
    const QStringList errors = pgx::engine::buildBandTree(r.page, false);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    auto *master = qobject_cast<TpgxDataBand *>(r.report.findObject(QStringLiteral("Master")));
    ASSERT_TRUE(master);
    EXPECT_EQ(master->runState().headerBand, r.report.findObject(QStringLiteral("Header")));
    EXPECT_EQ(master->runState().footerBand, r.report.findObject(QStringLiteral("Footer")));
    EXPECT_EQ(r.page->runState().horizontalDataBands, QList<TpgxDataBand *>{master});
}

TEST_F(EngineTest, GroupChainsAndDetailsHangUnderTheirBands)
{
    EngineReport r;
    placeAll(r,
             {{"TpgxGroupHeader", "Outer", 0},
              {"TpgxGroupHeader", "Inner", 20},
              {"TpgxMasterData", "Master", 40},
              {"TpgxDetailData", "Detail", 60},
              {"TpgxGroupFooter", "InnerFooter", 80},
              {"TpgxGroupFooter", "OuterFooter", 100}});
    ASSERT_TRUE(pgx::engine::buildBandTree(r.page, false).isEmpty());
    auto find = [&](const char *name) {
        return qobject_cast<TpgxBand *>(r.report.findObject(QString::fromLatin1(name)));
    };
    EXPECT_EQ(find("Master")->runState().groupBand, find("Outer"));
    EXPECT_EQ(find("Outer")->runState().subBands,
              (QList<TpgxBand *>{find("Outer"), find("Inner")}));
    EXPECT_EQ(find("Inner")->runState().footerBand, find("InnerFooter"));
    EXPECT_EQ(find("Outer")->runState().footerBand, find("OuterFooter"));
    EXPECT_EQ(find("Master")->runState().subBands, QList<TpgxBand *>{find("Detail")});
}

}   // namespace
