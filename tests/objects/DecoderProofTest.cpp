// Proof that the symbols are readable: every symbology a decoder knows is
// drawn into an image at three device pixels a module, at rotations 0 and
// 90, and read back by zbar (zbarimg) and zxing-cpp (ZXingReader), which
// share no code with the encoder. The decoded text must be the encoded one.
// zbar reads no Data Matrix or PDF417 symbols, and neither reads the UPC
// supplements alone, industrial or matrix 2 of 5, MSI or PostNet: those
// are golden element strings in LinearEncoderTest.
#include "objects/barcode/FullAscii.h"
#include "objects/barcode/SymbolLayout.h"
#include "objects/barcode/SymbolPainter.h"
#include "platform/Error.h"
#include "report/views/ViewTestSupport.h"

#include <gtest/gtest.h>

#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>

using namespace pgx::barcode;
using T = TpgxBarcodeTypes;

namespace {

constexpr int kPixelsPerModule = 3;
constexpr int kMargin = 12;   // modules of quiet zone around a linear symbol

QImage render(TpgxBarcodeType type, const QString &text, int angle, bool checksum)
{
    pgx::test::ensureGuiApplication();
    SymbolLayout layout;
    QSizeF device;
    if (isMatrixType(type)) {
        layout = layOutMatrix(encodeMatrix(type, text, T::elMedium), 4, angle);
        device = layout.image * kPixelsPerModule;
    } else {
        LinearOptions o;
        o.checksum = checksum;
        const LinearSymbol s = encodeLinear(type, text, o);
        const QSizeF along(s.width * kPixelsPerModule, 60 * kPixelsPerModule);
        device = angle == 90 ? along.transposed() : along;
        layout = layOutLinear(s, type, angle, true, device, humanReadableWidth);
    }
    const int m = kMargin * kPixelsPerModule;
    QImage image(int(device.width()) + 2 * m, int(device.height()) + 2 * m, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    paintSymbol(p, layout, QRectF(QPointF(m, m), device), kClBlack, kClWhite);
    return image;
}

// The decoder's text, "" when it read nothing.
QString decode(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000))
        return QStringLiteral("(timed out)");
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

struct ProofCase
{
    TpgxBarcodeType type;
    const char *text;
    bool checksum = false;
    bool zbar = true;                 // zbar reads it
    bool zxing = true;                // zxing-cpp reads it
    const char *alsoRead = nullptr;   // another form a decoder reports
};

// What a decoder reports for a symbol: UPC-A as EAN-13 with its leading
// zero, UPC-E expanded by its number system, Codabar with its start and
// stop characters, GS1 symbols with their identifier.
bool sameText(TpgxBarcodeType type, const QString &encoded, QString decoded, const char *alsoRead)
{
    if (alsoRead && decoded == QString::fromUtf8(alsoRead))
        return true;
    if (type == T::bcCodeCodabar && decoded.size() >= 2
        && QStringLiteral("ABCD").contains(decoded.front()))
        decoded = decoded.mid(1, decoded.size() - 2);
    if (type == T::bcCodeEAN128A || type == T::bcCodeEAN128B || type == T::bcCodeEAN128C)
        decoded.remove(QStringLiteral("]C1"));
    if (decoded == encoded)
        return true;
    if (type == T::bcCodeUPC_A && decoded == u'0' + encoded)
        return true;
    // An EAN-13 with a leading zero is a UPC-A.
    if (type == T::bcCodeEAN13 && encoded.startsWith(u'0') && decoded == encoded.mid(1))
        return true;
    if (type == T::bcCodeUPC_E0 && decoded == u'0' + encoded)
        return true;
    if (type == T::bcCodeUPC_E1 && decoded == u'1' + encoded)
        return true;
    // Readers that do not expand full ASCII report the shift pairs.
    if (type == T::bcCode39Extended
        && decoded == fullAscii(encoded, FullAsciiShifts::Code39, QString()))
        return true;
    return false;
}

class DecoderProof : public ::testing::Test
{
protected:
    void prove(const ProofCase &c)
    {
        const QString zbar = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
        const QString zxing = QStandardPaths::findExecutable(QStringLiteral("ZXingReader"));
        if (zbar.isEmpty() || zxing.isEmpty())
            GTEST_SKIP() << "zbarimg or ZXingReader is not installed (scripts/setup installs them)";
        for (int angle : {0, 90}) {
            SCOPED_TRACE(std::string(c.text) + " as " + symbologyName(c.type).toStdString() + " at "
                         + std::to_string(angle));
            QString encoded = QString::fromUtf8(c.text);
            if (!isMatrixType(c.type)) {
                LinearOptions o;
                o.checksum = c.checksum;
                encoded = encodeLinear(c.type, encoded, o).text;
            }
            const QString file = m_dir.filePath(QStringLiteral("symbol.png"));
            ASSERT_TRUE(render(c.type, QString::fromUtf8(c.text), angle, c.checksum).save(file));
            if (c.zbar) {
                const QString got
                    = decode(zbar, {QStringLiteral("--raw"), QStringLiteral("-q"), file});
                EXPECT_TRUE(sameText(c.type, encoded, got, c.alsoRead))
                    << "zbar read " << got.toStdString();
            }
            if (c.zxing) {
                const QString got = decode(zxing, {QStringLiteral("-bytes"), file});
                EXPECT_TRUE(sameText(c.type, encoded, got, c.alsoRead))
                    << "zxing read " << got.toStdString();
            }
        }
    }

    QTemporaryDir m_dir;
};

TEST_F(DecoderProof, linearSymbologies)
{
    const ProofCase cases[] = {
        {T::bcCode_2_5_interleaved, "123456"},
        {T::bcCode_2_5_interleaved, "1234567"},   // read as 01234567
        {T::bcCode39, "CODE39"},
        {T::bcCode39, "A-1 $/+%."},
        {T::bcCode39Extended, "Ab c!"},
        {T::bcCode128A, "HELLO_123"},
        {T::bcCode128B, "Hello, World ~"},
        {T::bcCode128C, "12345"},
        {T::bcCode128C, "00998877"},
        {T::bcCode93, "CODE 93-X"},
        {T::bcCode93Extended, "Code 93 ext!"},
        {T::bcCodeCodabar, "31117013206375"},
        {T::bcCodeCodabar, "12-34$5:6/7.8+9"},
        {T::bcCodeEAN8, "1234567", true},
        {T::bcCodeEAN8, "96385074"},
        {T::bcCodeEAN13, "590123412345", true},
        {T::bcCodeEAN13, "4006381333931"},
        {T::bcCodeEAN13, "123"},
        {T::bcCodeUPC_A, "03600029145", true},
        {T::bcCodeUPC_A, "12345678901", true},
        // zbar reports UPC-E as its EAN-13 expansion: 425261 stands for
        // 04210000526, 123456 for 01234500006.
        {T::bcCodeUPC_E0, "425261", false, true, true, "0042100005264"},
        {T::bcCodeUPC_E0, "123456", true, true, true, "0012345000065"},
        {T::bcCodeUPC_E1, "425261", false, false, true},
        {T::bcCodeEAN128B, "(01)ABC", false, true, true},
        {T::bcCodeEAN128C, "0123456789012", true},
    };
    for (const ProofCase &c : cases)
        prove(c);
}

TEST_F(DecoderProof, matrixSymbols)
{
    const ProofCase cases[] = {
        {T::bcCodeQR, "https://example.org/parcel?id=42"},
        {T::bcCodeQR, "Zażółć gęślą jaźń"},
        {T::bcCodeDataMatrix, "PARCEL 0042", false, false, true},
        {T::bcCodeDataMatrix, "a longer text for a larger symbol, 1234567890", false, false, true},
        {T::bcCodePDF417, "PDF417 label text", false, false, true},
        {T::bcCodePDF417, "1234567890", false, false, true},
    };
    for (const ProofCase &c : cases)
        prove(c);
}

// A few symbols as pictures a person can look at, under
// tests/data/objects/barcode/; compared pixel by pixel, rewritten with
// PGX_UPDATE_GOLDEN=1.
TEST(BarcodePictures, matchTheGoldenImages)
{
    struct Case
    {
        const char *file;
        TpgxBarcodeType type;
        const char *text;
        int angle;
    };
    const Case cases[] = {
        {"ean13.png", T::bcCodeEAN13, "590123412345", 0},
        {"code128b-90.png", T::bcCode128B, "Pagoryn 128", 90},
        {"qr.png", T::bcCodeQR, "https://example.org/parcel?id=42", 0},
    };
    const bool update = qEnvironmentVariableIsSet("PGX_UPDATE_GOLDEN");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const QImage image = render(c.type, QString::fromUtf8(c.text), c.angle, true);
        const QString path
            = QStringLiteral(PGX_TEST_DATA "/objects/barcode/") + QLatin1String(c.file);
        if (update) {
            ASSERT_TRUE(image.save(path));
        }
        const QImage golden(path);
        ASSERT_FALSE(golden.isNull()) << "missing " << path.toStdString();
        EXPECT_EQ(golden.convertToFormat(QImage::Format_RGB32), image);
    }
}

}   // namespace
