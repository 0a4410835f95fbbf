// CSV files: the reader's quoting and line rules, type detection, and the
// CSV data source with its file relative to the template.
#include "report/data/CsvTable.h"
#include "report/data/TpgxCSVDataSet.h"
#include "report/pages/TpgxDataPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

#include <QtCore/QDate>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

using pgx::data::FieldType;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(CsvReader, QuotingLinesAndErrors)
{
    const struct
    {
        const char *why;
        const char *text;
        QList<QStringList> rows;   // after the header "a,b"
        const char *error;
    } cases[] = {
        {"plain", "a,b\n1,2\n", {{"1", "2"}}, ""},
        {"CR LF and no final line break", "a,b\r\n1,2\r\n3,4", {{"1", "2"}, {"3", "4"}}, ""},
        {"quoted separator, doubled quote",
         "a,b\n\"x,y\",\"say \"\"hi\"\"\"\n",
         {{"x,y", "say \"hi\""}},
         ""},
        {"line break inside quotes", "a,b\n\"one\ntwo\",3\n", {{"one\ntwo", "3"}}, ""},
        {"short line filled", "a,b\n1\n", {{"1", ""}}, ""},
        {"empty lines skipped", "a,b\n\n1,2\n\n", {{"1", "2"}}, ""},
        {"empty quoted field", "a,b\n\"\",2\n", {{"", "2"}}, ""},
        {"too many fields", "a,b\n1,2\n1,2,3\n", {}, "line 3 has 3 fields, the header 2"},
        {"unclosed quote, reported at its line",
         "a,b\n1,2\n\"open,2\nmore\n",
         {},
         "line 3: a quoted field is not closed"},
        {"nothing at all", "", {}, "the file has no header line"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const pgx::data::CsvRecords records = pgx::data::parseCsv(QString::fromUtf8(c.text), u',');
        EXPECT_EQ(records.error, QString::fromUtf8(c.error));
        if (!*c.error) {
            EXPECT_EQ(records.header, (QStringList{"a", "b"}));
            EXPECT_EQ(records.rows, c.rows);
        }
    }
}

TEST(CsvReader, SeparatorIsDetectedOutsideQuotes)
{
    EXPECT_EQ(pgx::data::detectCsvSeparator(u"a,b,c"), u',');
    EXPECT_EQ(pgx::data::detectCsvSeparator(u"a;b;c"), u';');
    EXPECT_EQ(pgx::data::detectCsvSeparator(u"a\tb"), u'\t');
    EXPECT_EQ(pgx::data::detectCsvSeparator(u"\"x,y,z\";b"), u';');
    EXPECT_EQ(pgx::data::detectCsvSeparator(u"single"), u',');
}

TEST(CsvReader, ColumnTypesAreTheNarrowestThatTakeEveryValue)
{
    const struct
    {
        QStringList values;
        FieldType type;
    } cases[] = {
        {{"1", "-20", "+3"}, FieldType::Integer},
        {{"1", "2.50", ""}, FieldType::Decimal},   // empty values do not count
        {{".5", "7."}, FieldType::Decimal},
        {{"2024-02-29", "1999-12-31"}, FieldType::Date},
        {{"2023-02-29"}, FieldType::WideString},   // no such day
        {{"1", "x"}, FieldType::WideString},
        {{"1,5"}, FieldType::WideString},   // a comma is no decimal point
        {{"1e3"}, FieldType::WideString},
        {{"99999999999999999999"}, FieldType::Decimal},   // beyond 64 bits
        {{"", ""}, FieldType::WideString},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.values.join(u' ').toStdString());
        QList<QStringList> rows;
        for (const QString &v : c.values)
            rows.append({v});
        EXPECT_EQ(pgx::data::detectCsvType(rows, 0), c.type);
    }
}

TEST(CsvTable, ReadsUtf8WithTypesAndOverrides)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("people.csv"));
    writeFile(path,
              "\xEF\xBB\xBFName;Born;Score;Zip\nZo\xC3\xAB;1990-05-01;12.5;01234\nAl;;3;99999\n");
    pgx::data::CsvTable table(path);
    table.setColumnTypes({{QStringLiteral("zip"), FieldType::WideString}});
    ASSERT_TRUE(table.open()) << table.errorText().toStdString();
    ASSERT_EQ(table.fields().size(), 4);
    EXPECT_EQ(table.fields()[0].name, QStringLiteral("Name"));   // no byte order mark
    EXPECT_EQ(table.fields()[0].size, 3);
    EXPECT_EQ(table.fields()[1].type, FieldType::Date);
    EXPECT_EQ(table.fields()[2].type, FieldType::Decimal);
    EXPECT_EQ(table.fields()[3].type, FieldType::WideString);   // keeps its leading zero
    EXPECT_EQ(table.value(0), QVariant(QStringLiteral("Zo\u00EB")));
    EXPECT_EQ(table.value(1), QVariant(QDate(1990, 5, 1)));
    EXPECT_EQ(table.value(2), QVariant(12.5));
    EXPECT_EQ(table.value(3), QVariant(QStringLiteral("01234")));
    table.next();
    EXPECT_TRUE(table.isNull(1));
    EXPECT_EQ(table.displayText(2), QStringLiteral("3"));
    EXPECT_EQ(table.recordCount(), 2);
}

TEST(CsvTable, ProblemsAreMessagesNamingTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.csv"));
    writeFile(path, "n\n1\nx\n");
    pgx::data::CsvTable forced(path);
    forced.setColumnTypes({{QStringLiteral("n"), FieldType::Integer}});
    EXPECT_FALSE(forced.open());
    EXPECT_EQ(forced.errorText(),
              path + QStringLiteral(": record 2, column n: \"x\" is not integer"));

    pgx::data::CsvTable missing(dir.filePath(QStringLiteral("none.csv")));
    EXPECT_FALSE(missing.open());
    EXPECT_TRUE(missing.errorText().startsWith(QStringLiteral("cannot open ")
                                               + dir.filePath(QStringLiteral("none.csv"))));
    EXPECT_TRUE(missing.eof());
    EXPECT_FALSE(missing.value(0).isValid());
}

TEST(CSVDataSet, FileRelativeToTheTemplateAndErrorsInTheReport)
{
    pgx::registerReportClasses();
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("data"));
    writeFile(dir.filePath(QStringLiteral("data/sales.csv")),
              "Region\tAmount\nNorth\t10.5\nSouth\t4\n");
    TpgxReport report;
    report.setFileName(dir.filePath(QStringLiteral("sales.pgr")));
    auto *source = new TpgxCSVDataSet(new TpgxDataPage(&report));
    source->setName(QStringLiteral("Sales"));
    source->setFileName(QStringLiteral("data/sales.csv"));
    double total = 0;
    for (source->first(); !source->eof(); source->next())
        total += source->getValue(QStringLiteral("Amount")).toDouble();
    EXPECT_EQ(total, 14.5);
    EXPECT_EQ(source->getFieldType(QStringLiteral("Region")), TpgxDataSet::fftString);
    EXPECT_TRUE(report.errors().isEmpty());

    source->setFileName(QStringLiteral("data/missing.csv"));
    source->first();
    EXPECT_TRUE(source->eof());
    ASSERT_EQ(report.errors().size(), 1);
    EXPECT_TRUE(report.errors()[0].startsWith(QStringLiteral("Sales: cannot open ")
                                              + dir.filePath(QStringLiteral("data/missing.csv"))))
        << report.errors()[0].toStdString();

    source->setFileName(QStringLiteral("data/sales.csv"));
    source->setColumnTypes({QStringLiteral("Amount=money")});
    source->first();
    EXPECT_TRUE(source->errorText().contains(
        QStringLiteral("\"Amount=money\" is not integer, decimal, date or text")));
}

}   // namespace
