#include "objects/barcode/BarcodeErrors.h"

namespace pgx::barcode {

Error notNumeric()
{
    return Error(QStringLiteral("Barcode must be numeric"));
}

Error invalidLength(const QString &symbology)
{
    return Error(QStringLiteral("Invalid Text len (%1)").arg(symbology));
}

Error wrongType()
{
    return Error(QStringLiteral("%1: wrong BarcodeType").arg(QLatin1String(kClassName)));
}

Error internalError()
{
    return Error(QStringLiteral("%1: internal Error").arg(QLatin1String(kClassName)));
}

Error badData(const QString &symbology, const QString &text)
{
    return Error(
        QStringLiteral("%1:%2 bad Data <%3>").arg(QLatin1String(kClassName), symbology, text));
}

}   // namespace pgx::barcode
