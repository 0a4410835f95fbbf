// Templates in and out: every template of the test data and every example
// loads without errors and is written back byte for byte, and the reports a
// new report starts from are written in the shape of the golden files.
#include "report/bands/TpgxBand.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/NewReport.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"
#include "report/root/TpgxVariables.h"
#include "report/styles/TpgxStyles.h"
#include "support/GoldenFile.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>

using pgx::test::lineDifference;
using pgx::test::matchesGoldenFile;

namespace {

const QString kTemplates = QStringLiteral(PGX_TEST_DATA "/report/templates");

QByteArray save(TpgxReport &report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    report.saveToStream(&buffer);
    return buffer.data();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The examples hold objects of the layers above this one (barcodes): the
// tool's tests write them back through pgrtool roundtrip.
QStringList templateFiles()
{
    QStringList files;
    for (const QString &name :
         QDir(kTemplates).entryList({QStringLiteral("*.pgr")}, QDir::Files, QDir::Name))
        files << QDir(kTemplates).filePath(name);
    return files;
}

TEST(Templates, EveryTemplateIsWrittenBackByteForByte)
{
    pgx::registerReportClasses();
    const QStringList files = templateFiles();
    ASSERT_GE(files.size(), 5);
    for (const QString &path : files) {
        SCOPED_TRACE(path.toStdString());
        const QByteArray original = readFile(path);
        TpgxReport report;
        QBuffer in;
        in.setData(original);
        in.open(QIODevice::ReadOnly);
        report.loadFromStream(&in);
        EXPECT_TRUE(report.errors().isEmpty())
            << report.errors().join(QLatin1Char('\n')).toStdString();
        // Hand-made files among them: compared, never rewritten.
        const QByteArray first = save(report);
        EXPECT_TRUE(first == original) << lineDifference(original, first).toStdString();

        TpgxReport again;
        QBuffer second;
        second.setData(first);
        second.open(QIODevice::ReadOnly);
        again.loadFromStream(&second);
        const QByteArray saved = save(again);
        EXPECT_TRUE(saved == first) << lineDifference(first, saved).toStdString();
    }
}

// The dates of a new report are the time of its making; the golden files
// carry fixed ones.
void fixDates(TpgxReport &report)
{
    report.reportOptions()->createDate = 46000.5;
    report.reportOptions()->lastChange = 46000.5;
}

TEST(Templates, NewReportsStartFromTheStandardShapes)
{
    pgx::registerReportClasses();
    TpgxReport report;
    pgx::buildBlankReport(report);
    fixDates(report);
    EXPECT_TRUE(matchesGoldenFile(save(report), kTemplates + QStringLiteral("/blank.pgr")));

    pgx::buildNewReport(report);
    fixDates(report);
    EXPECT_TRUE(matchesGoldenFile(save(report), kTemplates + QStringLiteral("/new-report.pgr")));
    auto *page = qobject_cast<TpgxReportPage *>(report.findObject(QStringLiteral("Page1")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->objects().size(), 3);

    pgx::NewReportDefaults landscape;
    landscape.landscape = true;
    landscape.leftMargin = 20;
    landscape.paperSize = 11;
    landscape.bandGap = 4;
    pgx::buildNewReport(report, landscape);
    fixDates(report);
    EXPECT_TRUE(matchesGoldenFile(save(report),
                                  kTemplates + QStringLiteral("/new-report-a5-landscape.pgr")));
    page = qobject_cast<TpgxReportPage *>(report.findObject(QStringLiteral("Page1")));
    ASSERT_NE(page, nullptr);
    EXPECT_DOUBLE_EQ(page->paperWidth(), 210);
    EXPECT_DOUBLE_EQ(page->leftMargin(), 20);
}

// A report with variables in categories and styles: the input of the
// "pgrtool info" golden output for those sections.
TEST(Templates, AReportWithVariablesAndStyles)
{
    pgx::registerReportClasses();
    TpgxReport report;
    pgx::buildNewReport(report);
    fixDates(report);
    report.variables()->setValue(QStringLiteral("Title"), QStringLiteral("'Invoice'"));
    report.variables()->setValue(QStringLiteral(" Totals"), QVariant());
    report.variables()->addToCategory(QStringLiteral("Totals"), QStringLiteral("Net"),
                                      QStringLiteral("100"));
    report.variables()->addToCategory(QStringLiteral("Totals"), QStringLiteral("Gross"),
                                      QStringLiteral("Net * 1.2"));
    report.styles()->setName(QStringLiteral("Office"));
    report.styles()->add()->setName(QStringLiteral("Heading"));
    report.styles()->add()->setName(QStringLiteral("Body"));
    EXPECT_TRUE(
        matchesGoldenFile(save(report), kTemplates + QStringLiteral("/variables-and-styles.pgr")));
}

}   // namespace
