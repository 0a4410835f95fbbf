#pragma once

// The encoder's messages: the texts of the exceptions it raises, which the
// view draws in red instead of the symbol.

#include "platform/Error.h"

namespace pgx::barcode {

inline constexpr char kClassName[] = "TpgxBarcode";

// "Barcode must be numeric".
Error notNumeric();
// "Invalid Text len (EAN8)" and the like, for the symbology's name.
Error invalidLength(const QString &symbology);
// "TpgxBarcode: wrong BarcodeType".
Error wrongType();
// "TpgxBarcode: internal Error".
Error internalError();
// "TpgxBarcode:Code93 bad Data <text>" and the like: a character the
// symbology cannot encode.
Error badData(const QString &symbology, const QString &text);

}   // namespace pgx::barcode
