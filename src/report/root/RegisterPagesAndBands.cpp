// The page, band and data-source classes of the report layer, with the
// texts they show.
#include "report/root/RegisterClasses.h"

#include "meta/ClassRegistry.h"
#include "report/resources/TpgxResources.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxDialogPage.h"
#include "report/pages/TpgxReportPage.h"

namespace pgx {

namespace {

constexpr const char *kPageAndBandTexts[][2] = {
    {"prInvProp", "Invalid property value"},
    {"obRepPage", "Report page"},
    {"obDataPage", "Data page"},
    {"obDlgPage", "Dialog form"},
    {"obBand", "Band"},
    {"obReportTitle", "Report title"},
    {"obReportSummary", "Report summary"},
    {"obPageHeader", "Page header"},
    {"obPageFooter", "Page footer"},
    {"obHeader", "Header"},
    {"obFooter", "Footer"},
    {"obDataBand", "Data band"},
    {"obMasterData", "Master data"},
    {"obDetailData", "Detail data"},
    {"obSubdetailData", "Subdetail data"},
    {"obDataBand4", "Data band 4"},
    {"obDataBand5", "Data band 5"},
    {"obDataBand6", "Data band 6"},
    {"obGroupHeader", "Group header"},
    {"obGroupFooter", "Group footer"},
    {"obChild", "Child band"},
    {"obColumnHeader", "Column header"},
    {"obColumnFooter", "Column footer"},
    {"obOverlay", "Overlay"},
    {"obNullBand", "Band"},
};

} // namespace

void registerPageAndBandClasses()
{
    for (const auto &text : kPageAndBandTexts)
        pgxResources().Add(QString::fromLatin1(text[0]), QString::fromLatin1(text[1]));

    ClassRegistry::add<TpgxDataPage>();
    ClassRegistry::add<TpgxReportPage>();
    ClassRegistry::add<TpgxDialogPage>();

    ClassRegistry::add<TpgxDataSet>();
    ClassRegistry::add<TpgxUserDataSet>();

    ClassRegistry::add<TpgxBand>();
    ClassRegistry::add<TpgxReportTitle>();
    ClassRegistry::add<TpgxReportSummary>();
    ClassRegistry::add<TpgxPageHeader>();
    ClassRegistry::add<TpgxPageFooter>();
    ClassRegistry::add<TpgxHeader>();
    ClassRegistry::add<TpgxFooter>();
    ClassRegistry::add<TpgxDataBand>();
    ClassRegistry::add<TpgxMasterData>();
    ClassRegistry::add<TpgxDetailData>();
    ClassRegistry::add<TpgxSubdetailData>();
    ClassRegistry::add<TpgxDataBand4>();
    ClassRegistry::add<TpgxDataBand5>();
    ClassRegistry::add<TpgxDataBand6>();
    ClassRegistry::add<TpgxGroupHeader>();
    ClassRegistry::add<TpgxGroupFooter>();
    ClassRegistry::add<TpgxChild>();
    ClassRegistry::add<TpgxColumnHeader>();
    ClassRegistry::add<TpgxColumnFooter>();
    ClassRegistry::add<TpgxOverlay>();
    ClassRegistry::add<TpgxNullBand>();
}

} // namespace pgx
