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
    page->MakeUniqueName();
    auto *source = new TpgxUserDataSet(page);
    source->SetName(name);
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
    host.SetName(QStringLiteral("Parts"));

    EXPECT_EQ(pgx::datasets::FindByUserName(&first, QStringLiteral("CUSTOMERS")), own);
    EXPECT_EQ(pgx::datasets::FindByUserName(&first, QStringLiteral("Orders")), nullptr);
    EXPECT_EQ(pgx::datasets::FindByUserName(&second, QStringLiteral("Orders")), foreign);
    EXPECT_EQ(pgx::datasets::FindByUserName(&first, QStringLiteral("Parts")), &host);
    EXPECT_EQ(pgx::datasets::FindByUserName(&second, QStringLiteral("Parts")), &host);
    EXPECT_EQ(pgx::datasets::FindByUserName(&first, QString()), nullptr);

    // DataSetName naming another report's source keeps the old reference.
    first.SetDataSet(own);
    first.SetDataSetName(QStringLiteral("Orders"));
    EXPECT_EQ(first.DataSet(), own);
}

TEST(DataSetList, UserNameFollowsRenamesOnlyWhileItEqualsTheName)
{
    pgx::registerReportClasses();
    TpgxReport report;
    TpgxUserDataSet *source = addSource(report, QStringLiteral("Customers"));
    EXPECT_EQ(source->UserName(), QStringLiteral("Customers"));
    source->SetName(QStringLiteral("Clients"));
    EXPECT_EQ(source->UserName(), QStringLiteral("Clients"));

    source->SetUserName(QStringLiteral("People"));
    source->SetName(QStringLiteral("Persons"));
    EXPECT_EQ(source->UserName(), QStringLiteral("People"));

    for (const QString &bad : {QString(), QStringLiteral("   ")}) {
        try {
            source->SetUserName(bad);
            ADD_FAILURE() << "accepted an empty UserName";
        } catch (const pgx::Error &e) {
            EXPECT_EQ(e.message(), QStringLiteral("Invalid property value"));
        }
    }
    EXPECT_EQ(source->UserName(), QStringLiteral("People"));
}

}   // namespace
