#include "CupsScheduler.h"
#include "PgrtoolRun.h"

#include <gtest/gtest.h>

#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>

namespace pgx::test {
namespace {

const QString kOrders = QStringLiteral(PGX_TEST_DATA "/prepared/orders.pgp");   // 3 A4 pages

// pdfinfo's page count and the size of the first page, e.g. "7 595x842".
QString pdfShape(const QByteArray &document)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("job.pdf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size())
        return QStringLiteral("unwritable");
    file.close();
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {file.fileName()});
    pdfinfo.waitForFinished(15000);
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    const auto size
        = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(info);
    if (!pages.hasMatch() || !size.hasMatch())
        return QStringLiteral("not a PDF: ") + info;
    return QStringLiteral("%1 %2x%3")
        .arg(pages.captured(1))
        .arg(qRound(size.captured(1).toDouble()))
        .arg(qRound(size.captured(2).toDouble()));
}

TEST(PgrtoolPrint, WithoutPrintersSaysSo)
{
    const PgrtoolRun run = runPgrtool({QStringLiteral("print"), kOrders});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("No printers installed on your system")))
        << run.err.toStdString();
}

TEST(PgrtoolPrint, BadArgumentsAreUsageErrors)
{
    for (const QStringList &args : {QStringList{QStringLiteral("--pages"), QStringLiteral("1,,2")},
                                    {QStringLiteral("--copies"), QStringLiteral("0")},
                                    {QStringLiteral("--duplex"), QStringLiteral("both")},
                                    {QStringLiteral("--mode"), QStringLiteral("poster")},
                                    {QStringLiteral("--sheet"), QStringLiteral("A4")}}) {
        const PgrtoolRun run = runPgrtool(QStringList{QStringLiteral("print"), kOrders} + args);
        EXPECT_EQ(run.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
    }
}

class PgrtoolPrintCups : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!cups.isRunning())
            GTEST_SKIP() << "no CUPS scheduler could be started here: "
                         << cups.whyNot().toStdString();
        const QString error = cups.addQueue(QStringLiteral("capture"));
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    }

    PgrtoolRun print(const QStringList &args)
    {
        return runPgrtool(QStringList{QStringLiteral("print"), kOrders, QStringLiteral("--printer"),
                                      QStringLiteral("capture")}
                              + args,
                          cups.environment());
    }

    CupsScheduler cups;
};

TEST_F(PgrtoolPrintCups, CollatedDuplexCopiesArriveAsOneJob)
{
    const PgrtoolRun run
        = print({QStringLiteral("--copies"), QStringLiteral("2"), QStringLiteral("--collate"),
                 QStringLiteral("--duplex"), QStringLiteral("long")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const auto job = cups.waitForJob(1);
    ASSERT_TRUE(job) << cups.log().toStdString();
    // Each copy of the three pages, the first with a blank back so that the
    // second copy starts on a sheet of its own.
    EXPECT_EQ(pdfShape(job->document), QStringLiteral("7 595x842"));
    EXPECT_EQ(job->copies, 1);
    for (const char *option : {"media=iso_a4_210x297mm", "sides=two-sided-long-edge",
                               "multiple-document-handling=separate-documents-collated-copies"})
        EXPECT_TRUE(job->options.contains(QLatin1String(option)))
            << option << " in " << job->options.toStdString();
}

TEST_F(PgrtoolPrintCups, UncollatedCopiesAreThePrintersAndPagesAreChosen)
{
    const PgrtoolRun run
        = print({QStringLiteral("--copies"), QStringLiteral("3"), QStringLiteral("--no-collate"),
                 QStringLiteral("--pages"), QStringLiteral("2-")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const auto job = cups.waitForJob(1);
    ASSERT_TRUE(job) << cups.log().toStdString();
    EXPECT_EQ(pdfShape(job->document), QStringLiteral("2 595x842"));
    EXPECT_EQ(job->copies, 3);
    EXPECT_TRUE(job->options.contains(
        QLatin1String("multiple-document-handling=separate-documents-uncollated-copies")))
        << job->options.toStdString();
}

TEST_F(PgrtoolPrintCups, AJobTheSchedulerRefusesIsAFailure)
{
    ASSERT_EQ(cups.run(QStringLiteral("cupsreject"), {QStringLiteral("capture")}), QString());
    const PgrtoolRun run = print({});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("did not take the job"))) << run.err.toStdString();
}

TEST_F(PgrtoolPrintCups, PrintToFileWritesTheJobsDocumentAndSendsNothing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("orders.prn"));
    const PgrtoolRun run
        = print({QStringLiteral("--to-file"), file, QStringLiteral("--mode"),
                 QStringLiteral("join"), QStringLiteral("--sheet"), QStringLiteral("9")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    // A4 pages do not join on an A4 sheet: one page a sheet.
    EXPECT_EQ(pdfShape(written.readAll()), QStringLiteral("3 595x842"));
    EXPECT_FALSE(cups.waitForJob(1, 500));
}

}   // namespace
}   // namespace pgx::test
