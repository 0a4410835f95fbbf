#include "report/resources/ImageStrips.h"

#include <QtCore/QFile>
#include <QtCore/QHash>
#include <QtCore/QMutex>

#include <zlib.h>

#include <algorithm>

static void initImageStripResources()
{
    // Resources compiled into a static library are registered by hand.
    Q_INIT_RESOURCE(image_strips);
}

namespace pgx {

namespace {

struct StripInfo
{
    const char *name;
    int iconSize;
};
constexpr StripInfo kStrips[] = {
    {"DesgnButtons", 16},
    {"ObjectButtons", 16},
    {"PreviewButtons", 16},
    {"WizardButtons", 32},
};

constexpr qsizetype kMaxStripSize = 16 * 1024 * 1024;
constexpr char kStripMagic[4] = {'P', 'G', 'X', 'S'};

QImage loadStrip(const StripInfo &strip)
{
    initImageStripResources();
    QImage image;
    QFile file(QStringLiteral(":/pagoryn/strips/%1.pgxs").arg(QLatin1String(strip.name)));
    if (file.open(QIODevice::ReadOnly))
        if (const auto bytes = inflateStrip(file.readAll()))
            image = QImage::fromData(*bytes, "BMP");
    return image.height() == strip.iconSize ? image : QImage();
}

}   // namespace

std::optional<QByteArray> inflateStrip(QByteArrayView packed, QString *error)
{
    const auto fail = [error](const QString &message) -> std::optional<QByteArray> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (packed.size() < 8 || !std::equal(kStripMagic, kStripMagic + 4, packed.data()))
        return fail(QStringLiteral("not an image strip"));
    const auto *p = reinterpret_cast<const uchar *>(packed.data());
    const quint32 size
        = quint32(p[4]) | quint32(p[5]) << 8 | quint32(p[6]) << 16 | quint32(p[7]) << 24;
    if (size == 0 || size > kMaxStripSize)
        return fail(QStringLiteral("image strip of an invalid size"));

    QByteArray out(qsizetype(size), Qt::Uninitialized);
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return fail(QStringLiteral("zlib cannot start"));
    zs.next_in = const_cast<Bytef *>(p + 8);
    zs.avail_in = uInt(packed.size() - 8);
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(size);
    const int status = inflate(&zs, Z_FINISH);
    const uLong produced = zs.total_out;
    inflateEnd(&zs);
    // Z_STREAM_END with every byte produced: anything else is a damaged
    // stream (Z_DATA_ERROR), one that stops early (Z_BUF_ERROR) or one
    // holding more than announced (output full before the end).
    if (status != Z_STREAM_END || produced != size)
        return fail(QStringLiteral("damaged image strip (zlib status %1)").arg(status));
    return out;
}

QImage imageStrip(const QString &name)
{
    static QMutex lock;
    static QHash<QString, QImage> strips;
    QMutexLocker locker(&lock);
    if (auto it = strips.constFind(name); it != strips.cend())
        return *it;
    QImage image;
    for (const StripInfo &strip : kStrips)
        if (name == QLatin1String(strip.name))
            image = loadStrip(strip);
    strips.insert(name, image);
    return image;
}

QImage stripIcon(const QString &name, int index)
{
    const QImage strip = imageStrip(name);
    const int size = strip.height();
    if (strip.isNull() || index < 0 || size <= 0 || index >= strip.width() / size)
        return {};
    return strip.copy(index * size, 0, size, size);
}

}   // namespace pgx
