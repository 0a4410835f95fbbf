// The process-wide list of data sources: look-up by UserName across
// reports, renames that carry UserName along, the empty-name rule.
#include "report/data/DataSetList.h"
#include "platform/Error.h"
#include "report/pages/TpgxDataPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/ReportDataSets.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

namespace {

TpgxUserDataSet *addSource(TpgxReport &report, const QString &name)
{
    auto *page = new TpgxDataPage(&report);
    page->makeUniqueName();
    auto *source = new TpgxUserDataSet(page);
    source->setName(name);
    return source;
}

TEST(DataSetList, SourcesEnterOnCreationAndLeaveOnDestruction)
{
    const qsizetype before = pgx::data::allDataSets().size();
    auto *source = new TpgxUserDataSet;
    EXPECT_EQ(pgx::data::allDataSets().size(), before + 1);
    EXPECT_EQ(pgx::data::allDataSets().last(), source);
    delete source;
    EXPECT_EQ(pgx::data::allDataSets().size(), before);
}

TEST(DataSetList, ReportsFindTheirOwnAndHostSourcesButNotOtherReports)
{
    pgx::registerReportClasses();
    TpgxReport first, second;
    TpgxUserDataSet *own = addSource(first, QStringLiteral("Customers"));
    TpgxUserDataSet *foreign = addSource(second, QStringLiteral("Orders"));
    TpgxUserDataSet host;   // on a host window: no report
    host.setName(QStringLiteral("Parts"));

    EXPECT_EQ(pgx::datasets::findByUserName(&first, QStringLiteral("CUSTOMERS")), own);
    EXPECT_EQ(pgx::datasets::findByUserName(&first, QStringLiteral("Orders")), nullptr);
    EXPECT_EQ(pgx::datasets::findByUserName(&second, QStringLiteral("Orders")), foreign);
    EXPECT_EQ(pgx::datasets::findByUserName(&first, QStringLiteral("Parts")), &host);
    EXPECT_EQ(pgx::datasets::findByUserName(&second, QStringLiteral("Parts")), &host);
    EXPECT_EQ(pgx::datasets::findByUserName(&first, QString()), nullptr);

    // DataSetName naming another report's source keeps the old reference.
    first.setDataSet(own);
    first.setDataSetName(QStringLiteral("Orders"));
    EXPECT_EQ(first.dataSet(), own);
}

TEST(DataSetList, UserNameFollowsRenamesOnlyWhileItEqualsTheName)
{
    pgx::registerReportClasses();
    TpgxReport report;
    TpgxUserDataSet *source = addSource(report, QStringLiteral("Customers"));
    EXPECT_EQ(source->userName(), QStringLiteral("Customers"));
    source->setName(QStringLiteral("Clients"));
    EXPECT_EQ(source->userName(), QStringLiteral("Clients"));

    source->setUserName(QStringLiteral("People"));
    source->setName(QStringLiteral("Persons"));
    EXPECT_EQ(source->userName(), QStringLiteral("People"));

    for (const QString &bad : {QString(), QStringLiteral("   ")}) {
        try {
            source->setUserName(bad);
            ADD_FAILURE() << "accepted an empty UserName";
        } catch (const pgx::Error &e) {
            EXPECT_EQ(e.message(), QStringLiteral("Invalid property value"));
        }
    }
    EXPECT_EQ(source->userName(), QStringLiteral("People"));
}

}   // namespace
