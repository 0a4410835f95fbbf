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
        page->setName(QStringLiteral("Data"));
        source = new TpgxDBDataSet(page);
        source->setName(QStringLiteral("Customers"));
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
    for (source->first(); !source->eof() && seen.size() < 20; source->next())
        seen.append(source->getValue(QStringLiteral("CustNo")).toLongLong());
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
        r.source->setRangeBegin(c.begin);
        r.source->setRangeEnd(c.end);
        r.source->setRangeEndCount(c.count);
        r.source->initialize();
        EXPECT_EQ(walk(r.source), c.expected);
        r.source->finalize();
        // Finalize goes back to the record current when the source opened.
        if (c.begin == TpgxDataSet::rbCurrent || c.end == TpgxDataSet::reCurrent) {
            EXPECT_EQ(r.table->row(), c.startRow);
        }
        EXPECT_TRUE(r.report.errors().isEmpty()) << r.report.errors().join(u'\n').toStdString();
    }
}

TEST(DBDataSet, CountedRangeStopsOnItsLastRecord)
{
    ReportWithSource r;
    r.source->setRangeEnd(TpgxDataSet::reCount);
    r.source->setRangeEndCount(3);
    r.source->first();
    r.source->next();
    r.source->next();
    r.source->next();
    EXPECT_TRUE(r.source->eof());
    EXPECT_EQ(r.source->recNo(), 2);
    r.source->next();
    EXPECT_EQ(r.source->recNo(), 2);
}

TEST(DBDataSet, AliasesHideAndRenameFields)
{
    ReportWithSource r;
    r.source->setFieldAliases({QStringLiteral("CustNo=Customer number"),
                               QStringLiteral("-Addr=Address"), QStringLiteral("Company=Firm")});
    r.source->first();
    EXPECT_EQ(r.source->getFieldList(),
              (QStringList{QStringLiteral("Customer number"), QStringLiteral("Firm")}));
    EXPECT_EQ(r.source->fieldsCount(), 2);
    EXPECT_EQ(r.source->getValue(QStringLiteral("customer NUMBER")), QVariant(qint64(1)));
    EXPECT_EQ(r.source->getDisplayText(QStringLiteral("Firm")), QStringLiteral("Company 1"));
    EXPECT_EQ(r.source->fieldNameOf(QStringLiteral("Address")), QStringLiteral("Addr"));
    EXPECT_EQ(r.source->aliasOf(QStringLiteral("custno")), QStringLiteral("Customer number"));
    EXPECT_EQ(r.source->fieldNameOf(QStringLiteral("Unknown")), QStringLiteral("Unknown"));
    // A hidden field is not in the cache: it reads as not found.
    EXPECT_FALSE(r.source->getValue(QStringLiteral("Address")).isValid());
    EXPECT_EQ(r.report.errors(),
              QStringList{QStringLiteral("Customers: Field not found: Customers.\"Address\"")});
}

TEST(DBDataSet, MissingFieldsAreNotFoundWithTheObjectBeingProcessed)
{
    ReportWithSource r;
    // Before the table opens, the display text names the field.
    EXPECT_EQ(r.source->getDisplayText(QStringLiteral("Foo")), QStringLiteral("Customers.\"Foo\""));
    r.source->first();
    {
        pgx::data::ProcessingObjectScope scope(QStringLiteral("Memo1"));
        EXPECT_FALSE(r.source->getValue(QStringLiteral("Foo")).isValid());
        EXPECT_EQ(r.source->getDisplayText(QStringLiteral("Bar")),
                  QStringLiteral("Field not found: Customers.\"Bar\""));
    }
    EXPECT_EQ(r.report.errors(),
              (QStringList{QStringLiteral("Memo1: Field not found: Customers.\"Bar\""),
                           QStringLiteral("Memo1: Field not found: Customers.\"Foo\"")}));
    EXPECT_EQ(r.source->getDisplayWidth(QStringLiteral("Foo")), 10);
    EXPECT_EQ(r.source->getFieldType(QStringLiteral("Foo")), TpgxDataSet::fftNumeric);
}

TEST(DBDataSet, EmptyCacheFindsNothingByValueButShowsTableFields)
{
    ReportWithSource r;
    r.source->setFieldAliases({QStringLiteral("-CustNo=Number")});   // nothing visible
    r.source->first();
    EXPECT_TRUE(r.source->getFieldList().isEmpty());
    // Never a read of a field through an empty cache...
    EXPECT_FALSE(r.source->getValue(QStringLiteral("CustNo")).isValid());
    EXPECT_FALSE(r.source->getValue(QStringLiteral("NoSuchField")).isValid());
    EXPECT_EQ(r.report.errors().size(), 2);
    // ...but the display text of a field the table has.
    EXPECT_EQ(r.source->getDisplayText(QStringLiteral("Company")), QStringLiteral("Company 1"));
}

TEST(DBDataSet, FieldTypesWidthsAndBlobs)
{
    ReportWithSource r;
    r.source->first();
    EXPECT_EQ(r.source->getFieldType(QStringLiteral("CustNo")), TpgxDataSet::fftNumeric);
    EXPECT_EQ(r.source->getFieldType(QStringLiteral("Company")), TpgxDataSet::fftString);
    EXPECT_EQ(r.source->getDisplayWidth(QStringLiteral("Company")), 30);
    EXPECT_EQ(r.source->getDisplayWidth(QStringLiteral("CustNo")), 10);
    EXPECT_FALSE(r.source->isBlobField(QStringLiteral("Company")));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    r.source->readBlobInto(QStringLiteral("Addr"), &buffer);
    EXPECT_EQ(buffer.pos(), 0);
    EXPECT_EQ(buffer.readAll(), QByteArray("Street 1"));
    EXPECT_EQ(r.source->recordCount(), 5);
}

TEST(DBDataSet, WithoutTableInitializeRaisesAndOpenReports)
{
    pgx::registerReportClasses();
    TpgxReport report;
    auto *source = new TpgxDBDataSet(new TpgxDataPage(&report));
    source->setName(QStringLiteral("DBDataset1"));
    try {
        source->initialize();
        ADD_FAILURE() << "no error";
    } catch (const pgx::Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("DataSet DBDataset1 is not connected to data"));
    }
    source->first();
    EXPECT_TRUE(source->eof());
    EXPECT_EQ(
        report.errors(),
        QStringList{QStringLiteral("DBDataset1: DataSet DBDataset1 is not connected to data")});
}

TEST(DBDataSet, HooksChainTheTablesOwnAndAreRestored)
{
    ReportWithSource r;
    int hostOpens = 0, hostCloses = 0;
    r.table->setAfterOpen([&] { ++hostOpens; });
    r.table->setBeforeClose([&] { ++hostCloses; });
    r.source->initialize();
    r.source->setFieldAliases({QStringLiteral("Company=Firm")});
    // Opened by its host, the table still fills the source's cache.
    r.table->open();
    EXPECT_EQ(hostOpens, 1);
    r.source->first();
    EXPECT_EQ(r.source->getDisplayText(QStringLiteral("Firm")), QStringLiteral("Company 1"));
    r.source->setCloseDataSource(true);
    r.source->finalize();
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
    r.source->first();
    r.source->next();
    r.source->first();
    EXPECT_EQ(opens, 1);
    r.source->close();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(r.table->isActive());
    r.source->first();
    EXPECT_EQ(opens, 2);
    EXPECT_EQ(r.table->openCount(), 2);
}

TEST(DBDataSet, DestroyedSourceLeavesTheHostTableUnhooked)
{
    auto table = customers();
    {
        ReportWithSource r;
        r.source->setTable(table.get());
        r.source->initialize();
    }
    EXPECT_TRUE(table->open());   // would call into the freed source
}

TEST(UserDataSet, RangesAndCallbacks)
{
    TpgxUserDataSet source;
    source.setRangeEnd(TpgxDataSet::reCount);
    source.setRangeEndCount(3);
    int nexts = 0, firsts = 0;
    source.setOnNext([&] { ++nexts; });
    source.setOnFirst([&] { ++firsts; });
    QList<int> seen;
    for (source.first(); !source.eof() && seen.size() < 10; source.next())
        seen.append(source.recNo());
    EXPECT_EQ(seen, (QList<int>{0, 1, 2}));
    EXPECT_EQ(firsts, 1);
    EXPECT_EQ(nexts, 2);   // not on the step past the end
    source.next();
    EXPECT_EQ(source.recNo(), 2);
    EXPECT_EQ(source.recordCount(), 3);
}

TEST(UserDataSet, LastRecordWithoutEndCallbackEndsInsteadOfRunningForever)
{
    TpgxUserDataSet source;   // reLast
    int seen = 0;
    for (source.first(); !source.eof() && seen < 10; source.next())
        ++seen;
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(source.recNo(), 0);

    // With the callback the host decides.
    source.setOnCheckEof([&](bool &eof) { eof = source.recNo() >= 4; });
    seen = 0;
    for (source.first(); !source.eof() && seen < 10; source.next())
        ++seen;
    EXPECT_EQ(seen, 4);
}

TEST(UserDataSet, ValuesComeFromTheCallback)
{
    TpgxUserDataSet source;
    source.setFields({QStringLiteral("A"), QStringLiteral("B")});
    EXPECT_FALSE(source.getValue(QStringLiteral("A")).isValid());
    EXPECT_EQ(source.getDisplayText(QStringLiteral("A")), QString());
    source.setOnGetValue(
        [](const QString &field, QVariant &value) { value = field + QStringLiteral("!"); });
    EXPECT_EQ(source.getDisplayText(QStringLiteral("B")), QStringLiteral("B!"));
    EXPECT_EQ(source.fieldsCount(), 2);
    EXPECT_TRUE(source.hasField(QStringLiteral("A")));
}

}   // namespace
