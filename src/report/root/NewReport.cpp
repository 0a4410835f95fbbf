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
    band->SetName(name);
    band->SetTop(top);
    band->SetHeight(height);
    band->SetWidth(page->PrintableWidth() * pg01cm);
}

}   // namespace

void BuildBlankReport(TpgxReport &report, const NewReportDefaults &defaults)
{
    report.Clear();
    report.SetFileName(QString());
    report.SetScriptLanguage(defaults.scriptLanguage);
    auto *data = new TpgxDataPage(&report);
    data->SetName(QStringLiteral("Data"));
    auto *page = new TpgxReportPage(&report);
    page->SetName(QStringLiteral("Page1"));
    // Orientation first, so that the margins are taken as given.
    if (defaults.landscape)
        page->SetOrientation(TpgxReportPage::poLandscape);
    page->SetLeftMargin(defaults.leftMargin);
    page->SetRightMargin(defaults.rightMargin);
    page->SetTopMargin(defaults.topMargin);
    page->SetBottomMargin(defaults.bottomMargin);
    page->SetPaperSize(defaults.paperSize);
}

void BuildNewReport(TpgxReport &report, const NewReportDefaults &defaults)
{
    BuildBlankReport(report, defaults);
    auto *page = qobject_cast<TpgxReportPage *>(report.Objects().at(1));
    const double h = defaults.bandHeight;
    const double g = defaults.bandGap;
    addBand<TpgxReportTitle>(page, QStringLiteral("ReportTitle1"), g, h);
    addBand<TpgxMasterData>(page, QStringLiteral("MasterData1"), 2 * g + 2 * h, h);
    addBand<TpgxPageFooter>(page, QStringLiteral("PageFooter1"), 3 * g + 4 * h, h);
}

}   // namespace pgx
