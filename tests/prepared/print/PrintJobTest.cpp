#include "../PreparedTestSupport.h"

#include "platform/printing/VirtualPrinter.h"
#include "prepared/print/PrintRun.h"
#include "report/root/ReportOptions.h"

#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

namespace pgx::test {
namespace {

QString runTool(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The real job: sheets drawn into the document that print to file writes.
TEST(PrintJob, SplitSheetsCarryTheirPartOfThePageAsText)
{
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdfinfo.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    PreparedReport r;
    r.run(1, 3);
    TpgxVirtualPrinter printer;
    printer.initDevice();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("orders.prn"));
    printer.setFileName(file);
    prepared::PrintHost host;
    TpgxPrintOptions options;
    options.printMode = TpgxPrintOptions::pmSplit;
    options.printOnSheet = 11;   // A5: the A4 page over two landscape sheets
    prepared::PrintRun run(r.store, printer, host);
    ASSERT_EQ(run.run(options), QString());

    const QString info = runTool(pdfinfo,
                                 {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                  QStringLiteral("2"), file});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page    2 size:\\s+595 x 420"))))
        << info.toStdString();
    const auto pageText = [&](int page) {
        return runTool(pdftotext,
                       {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                        QString::number(page), file, QStringLiteral("-")});
    };
    // The header and rows lie in the top half of the page.
    EXPECT_TRUE(pageText(1).contains(QLatin1String("Row 3")));
    EXPECT_FALSE(pageText(2).contains(QLatin1String("Row")));
    EXPECT_FALSE(printer.isPrinting());
}

TEST(PrintJob, RawBytesGoToTheFileUntouched)
{
    TpgxVirtualPrinter printer;
    QTemporaryDir dir;
    printer.setFileName(dir.filePath(QStringLiteral("raw.prn")));
    prepared::RawPrintJob job(printer, QStringLiteral("raw"));
    const QByteArray bytes("\x1b@Line 1\r\n\x0c", 11);
    job.write(bytes.left(4));
    job.write(bytes.mid(4));
    ASSERT_EQ(job.finish(), QString());
    QFile file(printer.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

}   // namespace
}   // namespace pgx::test
