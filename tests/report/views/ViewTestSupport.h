#pragma once

// What the view tests share: a GUI application for fonts and images (the
// common main() makes none), and a report page with a band to put views on.
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <QtGui/QGuiApplication>

namespace pgx::test {

inline void ensureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_report";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// A report with the data page, "Page1" and a band "Band1" at (0, 20),
// 700 x 300; its dates fixed, so that saved templates compare.
struct ViewReport
{
    TpgxReport report;
    TpgxReportPage *page = nullptr;
    TpgxBand *band = nullptr;

    ViewReport()
    {
        pgx::registerReportClasses();
        report.reportOptions()->createDate = 46000.5;
        report.reportOptions()->lastChange = 46000.5;
        (new TpgxDataPage(&report))->setName(QStringLiteral("Data"));
        page = new TpgxReportPage(&report);
        page->setName(QStringLiteral("Page1"));
        band = new TpgxMasterData(page);
        band->setName(QStringLiteral("Band1"));
        band->setBounds(0, 20, 700, 300);
    }
};

}   // namespace pgx::test
