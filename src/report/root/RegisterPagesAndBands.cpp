// The page, band and data-source classes of the report layer.
#include "report/root/RegisterClasses.h"

#include "meta/ClassRegistry.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxDialogPage.h"
#include "report/pages/TpgxReportPage.h"

namespace pgx {

void registerPageAndBandClasses()
{
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
