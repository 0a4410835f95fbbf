#pragma once

// What the view tests share: a GUI application for fonts and images (the
// common main() makes none), and a report page with a band to put views on.
#include "../text/TextTestSupport.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <QtGui/QGuiApplication>

namespace pgx::test {

// The suite's one application (never destroyed: the fonts registered with
// it must outlive every test).
inline void ensureGuiApplication()
{
    if (!QCoreApplication::instance())
        guiApplication();
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

// A new view of class View on `band` at (l, t), w x h.
template<class View>
View *place(TpgxBand *band, double l, double t, double w, double h)
{
    auto *view = new View(band);
    view->setBounds(l, t, w, h);
    return view;
}

}   // namespace pgx::test
