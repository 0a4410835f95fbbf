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
    pgx::buildNewReport(report);
    report.setIniFile(QStringLiteral("/tmp/settings.ini"));
    report.setDotMatrixReport(true);
    report.setScriptLanguage(QStringLiteral("JScript"));
    report.setScriptText({QStringLiteral("x")});
    report.setOnStartReport(QStringLiteral("Start"));
    report.variables()->setValue(QStringLiteral("A"), 1);
    report.styles()->add()->makeUniqueName();
    report.dataSets()->add();
    auto *e = report.engineOptions();
    e->convertNulls = false;
    e->doublePass = true;
    e->maxMemSize = 77;
    e->newSilentMode = TpgxEngineOptions::simReThrow;
    auto *p = report.previewOptions();
    p->outlineVisible = true;
    p->outlineWidth = 1;
    p->pagesInCache = 2;
    p->thumbnailVisible = true;
    p->outlineExpand = false;
    p->zoom = 3;
    p->modal = false;
    auto *pr = report.printOptions();
    pr->copies = 4;
    pr->printer = QStringLiteral("Office");
    pr->reverse = true;
    pr->printPages = TpgxPrintOptions::ppOdd;
    auto *o = report.reportOptions();
    o->author = QStringLiteral("Me");
    o->description = {QStringLiteral("d")};
    o->compressed = true;
    o->createDate = o->lastChange = 1;

    report.clear();

    EXPECT_TRUE(report.objects().isEmpty());
    EXPECT_FALSE(report.dotMatrixReport());
    EXPECT_EQ(report.scriptLanguage(), QStringLiteral("PascalScript"));
    EXPECT_EQ(report.scriptText(),
              (QStringList{QStringLiteral("begin"), QString(), QStringLiteral("end.")}));
    EXPECT_TRUE(report.onStartReport().isEmpty());
    EXPECT_EQ(report.variables()->count() + report.styles()->count() + report.dataSets()->count(),
              0);
    EXPECT_EQ(report.systemVariables().join(QLatin1Char(',')),
              QStringLiteral("Date,Time,Page,Page#,TotalPages,TotalPages#,Line,Line#,CopyName#"));
    // Engine: only ConvertNulls and DoublePass.
    EXPECT_TRUE(e->convertNulls);
    EXPECT_FALSE(e->doublePass);
    EXPECT_EQ(e->maxMemSize, 77);
    EXPECT_EQ(e->newSilentMode, TpgxEngineOptions::simReThrow);
    // Preview: the outline, the cache and the thumbnails.
    EXPECT_FALSE(p->outlineVisible);
    EXPECT_EQ(p->outlineWidth, 120);
    EXPECT_EQ(p->pagesInCache, 50);
    EXPECT_FALSE(p->thumbnailVisible);
    EXPECT_TRUE(p->outlineExpand);
    EXPECT_DOUBLE_EQ(p->zoom, 3);
    EXPECT_FALSE(p->modal);
    // Print: all of it.
    EXPECT_EQ(pr->copies, 1);
    EXPECT_EQ(pr->printer, QStringLiteral("Default"));
    EXPECT_FALSE(pr->reverse);
    EXPECT_EQ(pr->printPages, TpgxPrintOptions::ppAll);
    // Report options: emptied, dates now.
    EXPECT_TRUE(o->author.isEmpty());
    EXPECT_TRUE(o->description.isEmpty());
    EXPECT_FALSE(o->compressed);
    EXPECT_GT(o->createDate, 40000);
    EXPECT_EQ(report.iniFile(), QStringLiteral("/tmp/settings.ini"));
}

}   // namespace

namespace {

TEST(ReportSettings, SettingsStoreFollowsIniFileAndPrinterOptionSelectsKnownPrinters)
{
    QTemporaryDir dir;
    TpgxReport report;
    const QString ini = dir.filePath(QStringLiteral("designer.ini"));
    report.setIniFile(ini);
    {
        std::unique_ptr<pgx::KeyStore> store = report.settingsStore();
        store->writeString(QStringLiteral("Form"), QStringLiteral("Left"), QStringLiteral("10"));
        store->save();
    }
    EXPECT_TRUE(QFile::exists(ini));

    // Tests run on the virtual printer alone.
    pgx::TpgxPrinters &printers = pgx::TpgxPrinters::instance();
    const int before = printers.printerIndex();
    report.printOptions()->printer = QStringLiteral("no such printer");
    report.applyPrinterOption();
    EXPECT_EQ(printers.printerIndex(), before);
    report.printOptions()->printer = printers.printerNames().value(0).toUpper();
    report.applyPrinterOption();
    EXPECT_EQ(printers.printerIndex(), 0);
}

}   // namespace
