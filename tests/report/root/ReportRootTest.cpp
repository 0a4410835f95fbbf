// The report root: its values after creation and Clear, loading by file name
// and the designer hook the launcher calls.
#include "platform/Error.h"
#include "report/pages/TpgxPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

#include "meta/ValueText.h"

namespace {

TEST(ReportRoot, NewReportHasTheLauncherInitialValues)
{
    const double before = pgx::dateTimeToDays(QDateTime::currentDateTime());
    TpgxReport report;
    const double after = pgx::dateTimeToDays(QDateTime::currentDateTime());

    EXPECT_EQ(report.version(), QStringLiteral("4.2.16"));
    EXPECT_FALSE(report.dotMatrixReport());
    EXPECT_EQ(report.iniFile(), QStringLiteral("\\Software\\Velmora"));
    EXPECT_EQ(report.previewOptions()->buttons.toInt(), 4095);
    EXPECT_DOUBLE_EQ(report.previewOptions()->zoom, 1.0);
    EXPECT_EQ(report.printOptions()->printer, QStringLiteral("Default"));
    EXPECT_EQ(report.printOptions()->printOnSheet, 0);
    EXPECT_GE(report.reportOptions()->createDate, before);
    EXPECT_LE(report.reportOptions()->createDate, after);
    EXPECT_EQ(report.reportOptions()->lastChange, report.reportOptions()->createDate);
    EXPECT_EQ(report.scriptLanguage(), QStringLiteral("PascalScript"));
    EXPECT_EQ(report.scriptText(),
              (QStringList{QStringLiteral("begin"), QString(), QStringLiteral("end.")}));
    EXPECT_TRUE(report.objects().isEmpty());
    EXPECT_TRUE(report.errors().isEmpty());
}

TEST(ReportRoot, VersionCannotBeOverwritten)
{
    TpgxReport report;
    report.setProperty("Version", QStringLiteral("1.0"));
    EXPECT_EQ(report.version(), QStringLiteral("4.2.16"));
}

TEST(ReportRoot, LoadingAMissingFileLeavesAnEmptyReportWithoutFileName)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no such template.pgr"));
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    page->setName(QStringLiteral("Page1"));
    report.setFileName(QStringLiteral("old.pgr"));
    report.setScriptLanguage(QStringLiteral("JScript"));

    EXPECT_FALSE(report.loadFromFile(missing));
    EXPECT_TRUE(report.objects().isEmpty());
    EXPECT_TRUE(report.fileName().isEmpty());
    EXPECT_EQ(report.scriptLanguage(), QStringLiteral("PascalScript"));

    EXPECT_THROW(report.loadFromFile(missing, true), pgx::Error);
    // A folder is not a template file.
    EXPECT_FALSE(report.loadFromFile(dir.path()));
}

TEST(ReportRoot, LoadingAnExistingFileRemembersItsName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.pgr"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TpgxReport/>\r\n");
    f.close();
    TpgxReport report;
    EXPECT_TRUE(report.loadFromFile(path));
    EXPECT_EQ(report.fileName(), path);
}

TEST(ReportRoot, DesignReportCallsTheRegisteredFactoryOnce)
{
    TpgxReport report;
    TpgxReport::setDesignerFactory({});
    report.designReport();   // none registered: returns at once

    int calls = 0;
    TpgxReport::setDesignerFactory([&](TpgxReport &r, bool modal, bool asChild) {
        ++calls;
        EXPECT_EQ(&r, &report);
        EXPECT_TRUE(modal);
        EXPECT_FALSE(asChild);
        r.designReport();   // already open for this report: nothing happens
    });
    report.designReport(true, false);
    TpgxReport::setDesignerFactory({});
    EXPECT_EQ(calls, 1);
}

TEST(ReportRoot, ErrorsAreSortedWithoutDuplicates)
{
    TpgxReport report;
    report.addError(QStringLiteral("b error"));
    report.addError(QStringLiteral("A error"));
    report.addError(QStringLiteral("a ERROR"));
    report.addError(QStringLiteral("c error"));
    EXPECT_EQ(report.errors(),
              (QStringList{QStringLiteral("A error"), QStringLiteral("b error"),
                           QStringLiteral("c error")}));
}

}   // namespace
