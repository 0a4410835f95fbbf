#include "report/root/NewReport.h"

#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/TpgxReport.h"

namespace pgx {

namespace {

template<class Band>
void addBand(TpgxReportPage *page, const QString &name, double top, double height)
{
    auto *band = new Band(page);
    band->setName(name);
    band->setTop(top);
    band->setHeight(height);
    band->setWidth(page->printableWidth() * kPg01cm);
}

}   // namespace

void buildBlankReport(TpgxReport &report, const NewReportDefaults &defaults)
{
    report.clear();
    report.setFileName(QString());
    report.setScriptLanguage(defaults.scriptLanguage);
    auto *data = new TpgxDataPage(&report);
    data->setName(QStringLiteral("Data"));
    auto *page = new TpgxReportPage(&report);
    page->setName(QStringLiteral("Page1"));
    // Orientation first, so that the margins are taken as given.
    if (defaults.landscape)
        page->setOrientation(TpgxReportPage::poLandscape);
    page->setLeftMargin(defaults.leftMargin);
    page->setRightMargin(defaults.rightMargin);
    page->setTopMargin(defaults.topMargin);
    page->setBottomMargin(defaults.bottomMargin);
    page->setPaperSize(defaults.paperSize);
}

void buildNewReport(TpgxReport &report, const NewReportDefaults &defaults)
{
    buildBlankReport(report, defaults);
    auto *page = qobject_cast<TpgxReportPage *>(report.objects().at(1));
    const double h = defaults.bandHeight;
    const double g = defaults.bandGap;
    addBand<TpgxReportTitle>(page, QStringLiteral("ReportTitle1"), g, h);
    addBand<TpgxMasterData>(page, QStringLiteral("MasterData1"), 2 * g + 2 * h, h);
    addBand<TpgxPageFooter>(page, QStringLiteral("PageFooter1"), 3 * g + 4 * h, h);
}

}   // namespace pgx
