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

    EXPECT_EQ(report.Version(), QStringLiteral("4.2.16"));
    EXPECT_FALSE(report.DotMatrixReport());
    EXPECT_EQ(report.IniFile(), QStringLiteral("\\Software\\Velmora"));
    EXPECT_EQ(report.PreviewOptions()->Buttons.toInt(), 4095);
    EXPECT_DOUBLE_EQ(report.PreviewOptions()->Zoom, 1.0);
    EXPECT_EQ(report.PrintOptions()->Printer, QStringLiteral("Default"));
    EXPECT_EQ(report.PrintOptions()->PrintOnSheet, 0);
    EXPECT_GE(report.ReportOptions()->CreateDate, before);
    EXPECT_LE(report.ReportOptions()->CreateDate, after);
    EXPECT_EQ(report.ReportOptions()->LastChange, report.ReportOptions()->CreateDate);
    EXPECT_EQ(report.ScriptLanguage(), QStringLiteral("PascalScript"));
    EXPECT_EQ(report.ScriptText(),
              (QStringList{QStringLiteral("begin"), QString(), QStringLiteral("end.")}));
    EXPECT_TRUE(report.Objects().isEmpty());
    EXPECT_TRUE(report.Errors().isEmpty());
}

TEST(ReportRoot, VersionCannotBeOverwritten)
{
    TpgxReport report;
    report.setProperty("Version", QStringLiteral("1.0"));
    EXPECT_EQ(report.Version(), QStringLiteral("4.2.16"));
}

TEST(ReportRoot, LoadingAMissingFileLeavesAnEmptyReportWithoutFileName)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no such template.pgr"));
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    page->SetName(QStringLiteral("Page1"));
    report.SetFileName(QStringLiteral("old.pgr"));
    report.SetScriptLanguage(QStringLiteral("JScript"));

    EXPECT_FALSE(report.LoadFromFile(missing));
    EXPECT_TRUE(report.Objects().isEmpty());
    EXPECT_TRUE(report.FileName().isEmpty());
    EXPECT_EQ(report.ScriptLanguage(), QStringLiteral("PascalScript"));

    EXPECT_THROW(report.LoadFromFile(missing, true), pgx::Error);
    // A folder is not a template file.
    EXPECT_FALSE(report.LoadFromFile(dir.path()));
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
    EXPECT_TRUE(report.LoadFromFile(path));
    EXPECT_EQ(report.FileName(), path);
}

TEST(ReportRoot, DesignReportCallsTheRegisteredFactoryOnce)
{
    TpgxReport report;
    TpgxReport::setDesignerFactory({});
    report.DesignReport();   // none registered: returns at once

    int calls = 0;
    TpgxReport::setDesignerFactory([&](TpgxReport &r, bool modal, bool asChild) {
        ++calls;
        EXPECT_EQ(&r, &report);
        EXPECT_TRUE(modal);
        EXPECT_FALSE(asChild);
        r.DesignReport();   // already open for this report: nothing happens
    });
    report.DesignReport(true, false);
    TpgxReport::setDesignerFactory({});
    EXPECT_EQ(calls, 1);
}

TEST(ReportRoot, ErrorsAreSortedWithoutDuplicates)
{
    TpgxReport report;
    report.AddError(QStringLiteral("b error"));
    report.AddError(QStringLiteral("A error"));
    report.AddError(QStringLiteral("a ERROR"));
    report.AddError(QStringLiteral("c error"));
    EXPECT_EQ(report.Errors(),
              (QStringList{QStringLiteral("A error"), QStringLiteral("b error"),
                           QStringLiteral("c error")}));
}

}   // namespace
