// The data-source protocol against the in-memory table: ranges, aliases,
// the field cache, the error texts, bookmarks and the table's hooks; and
// the base and user data sources' ranges and callbacks.
#include "platform/Error.h"
#include "report/data/DataSetList.h"
#include "report/data/MemoryTable.h"
#include "report/data/TpgxDBDataSet.h"
#include "report/pages/TpgxDataPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>

using pgx::data::FieldType;
using pgx::data::MemoryTable;

namespace {

// Customers: CustNo, Company, Addr; five records, CustNo 1..5.
std::unique_ptr<MemoryTable> customers()
{
    QList<QVariantList> rows;
    for (int i = 1; i <= 5; ++i)
        rows.append(
            {qint64(i), QStringLiteral("Company %1").arg(i), QStringLiteral("Street %1").arg(i)});
    return std::make_unique<MemoryTable>(
        QList<pgx::data::FieldDef>{{QStringLiteral("CustNo"), FieldType::Integer, 0},
                                   {QStringLiteral("Company"), FieldType::WideString, 30},
                                   {QStringLiteral("Addr"), FieldType::WideString, 40}},
        rows);
}

struct ReportWithSource
{
    ReportWithSource()
    {
        pgx::registerReportClasses();
        page = new TpgxDataPage(&report);
        page->SetName(QStringLiteral("Data"));
        source = new TpgxDBDataSet(page);
        source->SetName(QStringLiteral("Customers"));
        source->setTable(table.get());
    }
    // Declared first so that it outlives the source the report frees.
    std::unique_ptr<MemoryTable> table = customers();
    TpgxReport report;
    TpgxDataPage *page;
    TpgxDBDataSet *source;
};

// The CustNo values a walk First, Next until Eof sees (at most 20).
QList<qint64> walk(TpgxDataSet *source)
{
    QList<qint64> seen;
    for (source->First(); !source->Eof() && seen.size() < 20; source->Next())
        seen.append(source->GetValue(QStringLiteral("CustNo")).toLongLong());
    return seen;
}

TEST(DBDataSet, RangesWalkTheRecordsTheySay)
{
    const struct
    {
        const char *why;
        TpgxDataSet::TpgxRangeBegin begin;
        TpgxDataSet::TpgxRangeEnd end;
        int count;
        int startRow;   // the table's current record when the source opens
        QList<qint64> expected;
    } cases[] = {
        {"all records", TpgxDataSet::rbFirst, TpgxDataSet::reLast, 0, 0, {1, 2, 3, 4, 5}},
        {"counted, fewer than the table",
         TpgxDataSet::rbFirst,
         TpgxDataSet::reCount,
         3,
         0,
         {1, 2, 3}},
        {"counted, more than the table",
         TpgxDataSet::rbFirst,
         TpgxDataSet::reCount,
         9,
         0,
         {1, 2, 3, 4, 5}},
        {"counted zero", TpgxDataSet::rbFirst, TpgxDataSet::reCount, 0, 0, {}},
        {"from the current record", TpgxDataSet::rbCurrent, TpgxDataSet::reLast, 0, 2, {3, 4, 5}},
        {"current only", TpgxDataSet::rbCurrent, TpgxDataSet::reCurrent, 0, 2, {3}},
        // The first record up to the saved one: the cursor has to advance.
        {"first to current", TpgxDataSet::rbFirst, TpgxDataSet::reCurrent, 0, 3, {1, 2, 3, 4}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        ReportWithSource r;
        r.table->open();
        for (int i = 0; i < c.startRow; ++i)
            r.table->next();
        r.source->SetRangeBegin(c.begin);
        r.source->SetRangeEnd(c.end);
        r.source->SetRangeEndCount(c.count);
        r.source->Initialize();
        EXPECT_EQ(walk(r.source), c.expected);
        r.source->Finalize();
        // Finalize goes back to the record current when the source opened.
        if (c.begin == TpgxDataSet::rbCurrent || c.end == TpgxDataSet::reCurrent) {
            EXPECT_EQ(r.table->row(), c.startRow);
        }
        EXPECT_TRUE(r.report.Errors().isEmpty()) << r.report.Errors().join(u'\n').toStdString();
    }
}

TEST(DBDataSet, CountedRangeStopsOnItsLastRecord)
{
    ReportWithSource r;
    r.source->SetRangeEnd(TpgxDataSet::reCount);
    r.source->SetRangeEndCount(3);
    r.source->First();
    r.source->Next();
    r.source->Next();
    r.source->Next();
    EXPECT_TRUE(r.source->Eof());
    EXPECT_EQ(r.source->RecNo(), 2);
    r.source->Next();
    EXPECT_EQ(r.source->RecNo(), 2);
}

TEST(DBDataSet, AliasesHideAndRenameFields)
{
    ReportWithSource r;
    r.source->setFieldAliases({QStringLiteral("CustNo=Customer number"),
                               QStringLiteral("-Addr=Address"), QStringLiteral("Company=Firm")});
    r.source->First();
    EXPECT_EQ(r.source->GetFieldList(),
              (QStringList{QStringLiteral("Customer number"), QStringLiteral("Firm")}));
    EXPECT_EQ(r.source->FieldsCount(), 2);
    EXPECT_EQ(r.source->GetValue(QStringLiteral("customer NUMBER")), QVariant(qint64(1)));
    EXPECT_EQ(r.source->GetDisplayText(QStringLiteral("Firm")), QStringLiteral("Company 1"));
    EXPECT_EQ(r.source->fieldNameOf(QStringLiteral("Address")), QStringLiteral("Addr"));
    EXPECT_EQ(r.source->aliasOf(QStringLiteral("custno")), QStringLiteral("Customer number"));
    EXPECT_EQ(r.source->fieldNameOf(QStringLiteral("Unknown")), QStringLiteral("Unknown"));
    // A hidden field is not in the cache: it reads as not found.
    EXPECT_FALSE(r.source->GetValue(QStringLiteral("Address")).isValid());
    EXPECT_EQ(r.report.Errors(),
              QStringList{QStringLiteral("Customers: Field not found: Customers.\"Address\"")});
}

TEST(DBDataSet, MissingFieldsAreNotFoundWithTheObjectBeingProcessed)
{
    ReportWithSource r;
    // Before the table opens, the display text names the field.
    EXPECT_EQ(r.source->GetDisplayText(QStringLiteral("Foo")), QStringLiteral("Customers.\"Foo\""));
    r.source->First();
    {
        pgx::data::ProcessingObjectScope scope(QStringLiteral("Memo1"));
        EXPECT_FALSE(r.source->GetValue(QStringLiteral("Foo")).isValid());
        EXPECT_EQ(r.source->GetDisplayText(QStringLiteral("Bar")),
                  QStringLiteral("Field not found: Customers.\"Bar\""));
    }
    EXPECT_EQ(r.report.Errors(),
              (QStringList{QStringLiteral("Memo1: Field not found: Customers.\"Bar\""),
                           QStringLiteral("Memo1: Field not found: Customers.\"Foo\"")}));
    EXPECT_EQ(r.source->GetDisplayWidth(QStringLiteral("Foo")), 10);
    EXPECT_EQ(r.source->GetFieldType(QStringLiteral("Foo")), TpgxDataSet::fftNumeric);
}

TEST(DBDataSet, EmptyCacheFindsNothingByValueButShowsTableFields)
{
    ReportWithSource r;
    r.source->setFieldAliases({QStringLiteral("-CustNo=Number")});   // nothing visible
    r.source->First();
    EXPECT_TRUE(r.source->GetFieldList().isEmpty());
    // Never a read of a field through an empty cache...
    EXPECT_FALSE(r.source->GetValue(QStringLiteral("CustNo")).isValid());
    EXPECT_FALSE(r.source->GetValue(QStringLiteral("NoSuchField")).isValid());
    EXPECT_EQ(r.report.Errors().size(), 2);
    // ...but the display text of a field the table has.
    EXPECT_EQ(r.source->GetDisplayText(QStringLiteral("Company")), QStringLiteral("Company 1"));
}

TEST(DBDataSet, FieldTypesWidthsAndBlobs)
{
    ReportWithSource r;
    r.source->First();
    EXPECT_EQ(r.source->GetFieldType(QStringLiteral("CustNo")), TpgxDataSet::fftNumeric);
    EXPECT_EQ(r.source->GetFieldType(QStringLiteral("Company")), TpgxDataSet::fftString);
    EXPECT_EQ(r.source->GetDisplayWidth(QStringLiteral("Company")), 30);
    EXPECT_EQ(r.source->GetDisplayWidth(QStringLiteral("CustNo")), 10);
    EXPECT_FALSE(r.source->IsBlobField(QStringLiteral("Company")));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    r.source->ReadBlobInto(QStringLiteral("Addr"), &buffer);
    EXPECT_EQ(buffer.pos(), 0);
    EXPECT_EQ(buffer.readAll(), QByteArray("Street 1"));
    EXPECT_EQ(r.source->RecordCount(), 5);
}

TEST(DBDataSet, WithoutTableInitializeRaisesAndOpenReports)
{
    pgx::registerReportClasses();
    TpgxReport report;
    auto *source = new TpgxDBDataSet(new TpgxDataPage(&report));
    source->SetName(QStringLiteral("DBDataset1"));
    try {
        source->Initialize();
        ADD_FAILURE() << "no error";
    } catch (const pgx::Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("DataSet DBDataset1 is not connected to data"));
    }
    source->First();
    EXPECT_TRUE(source->Eof());
    EXPECT_EQ(
        report.Errors(),
        QStringList{QStringLiteral("DBDataset1: DataSet DBDataset1 is not connected to data")});
}

TEST(DBDataSet, HooksChainTheTablesOwnAndAreRestored)
{
    ReportWithSource r;
    int hostOpens = 0, hostCloses = 0;
    r.table->setAfterOpen([&] { ++hostOpens; });
    r.table->setBeforeClose([&] { ++hostCloses; });
    r.source->Initialize();
    r.source->setFieldAliases({QStringLiteral("Company=Firm")});
    // Opened by its host, the table still fills the source's cache.
    r.table->open();
    EXPECT_EQ(hostOpens, 1);
    r.source->First();
    EXPECT_EQ(r.source->GetDisplayText(QStringLiteral("Firm")), QStringLiteral("Company 1"));
    r.source->setCloseDataSource(true);
    r.source->Finalize();
    EXPECT_EQ(hostCloses, 1);
    EXPECT_FALSE(r.table->isActive());
    // The host's hooks are back, alone.
    r.table->open();
    EXPECT_EQ(hostOpens, 2);
}

TEST(DBDataSet, OpenAndCloseCallbacksRunOncePerOpening)
{
    ReportWithSource r;
    int opens = 0, closes = 0;
    r.source->setOnOpen([&] { ++opens; });
    r.source->setOnClose([&] { ++closes; });
    r.source->First();
    r.source->Next();
    r.source->First();
    EXPECT_EQ(opens, 1);
    r.source->Close();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(r.table->isActive());
    r.source->First();
    EXPECT_EQ(opens, 2);
    EXPECT_EQ(r.table->openCount(), 2);
}

TEST(DBDataSet, DestroyedSourceLeavesTheHostTableUnhooked)
{
    auto table = customers();
    {
        ReportWithSource r;
        r.source->setTable(table.get());
        r.source->Initialize();
    }
    EXPECT_TRUE(table->open());   // would call into the freed source
}

TEST(UserDataSet, RangesAndCallbacks)
{
    TpgxUserDataSet source;
    source.SetRangeEnd(TpgxDataSet::reCount);
    source.SetRangeEndCount(3);
    int nexts = 0, firsts = 0;
    source.setOnNext([&] { ++nexts; });
    source.setOnFirst([&] { ++firsts; });
    QList<int> seen;
    for (source.First(); !source.Eof() && seen.size() < 10; source.Next())
        seen.append(source.RecNo());
    EXPECT_EQ(seen, (QList<int>{0, 1, 2}));
    EXPECT_EQ(firsts, 1);
    EXPECT_EQ(nexts, 2);   // not on the step past the end
    source.Next();
    EXPECT_EQ(source.RecNo(), 2);
    EXPECT_EQ(source.RecordCount(), 3);
}

TEST(UserDataSet, LastRecordWithoutEndCallbackEndsInsteadOfRunningForever)
{
    TpgxUserDataSet source;   // reLast
    int seen = 0;
    for (source.First(); !source.Eof() && seen < 10; source.Next())
        ++seen;
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(source.RecNo(), 0);

    // With the callback the host decides.
    source.setOnCheckEof([&](bool &eof) { eof = source.RecNo() >= 4; });
    seen = 0;
    for (source.First(); !source.Eof() && seen < 10; source.Next())
        ++seen;
    EXPECT_EQ(seen, 4);
}

TEST(UserDataSet, ValuesComeFromTheCallback)
{
    TpgxUserDataSet source;
    source.SetFields({QStringLiteral("A"), QStringLiteral("B")});
    EXPECT_FALSE(source.GetValue(QStringLiteral("A")).isValid());
    EXPECT_EQ(source.GetDisplayText(QStringLiteral("A")), QString());
    source.SetOnGetValue(
        [](const QString &field, QVariant &value) { value = field + QStringLiteral("!"); });
    EXPECT_EQ(source.GetDisplayText(QStringLiteral("B")), QStringLiteral("B!"));
    EXPECT_EQ(source.FieldsCount(), 2);
    EXPECT_TRUE(source.HasField(QStringLiteral("A")));
}

}   // namespace
