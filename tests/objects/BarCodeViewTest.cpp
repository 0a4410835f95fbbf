// The barcode view: sizing by the symbol (rotation, Zoom, HAlign), the
// message instead of bars, what a template keeps, and the layout of the
// human-readable text and the rotations.
#include "meta/ClassRegistry.h"
#include "objects/RegisterObjects.h"
#include "objects/barcode/SymbolLayout.h"
#include "objects/barcode/TpgxBarCodeView.h"
#include "platform/Error.h"
#include "report/views/ViewTestSupport.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtGui/QImage>
#include <QtGui/QPainter>

using namespace pgx::test;
using T = TpgxBarcodeTypes;

namespace {

// Makes the lasting application before the view report could make its own.
struct LastingApplication
{
    LastingApplication() { ensureGuiApplication(); }
};

struct BarcodeReport : LastingApplication, ViewReport
{
    BarcodeReport() { pgx::registerObjectClasses(); }
    TpgxBarCodeView *add(TpgxBarcodeType type, const char *text)
    {
        auto *v = new TpgxBarCodeView(band);
        v->setName(QStringLiteral("BarCode%1").arg(band->objects().size()));
        v->setBounds(100, 10, 50, 60);
        v->setBarType(type);
        v->setText(QString::fromUtf8(text));
        return v;
    }
};

TEST(BarCodeView, sizesItselfToTheSymbol)
{
    struct Case
    {
        TpgxBarcodeType type;
        const char *text;
        bool checksum;
        int rotation;
        double zoom;
        TpgxBarCodeView::TpgxHAlign align;
        double left, width, height;   // after sizing; was 100, 50 x 60
    };
    const Case cases[] = {
        {T::bcCodeEAN13, "590123412345", true, 0, 1, TpgxBarCodeView::haLeft, 100, 95, 60},
        {T::bcCodeEAN8, "1234567", true, 0, 1, TpgxBarCodeView::haLeft, 100, 67, 60},
        {T::bcCodeEAN13, "123", false, 0, 0, TpgxBarCodeView::haLeft, 100, 95, 60},   // Zoom 0 is 1
        {T::bcCodeEAN13, "123", false, 0, 2, TpgxBarCodeView::haRight, 100 - 140, 190, 60},
        {T::bcCodeEAN13, "123", false, 0, 1, TpgxBarCodeView::haCenter, 100 - 22.5, 95, 60},
        // Rotated, the height takes the length and the width stays.
        {T::bcCodeEAN13, "123", false, 90, 1, TpgxBarCodeView::haLeft, 100, 50, 95},
        {T::bcCodeEAN13, "123", false, 270, 1.5, TpgxBarCodeView::haLeft, 100, 50, 142.5},
        // The error keeps the size of "12345678" in the symbology.
        {T::bcCodeEAN13, "12AB", false, 0, 1, TpgxBarCodeView::haLeft, 100, 95, 60},
        // Matrix symbols: modules and quiet zone both ways (QR version 1: 21).
        {T::bcCodeQR, "1", false, 0, 2, TpgxBarCodeView::haLeft, 100, 58, 58},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " rotation " + std::to_string(c.rotation));
        BarcodeReport r;
        TpgxBarCodeView *v = r.add(c.type, c.text);
        v->setCalcCheckSum(c.checksum);
        v->setRotation(c.rotation);
        v->setZoom(c.zoom);
        v->setHAlign(c.align);
        v->updateSize();
        EXPECT_DOUBLE_EQ(v->left(), c.left);
        EXPECT_DOUBLE_EQ(v->width(), c.width);
        EXPECT_DOUBLE_EQ(v->height(), c.height);
    }
}

TEST(BarCodeView, encodedTextAndMessages)
{
    struct Case
    {
        TpgxBarcodeType type;
        const char *text;
        bool checksum;
        const char *encoded;
        const char *message;
    };
    const Case cases[] = {
        {T::bcCodeEAN13, "590123412345", true, "5901234123457", ""},
        {T::bcCodeEAN13, "5901A", false, "5901A", "Barcode must be numeric"},
        {T::bcCode39, "lower", false, "lower", "TpgxBarcode:Code39 bad Data <lower>"},
        {T::bcCodeQR, "", false, "", "TpgxBarcode:QR bad Data <>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        BarcodeReport r;
        TpgxBarCodeView *v = r.add(c.type, c.text);
        v->setCalcCheckSum(c.checksum);
        EXPECT_EQ(v->updateSize(), QString::fromUtf8(c.message));
        EXPECT_EQ(v->encodedText(), QString::fromUtf8(c.encoded));
        EXPECT_EQ(v->text(), QString::fromUtf8(c.text));   // the model's text stays
    }
}

int countPixels(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

TEST(BarCodeView, aTextThatCannotBeEncodedIsDrawnInRedInsteadOfBars)
{
    BarcodeReport r;
    TpgxBarCodeView *v = r.add(T::bcCodeEAN13, "not a number");
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    v->draw(&p, 2, 2, -100, 0);
    p.end();
    EXPECT_GT(countPixels(image, qRgb(255, 0, 0)), 50);
    EXPECT_EQ(countPixels(image, qRgb(0, 0, 0)), 0);

    v->setText(QStringLiteral("123"));
    image.fill(Qt::white);
    QPainter again(&image);
    v->draw(&again, 2, 2, -100, 0);
    again.end();
    EXPECT_EQ(countPixels(image, qRgb(255, 0, 0)), 0);
    EXPECT_GT(countPixels(image, qRgb(0, 0, 0)), 1000);
}

TEST(BarCodeView, FetchesItsTextFromTheFieldOrTheExpression)
{
    BarcodeReport r;
    TpgxReport::setCalcHook([](TpgxReport &, const QString &e) {
        if (e != QLatin1String("<Code>"))
            throw pgx::Error(QStringLiteral("unknown"));
        return QVariant(QStringLiteral("4006381333931"));
    });
    TpgxBarCodeView *v = r.add(T::bcCodeEAN13, "123");
    v->setExpression(QStringLiteral("<Code>"));
    v->fetchData();
    EXPECT_EQ(v->text(), QStringLiteral("4006381333931"));
    v->setExpression(QStringLiteral("<Nope>"));
    EXPECT_THROW(v->fetchData(), pgx::Error);
    v->setExpression(QString());   // no expression: the text stays
    v->setText(QStringLiteral("42"));
    v->fetchData();
    EXPECT_EQ(v->text(), QStringLiteral("42"));
    TpgxReport::setCalcHook({});
}

TEST(BarCodeView, templateKeepsWhatDiffersFromTheDefaults)
{
    BarcodeReport r;
    TpgxBarCodeView *v = r.add(T::bcCodeQR, "ABC");
    v->setErrorLevel(T::elHigh);
    v->setRotation(90);
    v->setShowText(false);
    v->setZoom(1.5);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    v->saveToStream(&buffer);
    const QString saved = QString::fromUtf8(buffer.data());
    for (const char *attr : {"BarType=\"bcCodeQR\"", "ErrorLevel=\"elHigh\"", "Rotation=\"90\"",
                             "ShowText=\"False\"", "Text=\"ABC\"", "Zoom=\"1.5\""})
        EXPECT_TRUE(saved.contains(QString::fromLatin1(attr)))
            << attr << " in " << saved.toStdString();
    for (const char *attr : {"CalcCheckSum", "HAlign", "QuietZone", "Expression"})
        EXPECT_FALSE(saved.contains(QString::fromLatin1(attr))) << attr;

    auto *copy = qobject_cast<TpgxBarCodeView *>(
        pgx::ClassRegistry::create(QStringLiteral("TpgxBarCodeView"), r.band));
    ASSERT_NE(copy, nullptr);
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    copy->loadFromStream(&buffer);
    EXPECT_EQ(copy->barType(), T::bcCodeQR);
    EXPECT_EQ(copy->errorLevel(), T::elHigh);
    EXPECT_EQ(copy->rotation(), 90);
    EXPECT_FALSE(copy->showText());
    EXPECT_DOUBLE_EQ(copy->zoom(), 1.5);
    EXPECT_EQ(copy->kindCaption(), QStringLiteral("Barcode object"));
}

TEST(SymbolLayout, rotationsAndTextPieces)
{
    using namespace pgx::barcode;
    LinearOptions o;
    o.checksum = true;
    const LinearSymbol s = encodeLinear(T::bcCodeEAN8, QStringLiteral("1234567"), o);
    const auto width = [](const QString &t) { return 6.0 * t.size(); };
    struct Case
    {
        int angle;
        QSizeF device;
        QSizeF image;
        QRectF firstBar;   // the left guard's first bar
    };
    const Case cases[] = {
        {0, QSizeF(134, 100), QSizeF(67, 50), QRectF(0, 0, 1, 43)},
        {90, QSizeF(100, 134), QSizeF(50, 67), QRectF(0, 66, 43, 1)},
        {180, QSizeF(134, 100), QSizeF(67, 50), QRectF(66, 7, 1, 43)},
        {270, QSizeF(100, 134), QSizeF(50, 67), QRectF(7, 0, 43, 1)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.angle);
        const SymbolLayout l = layOutLinear(s, T::bcCodeEAN8, c.angle, true, c.device, width);
        EXPECT_EQ(l.image, c.image);
        ASSERT_FALSE(l.bars.empty());
        EXPECT_EQ(l.bars.front(), c.firstBar);
        ASSERT_EQ(l.pieces.size(), 2u);
        EXPECT_EQ(l.pieces[0].text, QStringLiteral("1234"));
        EXPECT_EQ(l.pieces[1].text, QStringLiteral("5670"));
        EXPECT_EQ(l.pieces[0].strip, QRectF(3, 34, 28, 16));
        EXPECT_EQ(l.pieces[1].strip, QRectF(35, 34, 29, 16));
    }
    // PostNet's short bars stand on the baseline.
    const LinearSymbol post = encodeLinear(T::bcCodePostNet, QStringLiteral("1"), LinearOptions());
    const SymbolLayout l = layOutLinear(post, T::bcCodePostNet, 0, false, QSizeF(19, 20), width);
    EXPECT_EQ(l.bars[0], QRectF(0, 0, 1, 20));   // the tall start bar
    EXPECT_EQ(l.bars[1], QRectF(3, 12, 1, 8));   // a short bar, 2/5 high, at the bottom
}

}   // namespace
