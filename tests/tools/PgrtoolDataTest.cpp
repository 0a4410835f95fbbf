// pgrtool data: the bundled SQLite example and a CSV file given with
// --data, against golden listings; sources that cannot be read; usage.
#include <gtest/gtest.h>

#include "PgrtoolRun.h"
#include <QtCore/QFile>

namespace {

using pgx::test::PgrtoolRun;

PgrtoolRun data(const QStringList &args)
{
    return pgx::test::runPgrtool(QStringList{QStringLiteral("data")} + args);
}

QByteArray golden(const QString &path, const QByteArray &actual)
{
    if (qEnvironmentVariableIsSet("PGX_UPDATE_GOLDEN")) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(actual);
    }
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing golden file>");
}

const QString kExamples = QStringLiteral(PGX_SOURCE_DIR "/examples/");

TEST(PgrtoolData, ListsSourcesAsTheGoldenFilesShow)
{
    const struct
    {
        const char *golden;
        QStringList args;
    } cases[] = {
        // Customers and its detail query, for the first customer.
        {"shop.txt", {kExamples + "shop.pgr"}},
        {"shop-rows-1.txt", {kExamples + "shop.pgr", "--rows", "1"}},
        // A CSV file added to a template without data sources; quoted
        // fields, a decimal column and ISO dates.
        {"people-csv.txt",
         {kExamples + "grouped-list.pgr", "--data", "People=" + kExamples + "people.csv"}},
        // A table replaced by a query of the same name.
        {"shop-query.txt",
         {kExamples + "shop.pgr", "--data",
          "Customers=" + kExamples + "shop.db:SELECT id, name FROM customers WHERE id > 2",
          "--rows", "5"}},
        {"shop-table.txt",
         {kExamples + "labels.pgr", "--data", "Orders=" + kExamples + "shop.db:orders", "--rows",
          "2"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.golden);
        const PgrtoolRun run = data(c.args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.err, QString());
        const QString path = QStringLiteral(PGX_TEST_DATA "/tools/data/") + QLatin1String(c.golden);
        EXPECT_EQ(run.out.toStdString(), golden(path, run.out.toUtf8()).toStdString());
    }
}

TEST(PgrtoolData, SourcesThatCannotBeReadExitOneNamingThem)
{
    const struct
    {
        const char *why;
        QString option;
        QString message;
    } cases[] = {
        {"a database path that does not exist", QStringLiteral("Broken=/no/such/shop.db:orders"),
         QStringLiteral("pgrtool data: Broken: BrokenConnection: the database file "
                        "\"/no/such/shop.db\" does not exist")},
        {"an SQL error", "Broken=" + kExamples + "shop.db:SELECT nosuchcolumn FROM orders",
         QStringLiteral("pgrtool data: Broken: no such column: nosuchcolumn")},
        {"a missing CSV file", QStringLiteral("Broken=/no/such/people.csv"),
         QStringLiteral("pgrtool data: Broken: cannot open /no/such/people.csv")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const PgrtoolRun run = data({kExamples + "shop.pgr", "--data", c.option});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.startsWith(c.message)) << run.err.toStdString();
        // The readable sources are still listed.
        EXPECT_TRUE(run.out.contains(QStringLiteral("Customers: TpgxSQLTable, 4 records")))
            << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("Broken: "))) << run.out.toStdString();
    }
    const PgrtoolRun missing = data({kExamples + "no-such.pgr"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.startsWith(QStringLiteral("pgrtool data: ")))
        << missing.err.toStdString();
}

TEST(PgrtoolData, UsageErrorsExitTwo)
{
    const QString shop = kExamples + "shop.pgr";
    for (const QStringList &args :
         {QStringList{}, QStringList{shop, shop}, QStringList{shop, "--rows"},
          QStringList{shop, "--rows", "-1"}, QStringList{shop, "--rows", "x"},
          QStringList{shop, "--data"}, QStringList{shop, "--data", "NoEquals"},
          QStringList{shop, "--data", "=x.csv"}, QStringList{"--bogus"}}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const PgrtoolRun run = data(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("Usage: pgrtool data")))
            << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    const PgrtoolRun help = data({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: pgrtool data TEMPLATE")))
        << help.out.toStdString();
}

}   // namespace
