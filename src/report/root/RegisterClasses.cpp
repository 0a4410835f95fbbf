#include "report/root/RegisterClasses.h"

#include "meta/ClassRegistry.h"
#include "report/pages/TpgxPage.h"
#include "report/root/TpgxReport.h"

namespace pgx {

void registerReportClasses()
{
    ClassRegistry::add<TpgxComponent>();
    ClassRegistry::add<TpgxReportComponent>();
    ClassRegistry::add<TpgxDialogComponent>();
    ClassRegistry::add<TpgxPage>();
    ClassRegistry::add<TpgxReport>();
    registerPageAndBandClasses();
    registerDataSourceClasses();
    registerViewClasses();
}

}   // namespace pgx
