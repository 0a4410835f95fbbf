#pragma once

// QR Code, Data Matrix and PDF417 through zxing-cpp: the module grid of a
// text, which the barcode view draws as vector modules.

#include "objects/barcode/BarcodeType.h"

#include <vector>

namespace pgx::barcode {

struct MatrixSymbol
{
    int width = 0;    // modules
    int height = 0;
    std::vector<bool> dark;   // row by row

    bool isDark(int x, int y) const { return dark[size_t(y) * size_t(width) + size_t(x)]; }
};

// The text as UTF-8; raises pgx::Error "TpgxBarcode:QR bad Data <text>" (and
// so on) when the symbology cannot hold it (too long, or an empty text).
MatrixSymbol encodeMatrix(TpgxBarcodeType type, const QString &text,
                          TpgxBarcodeTypes::TpgxBarcodeErrorLevel level);

}   // namespace pgx::barcode
