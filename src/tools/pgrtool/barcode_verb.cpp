// pgrtool barcode: one symbol to a PNG file, for checking a symbology
// without a report.
#include "verb.h"

#include "objects/barcode/BarcodeType.h"
#include "objects/barcode/SymbolLayout.h"
#include "objects/barcode/SymbolPainter.h"
#include "platform/Error.h"

#include <QtCore/QMetaEnum>
#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace pgx::tool {

namespace {

constexpr int kQuietModules = 10;

int runBarcode(VerbContext &ctx)
{
    QStringList positional;
    QString output;
    int zoom = 3;
    int rotation = 0;
    bool checksum = false;
    for (int i = 0; i < ctx.args.size(); ++i) {
        const QString &a = ctx.args[i];
        bool ok = true;
        if (a == QLatin1String("-o") && i + 1 < ctx.args.size())
            output = ctx.args[++i];
        else if (a == QLatin1String("--zoom") && i + 1 < ctx.args.size())
            zoom = ctx.args[++i].toInt(&ok);
        else if (a == QLatin1String("--rotation") && i + 1 < ctx.args.size())
            rotation = ctx.args[++i].toInt(&ok);
        else if (a == QLatin1String("--checksum"))
            checksum = true;
        else
            positional << a;
        if (!ok || zoom < 1 || zoom > 50) {
            ctx.err << "barcode: bad value for " << a << "\n";
            return ExitUsage;
        }
    }
    if (positional.size() != 2 || output.isEmpty()) {
        ctx.err << "usage: pgrtool barcode TYPE TEXT -o OUT.png [--zoom N] [--rotation N] "
                   "[--checksum]\n";
        return ExitUsage;
    }
    const QMetaEnum types = QMetaEnum::fromType<TpgxBarcodeTypes::TpgxBarcodeType>();
    bool known = false;
    const auto type = TpgxBarcodeType(types.keyToValue(positional[0].toLatin1().constData(), &known));
    if (!known) {
        ctx.err << "barcode: unknown type " << positional[0] << "\n";
        return ExitUsage;
    }
    try {
        using namespace pgx::barcode;
        SymbolLayout layout;
        QSizeF device;
        if (isMatrixType(type)) {
            layout = layOutMatrix(encodeMatrix(type, positional[1], TpgxBarcodeTypes::elMedium),
                                  4, rotation);
            device = layout.image * zoom;
        } else {
            LinearOptions o;
            o.checksum = checksum;
            const LinearSymbol s = encodeLinear(type, positional[1], o);
            const QSizeF along(s.width * zoom, 60.0 * zoom);
            device = quarterTurn(rotation) % 180 != 0 ? along.transposed() : along;
            layout = layOutLinear(s, type, rotation, true, device, humanReadableWidth);
        }
        const int m = kQuietModules * zoom;
        QImage image(int(device.width()) + 2 * m, int(device.height()) + 2 * m,
                     QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        paintSymbol(p, layout, QRectF(QPointF(m, m), device), kClBlack, kClWhite);
        p.end();
        if (!image.save(output, "PNG")) {
            ctx.err << "Cannot write file \"" << output << "\".\n";
            return ExitInputFault;
        }
    } catch (const pgx::Error &e) {
        ctx.err << e.message() << "\n";
        return ExitInputFault;
    }
    return ExitOk;
}

}   // namespace

extern const Verb kBarcodeVerb = {
    "barcode", "draw one barcode symbol to a PNG file",
    "pgrtool barcode TYPE TEXT -o OUT.png [--zoom N] [--rotation N] [--checksum]\n"
    "  TYPE is a barcode type name such as bcCodeEAN13 or bcCodeQR; the symbol is\n"
    "  drawn with a quiet zone, N device pixels a module (default 3). A text the\n"
    "  symbology cannot encode exits 1 with its message.\n",
    runBarcode};

}   // namespace pgx::tool
