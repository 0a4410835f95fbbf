#pragma once

#include <QtCore/QObject>

// The symbologies, in the order templates store them by number: the 23
// linear ones first, then the matrix symbols added after them so that old
// templates keep their numbers. A gadget so that templates and scripts see
// the names.
class TpgxBarcodeTypes
{
    Q_GADGET

public:
    // Of a fixed width, so that a number a template or a script gives that
    // names no symbology is a value the encoder can refuse.
    enum TpgxBarcodeType : int {
        bcCode_2_5_interleaved,
        bcCode_2_5_industrial,
        bcCode_2_5_matrix,
        bcCode39,
        bcCode39Extended,
        bcCode128A,
        bcCode128B,
        bcCode128C,
        bcCode93,
        bcCode93Extended,
        bcCodeMSI,
        bcCodePostNet,
        bcCodeCodabar,
        bcCodeEAN8,
        bcCodeEAN13,
        bcCodeUPC_A,
        bcCodeUPC_E0,
        bcCodeUPC_E1,
        bcCodeUPC_Supp2,
        bcCodeUPC_Supp5,
        bcCodeEAN128A,
        bcCodeEAN128B,
        bcCodeEAN128C,
        bcCodeQR,
        bcCodeDataMatrix,
        bcCodePDF417
    };
    Q_ENUM(TpgxBarcodeType)

    // Error correction of the matrix symbols, from least to most.
    enum TpgxBarcodeErrorLevel { elLow, elMedium, elQuartile, elHigh };
    Q_ENUM(TpgxBarcodeErrorLevel)
};

using TpgxBarcodeType = TpgxBarcodeTypes::TpgxBarcodeType;

namespace pgx::barcode {

inline constexpr int kLinearTypeCount = 23;

inline bool isMatrixType(TpgxBarcodeType type)
{
    return type >= TpgxBarcodeTypes::bcCodeQR && type <= TpgxBarcodeTypes::bcCodePDF417;
}

// The symbology's name as the type table gives it ("Code39", "Codebar").
QString symbologyName(TpgxBarcodeType type);
// Digits only: the text is trimmed and must be numeric.
bool isDigitsOnly(TpgxBarcodeType type);

}   // namespace pgx::barcode
