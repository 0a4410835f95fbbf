#include "objects/barcode/MatrixEncoder.h"

#include "objects/barcode/BarcodeErrors.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <exception>

namespace pgx::barcode {

MatrixSymbol encodeMatrix(TpgxBarcodeType type, const QString &text,
                          TpgxBarcodeTypes::TpgxBarcodeErrorLevel level)
{
    using F = ZXing::BarcodeFormat;
    const F format = type == TpgxBarcodeTypes::bcCodeQR           ? F::QRCode
        : type == TpgxBarcodeTypes::bcCodeDataMatrix              ? F::DataMatrix
        : type == TpgxBarcodeTypes::bcCodePDF417                  ? F::PDF417
                                                                  : F::None;
    if (format == F::None)
        throw wrongType();
    if (text.isEmpty())
        throw badData(symbologyName(type), text);
    ZXing::MultiFormatWriter writer(format);
    writer.setMargin(0);
    if (format != F::DataMatrix) {
        writer.setEncoding(ZXing::CharacterSet::UTF8);
        // zxing's levels run 0-8; L, M, Q, H take every other one.
        writer.setEccLevel(1 + 2 * int(level));
    }
    ZXing::BitMatrix bits;
    try {
        bits = writer.encode(text.toStdWString(), 0, 0);
    } catch (const std::exception &) {
        throw badData(symbologyName(type), text);
    }
    MatrixSymbol m;
    m.width = bits.width();
    m.height = bits.height();
    m.dark.resize(size_t(m.width) * size_t(m.height));
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            m.dark[size_t(y) * size_t(m.width) + size_t(x)] = bits.get(x, y);
    return m;
}

}   // namespace pgx::barcode
