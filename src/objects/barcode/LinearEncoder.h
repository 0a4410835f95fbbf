#pragma once

// Turns a text into the element codes of a linear symbol (ElementCode.h),
// with its check digits, for the 23 linear symbologies. A plain function of
// its inputs: the barcode component and the view call it, and so do the
// tests.

#include "objects/barcode/BarcodeType.h"
#include "objects/barcode/ElementCode.h"

namespace pgx::barcode {

struct LinearOptions
{
    int module = 1;      // w1 in drawing units
    double ratio = 2;    // wide to narrow, limited by limitedRatio
    bool checksum = false;
    bool modulo10 = true;   // CheckSumMethod csmModulo10; false: csmNone
};

struct LinearSymbol
{
    QString elements;   // element codes
    QString text;       // the text as encoded and shown: padded, with check digits
    ElementWidths widths;
    int width = 0;      // the sum of the element widths
};

// The ratio a symbology allows: matrix 2 of 5 between 2.25 and 3; Code
// 128, EAN-128, Code 93 and EAN/UPC are built from module widths and so
// always 2; MSI and PostNet take any ratio; the others between 2 and 3.
double limitedRatio(TpgxBarcodeType type, double ratio);

// Raises pgx::Error with the message the view shows ("Barcode must be
// numeric", "Invalid Text len (EAN13)", "TpgxBarcode:Code39 bad Data <x>"
// ...) when the text cannot be encoded; never encodes a different text
// silently.
LinearSymbol encodeLinear(TpgxBarcodeType type, const QString &text, const LinearOptions &options);

}   // namespace pgx::barcode
