// The printable views.
#include "report/root/RegisterClasses.h"

#include "meta/ClassRegistry.h"
#include "report/views/TpgxLineView.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/TpgxPictureView.h"
#include "report/views/TpgxShapeView.h"
#include "report/views/TpgxSubreport.h"

namespace pgx {

void registerViewClasses()
{
    ClassRegistry::add<TpgxView>();
    ClassRegistry::add<TpgxStretcheable>();
    ClassRegistry::add<TpgxCustomMemoView>();
    ClassRegistry::add<TpgxMemoView>();
    ClassRegistry::add<TpgxSysMemoView>();
    ClassRegistry::add<TpgxPictureView>();
    ClassRegistry::add<TpgxShapeView>();
    ClassRegistry::add<TpgxCustomLineView>();
    ClassRegistry::add<TpgxLineView>();
    ClassRegistry::add<TpgxSubreport>();
    installPageBackgroundPainter();
}

}   // namespace pgx
