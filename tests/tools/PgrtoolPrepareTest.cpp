// pgrtool prepare: every bundled example runs to PDF; a prepared report
// written to .pgp exports again; a broken report fails with its errors.
#include <gtest/gtest.h>

#include "PgrtoolRun.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

namespace {

pgx::test::PgrtoolRun prepareRun(const QStringList &args)
{
    return pgx::test::runPgrtool(QStringList{QStringLiteral("prepare")} + args);
}

TEST(PgrtoolPrepare, EveryExampleRunsToPdf)
{
    QTemporaryDir dir;
    const QDir examples(QStringLiteral(PGX_SOURCE_DIR "/examples"));
    const QStringList templates = examples.entryList({QStringLiteral("*.pgr")}, QDir::Files);
    ASSERT_FALSE(templates.isEmpty());
    for (const QString &name : templates) {
        SCOPED_TRACE(name.toStdString());
        const QString pdf = dir.filePath(name + QStringLiteral(".pdf"));
        const pgx::test::PgrtoolRun run
            = prepareRun({examples.filePath(name), QStringLiteral("-o"), pdf});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(5) == "%PDF-");
    }
}

TEST(PgrtoolPrepare, PreparedPagesExportAgainAndTemplatesExportDirectly)
{
    QTemporaryDir dir;
    const QString invoice = QStringLiteral(PGX_SOURCE_DIR "/examples/invoice.pgr");
    const QString pgp = dir.filePath(QStringLiteral("invoice.pgp"));
    pgx::test::PgrtoolRun run = prepareRun({invoice, QStringLiteral("-o"), pgp});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString png = dir.filePath(QStringLiteral("invoice.png"));
    run = pgx::test::runPgrtool({QStringLiteral("export"), pgp, QStringLiteral("-o"), png,
                                 QStringLiteral("--pages"), QStringLiteral("1"),
                                 QStringLiteral("--dpi"), QStringLiteral("24")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(png));
    run = pgx::test::runPgrtool({QStringLiteral("export"), invoice, QStringLiteral("-o"),
                                 dir.filePath(QStringLiteral("direct.pdf"))});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
}

// Each label's codes come from its own row, through the prepared pages:
// a scanner reads every one.
TEST(PgrtoolPrepare, EveryLabelsCodesScan)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("labels.png"));
    const pgx::test::PgrtoolRun run
        = prepareRun({QStringLiteral(PGX_SOURCE_DIR "/examples/barcode-labels.pgr"),
                      QStringLiteral("-o"), png, QStringLiteral("--dpi"), QStringLiteral("150")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), png});
    ASSERT_TRUE(zbar.waitForFinished(30000));
    QStringList decoded = QString::fromUtf8(zbar.readAllStandardOutput())
                              .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    decoded.sort();
    QStringList expected;
    const int checkDigits[] = {1, 8, 5, 2, 9, 6, 3, 0, 7, 3, 0, 7};
    for (int label = 1; label <= 12; ++label) {
        expected.append(QStringLiteral("EAN-13:590123%1%2")
                            .arg(label, 6, 10, QLatin1Char('0'))
                            .arg(checkDigits[label - 1]));
        expected.append(QStringLiteral("QR-Code:https://example.com/p/%1").arg(label));
    }
    expected.sort();
    EXPECT_EQ(decoded, expected);
}

TEST(PgrtoolPrepare, FailuresSayWhy)
{
    QTemporaryDir dir;
    QFile broken(dir.filePath(QStringLiteral("broken.pgr")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                 "<TpgxReport ScriptLanguage=\"PascalScript\" "
                 "ScriptText.Text=\"begin&#13;&#10;  x := ;&#13;&#10;end.\">\n"
                 "  <TpgxReportPage Name=\"Page1\">\n"
                 "    <TpgxMasterData Name=\"Rows\" Height=\"20\" Top=\"0\" RowCount=\"2\"/>\n"
                 "  </TpgxReportPage>\n"
                 "</TpgxReport>\n");
    broken.close();
    const QString out = dir.filePath(QStringLiteral("out.pdf"));
    const struct
    {
        QStringList args;
        int exitCode;
        const char *message;
    } cases[] = {
        {{broken.fileName(), QStringLiteral("-o"), out}, 1, "Script error at"},
        {{dir.filePath(QStringLiteral("missing.pgr")), QStringLiteral("-o"), out},
         1,
         "missing.pgr"},
        {{broken.fileName(), QStringLiteral("-o"), dir.filePath(QStringLiteral("out.txt"))},
         2,
         "must end in .pgp or .pdf or .png"},
        {{broken.fileName(), QStringLiteral("-o"), out, QStringLiteral("--var"),
          QStringLiteral("novalue")},
         2,
         "--var takes NAME=VALUE"},
    };
    for (const auto &c : cases) {
        const pgx::test::PgrtoolRun run = prepareRun(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

}   // namespace
