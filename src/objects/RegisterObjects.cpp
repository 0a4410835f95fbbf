#include "objects/RegisterObjects.h"

#include "meta/ClassRegistry.h"
#include "objects/barcode/TpgxBarCodeView.h"
#include "report/resources/TpgxResources.h"

namespace pgx {

void registerObjectClasses()
{
    ClassRegistry::add<TpgxBarCodeView>();
    pgxResources().add(QStringLiteral("obBarC"), QStringLiteral("Barcode object"));
}

}   // namespace pgx
