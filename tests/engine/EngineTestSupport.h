#pragma once

// What the engine tests share: the script engine and report evaluation set
// up once, a report page of known printable height to put bands on, and a
// dump of prepared pages that says, band by band, where everything went.
#include "report/views/ViewTestSupport.h"

#include "engine/expressions/ReportEvaluation.h"
#include "engine/run/PrepareReport.h"
#include "prepared/TpgxPreviewPages.h"
#include "report/component/Units.h"
#include "report/views/TpgxMemoView.h"
#include "script/analyser/ScriptAnalyser.h"
#include "script/library/SysFunctions.h"

#include <gtest/gtest.h>

namespace pgx::test {

class EngineTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ensureGuiApplication();
        script::installScriptAnalyser();
        script::registerLibraryModules();
        registerReportClasses();
        engine::installReportEvaluation();
    }
};

// A report whose page prints `printableHeight` units from top to bottom
// (no margins), with nothing on it but the data page.
struct EngineReport
{
    TpgxReport report;
    TpgxReportPage *page = nullptr;
    TpgxPreviewPages pages{&report};

    explicit EngineReport(double printableHeight = 1040)
    {
        report.reportOptions()->createDate = 46000.5;
        report.reportOptions()->lastChange = 46000.5;
        report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
        (new TpgxDataPage(&report))->setName(QStringLiteral("Data"));
        page = new TpgxReportPage(&report);
        page->setName(QStringLiteral("Page1"));
        page->setLeftMargin(0);
        page->setRightMargin(0);
        page->setTopMargin(0);
        page->setBottomMargin(0);
        // Half a unit more, so that rounding the paper to millimetres never
        // takes a row's room.
        page->setPaperHeight((printableHeight + 0.5) / kPg01cm);
    }

    template<class Band>
    Band *band(const QString &name, double top, double height)
    {
        auto *b = new Band(page);
        b->setName(name);
        b->setBounds(0, top, 700, height);
        return b;
    }
    static TpgxMemoView *memo(TpgxBand *band, const QString &name, const QString &text,
                              double top = 0, double height = 18)
    {
        auto *m = new TpgxMemoView(band);
        m->setName(name);
        m->setBounds(0, top, 300, height);
        m->setText(text);
        return m;
    }
    bool prepare() { return engine::prepareReport(report, pages); }
};

// The prepared pages, one line per band (class, name, top, height) with
// its text objects' texts below it.
QString dumpPages(TpgxPreviewPages &pages);
// How many bands named `name` each page holds.
QList<int> bandsPerPage(TpgxPreviewPages &pages, const QString &name);

}   // namespace pgx::test
