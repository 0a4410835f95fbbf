// The page, band and data-source classes of the report layer.
#include "report/root/RegisterClasses.h"

#include "meta/ClassRegistry.h"
#include "report/bands/BandTable.h"
#include "report/data/TpgxDataSet.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxDialogPage.h"
#include "report/pages/TpgxReportPage.h"

namespace pgx {

namespace {

template<class... Bands>
void registerBands(BandClassList<Bands...>)
{
    (ClassRegistry::add<Bands>(), ...);
}

}   // namespace

void registerPageAndBandClasses()
{
    ClassRegistry::add<TpgxDataPage>();
    ClassRegistry::add<TpgxReportPage>();
    ClassRegistry::add<TpgxDialogPage>();

    ClassRegistry::add<TpgxDataSet>();
    ClassRegistry::add<TpgxUserDataSet>();

    ClassRegistry::add<TpgxBand>();
    registerBands(BandTable{});
    ClassRegistry::add<TpgxDataBand>();
    ClassRegistry::add<TpgxNullBand>();
}

}   // namespace pgx
