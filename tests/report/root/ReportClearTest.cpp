// What the report's Clear resets, and what it leaves as the program set it.

#include "RootTestSupport.h"

#include "platform/KeyStore.h"
#include "platform/printing/Printers.h"
#include "report/root/NewReport.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

using namespace pgx::test;

namespace {

TEST(ReportClear, ResetsTheReportsOwnValuesAndKeepsTheProgramsSettings)
{
    registerClasses();
    TpgxReport report;
    pgx::BuildNewReport(report);
    report.SetIniFile(QStringLiteral("/tmp/settings.ini"));
    report.SetDotMatrixReport(true);
    report.SetScriptLanguage(QStringLiteral("JScript"));
    report.SetScriptText({QStringLiteral("x")});
    report.SetOnStartReport(QStringLiteral("Start"));
    report.Variables()->SetValue(QStringLiteral("A"), 1);
    report.Styles()->Add()->MakeUniqueName();
    report.DataSets()->Add();
    auto *e = report.EngineOptions();
    e->ConvertNulls = false;
    e->DoublePass = true;
    e->MaxMemSize = 77;
    e->NewSilentMode = TpgxEngineOptions::simReThrow;
    auto *p = report.PreviewOptions();
    p->OutlineVisible = true;
    p->OutlineWidth = 1;
    p->PagesInCache = 2;
    p->ThumbnailVisible = true;
    p->OutlineExpand = false;
    p->Zoom = 3;
    p->Modal = false;
    auto *pr = report.PrintOptions();
    pr->Copies = 4;
    pr->Printer = QStringLiteral("Office");
    pr->Reverse = true;
    pr->PrintPages = TpgxPrintOptions::ppOdd;
    auto *o = report.ReportOptions();
    o->Author = QStringLiteral("Me");
    o->Description = {QStringLiteral("d")};
    o->Compressed = true;
    o->CreateDate = o->LastChange = 1;

    report.Clear();

    EXPECT_TRUE(report.Objects().isEmpty());
    EXPECT_FALSE(report.DotMatrixReport());
    EXPECT_EQ(report.ScriptLanguage(), QStringLiteral("PascalScript"));
    EXPECT_EQ(report.ScriptText(),
              (QStringList{QStringLiteral("begin"), QString(), QStringLiteral("end.")}));
    EXPECT_TRUE(report.OnStartReport().isEmpty());
    EXPECT_EQ(report.Variables()->Count() + report.Styles()->Count() + report.DataSets()->Count(),
              0);
    EXPECT_EQ(report.SystemVariables().join(QLatin1Char(',')),
              QStringLiteral("Date,Time,Page,Page#,TotalPages,TotalPages#,Line,Line#,CopyName#"));
    // Engine: only ConvertNulls and DoublePass.
    EXPECT_TRUE(e->ConvertNulls);
    EXPECT_FALSE(e->DoublePass);
    EXPECT_EQ(e->MaxMemSize, 77);
    EXPECT_EQ(e->NewSilentMode, TpgxEngineOptions::simReThrow);
    // Preview: the outline, the cache and the thumbnails.
    EXPECT_FALSE(p->OutlineVisible);
    EXPECT_EQ(p->OutlineWidth, 120);
    EXPECT_EQ(p->PagesInCache, 50);
    EXPECT_FALSE(p->ThumbnailVisible);
    EXPECT_TRUE(p->OutlineExpand);
    EXPECT_DOUBLE_EQ(p->Zoom, 3);
    EXPECT_FALSE(p->Modal);
    // Print: all of it.
    EXPECT_EQ(pr->Copies, 1);
    EXPECT_EQ(pr->Printer, QStringLiteral("Default"));
    EXPECT_FALSE(pr->Reverse);
    EXPECT_EQ(pr->PrintPages, TpgxPrintOptions::ppAll);
    // Report options: emptied, dates now.
    EXPECT_TRUE(o->Author.isEmpty());
    EXPECT_TRUE(o->Description.isEmpty());
    EXPECT_FALSE(o->Compressed);
    EXPECT_GT(o->CreateDate, 40000);
    EXPECT_EQ(report.IniFile(), QStringLiteral("/tmp/settings.ini"));
}

}   // namespace

namespace {

TEST(ReportSettings, SettingsStoreFollowsIniFileAndPrinterOptionSelectsKnownPrinters)
{
    QTemporaryDir dir;
    TpgxReport report;
    const QString ini = dir.filePath(QStringLiteral("designer.ini"));
    report.SetIniFile(ini);
    {
        std::unique_ptr<pgx::KeyStore> store = report.SettingsStore();
        store->writeString(QStringLiteral("Form"), QStringLiteral("Left"), QStringLiteral("10"));
        store->save();
    }
    EXPECT_TRUE(QFile::exists(ini));

    // Tests run on the virtual printer alone.
    pgx::TpgxPrinters &printers = pgx::TpgxPrinters::instance();
    const int before = printers.printerIndex();
    report.PrintOptions()->Printer = QStringLiteral("no such printer");
    report.ApplyPrinterOption();
    EXPECT_EQ(printers.printerIndex(), before);
    report.PrintOptions()->Printer = printers.printerNames().value(0).toUpper();
    report.ApplyPrinterOption();
    EXPECT_EQ(printers.printerIndex(), 0);
}

}   // namespace
