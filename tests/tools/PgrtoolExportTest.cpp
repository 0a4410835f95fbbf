// pgrtool export: a prepared report to PDF and PNG; exit 1 for a file that
// cannot be read, 2 for wrong arguments, and what went wrong on stderr.
#include <gtest/gtest.h>

#include "PgrtoolRun.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

namespace {

const QString kOrders = QStringLiteral(PGX_TEST_DATA "/prepared/orders.pgp");

pgx::test::PgrtoolRun exportRun(const QStringList &args)
{
    return pgx::test::runPgrtool(QStringList{QStringLiteral("export")} + args);
}

TEST(PgrtoolExport, WritesPdfAndPngs)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("orders.pdf"));
    pgx::test::PgrtoolRun run = exportRun({kOrders, QStringLiteral("-o"), pdf});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    // No terminal, no progress line.
    EXPECT_FALSE(run.err.contains(QLatin1String("page 1 of"))) << run.err.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");

    const QString png = dir.filePath(QStringLiteral("page.png"));
    run = exportRun({kOrders, QStringLiteral("-o"), png, QStringLiteral("--pages"),
                     QStringLiteral("2-3"), QStringLiteral("--dpi"), QStringLiteral("24")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("page-2.png"))).size(), QSize(198, 281));
    EXPECT_FALSE(QImage(dir.filePath(QStringLiteral("page-3.png"))).isNull());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("page-1.png"))));
}

TEST(PgrtoolExport, RefusesWhatItCannotDo)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.pdf"));
    QFile bad(dir.filePath(QStringLiteral("bad.pgp")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("<?xml version=\"1.0\"?><TpgxReport/>");
    bad.close();
    const struct
    {
        QStringList args;
        int exitCode;
        const char *message;
    } cases[] = {
        {{kOrders}, 2, "no output given"},
        {{QStringLiteral("-o"), out}, 2, "no report given"},
        {{kOrders, QStringLiteral("-o"), dir.filePath(QStringLiteral("out.svg"))},
         2,
         "must end in .pdf or .png"},
        {{kOrders, QStringLiteral("-o"), out, QStringLiteral("--dpi"), QStringLiteral("300")},
         2,
         "--dpi is for PNG"},
        {{kOrders, QStringLiteral("-o"), out, QStringLiteral("--pages"), QStringLiteral("4")},
         2,
         "beyond the last page (3)"},
        {{kOrders, QStringLiteral("-o"), out, QStringLiteral("--bogus")}, 2, "unknown option"},
        {{dir.filePath(QStringLiteral("missing.pgp")), QStringLiteral("-o"), out},
         1,
         "does not exist"},
        {{bad.fileName(), QStringLiteral("-o"), out}, 1, "Not a prepared report"},
    };
    for (const auto &c : cases) {
        const pgx::test::PgrtoolRun run = exportRun(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

}   // namespace
