#include "report/views/PictureKind.h"

#include <QtCore/QBuffer>
#include <QtGui/QImageReader>

#include <cmath>
#include <type_traits>

namespace pgx::views {

namespace {

// Byte by byte: the callers have checked the length, and GCC cannot see
// that through an unaligned load.
template<typename T>
T littleEndian(const QByteArray &d, qsizetype at)
{
    using U = std::make_unsigned_t<T>;
    U value = 0;
    for (qsizetype i = qsizetype(sizeof(T)) - 1; i >= 0; --i)
        value = U((value << 8) | uchar(d.at(at + i)));
    return T(value);
}
quint16 word(const QByteArray &d, qsizetype at)
{
    return littleEndian<quint16>(d, at);
}
qint16 sword(const QByteArray &d, qsizetype at)
{
    return littleEndian<qint16>(d, at);
}
quint32 dword(const QByteArray &d, qsizetype at)
{
    return littleEndian<quint32>(d, at);
}
qint32 sdword(const QByteArray &d, qsizetype at)
{
    return littleEndian<qint32>(d, at);
}

DetectedPicture damaged(PictureKind kind, const char *why)
{
    DetectedPicture p;
    p.kind = kind;
    p.error = QString::fromLatin1(why);
    return p;
}

// The header checks of each kind; nothing beyond `d.size()` is read.
QString checkHeader(PictureKind kind, const QByteArray &d)
{
    const qsizetype n = d.size();
    switch (kind) {
    case PictureKind::Bitmap: {
        // File header (14 bytes) and at least the old 12-byte info header.
        if (n < 26)
            return QStringLiteral("bitmap header cut short");
        const quint32 infoSize = dword(d, 14);
        const quint32 bitsOffset = dword(d, 10);
        if (infoSize < 12 || 14 + qint64(infoSize) > n || bitsOffset >= quint32(n))
            return QStringLiteral("bitmap header does not fit the data");
        return {};
    }
    case PictureKind::Metafile: {
        // 22-byte placeable header, then the 18-byte metafile header whose
        // size (in 16-bit words) must fit the data.
        if (n < 40)
            return QStringLiteral("metafile header cut short");
        if (word(d, 14) == 0)
            return QStringLiteral("metafile header without units");
        if (qint64(dword(d, 22 + 6)) * 2 > n - 22)
            return QStringLiteral("metafile longer than its data");
        return {};
    }
    case PictureKind::EnhancedMetafile: {
        if (n < 100)
            return QStringLiteral("enhanced metafile header cut short");
        if (qint64(dword(d, 48)) > n)
            return QStringLiteral("enhanced metafile longer than its data");
        return {};
    }
    case PictureKind::Icon: {
        const quint16 count = word(d, 4);
        if (count == 0 || 6 + 16 * qint64(count) > n)
            return QStringLiteral("icon directory does not fit the data");
        return {};
    }
    default: return {};
    }
}

}   // namespace

DetectedPicture detectPicture(const QByteArray &data)
{
    QByteArray d = data;
    if (d.size() >= 8 && word(d, 0) == 1 && word(d, 2) == 256
        && dword(d, 4) == quint32(d.size() - 8))
        d = d.mid(8);

    PictureKind kind = PictureKind::None;
    if (d.startsWith("BM"))
        kind = PictureKind::Bitmap;
    else if (d.startsWith("\xFF\xD8"))
        kind = PictureKind::Jpeg;
    else if (d.startsWith("\x89PNG\r\n\x1A\n"))
        kind = PictureKind::Png;
    else if (d.startsWith("GIF87a") || d.startsWith("GIF89a"))
        kind = PictureKind::Gif;
    else if (d.size() >= 4 && dword(d, 0) == 0x9AC6CDD7u)
        kind = PictureKind::Metafile;
    else if (d.size() >= 44 && d.mid(40, 4) == " EMF")
        kind = PictureKind::EnhancedMetafile;
    else if (d.size() >= 6 && word(d, 2) < 2)
        kind = PictureKind::Icon;
    if (kind == PictureKind::None)
        return damaged(kind, "unknown picture format");
    const QString problem = checkHeader(kind, d);
    if (!problem.isEmpty()) {
        DetectedPicture p;
        p.kind = kind;
        p.error = problem;
        return p;
    }
    DetectedPicture p;
    p.kind = kind;
    p.bytes = d;
    return p;
}

QByteArray graphicClassName(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Bitmap: return "TBitmap";
    case PictureKind::Jpeg: return "TJPEGImage";
    case PictureKind::Png: return "TPngImage";
    case PictureKind::Gif: return "TGIFImage";
    case PictureKind::Icon: return "TIcon";
    case PictureKind::Metafile:
    case PictureKind::EnhancedMetafile: return "TMetafile";
    case PictureKind::None: break;
    }
    return {};
}

DecodedPicture decodePicture(const DetectedPicture &picture)
{
    DecodedPicture out;
    const QByteArray &d = picture.bytes;
    switch (picture.kind) {
    case PictureKind::Metafile: {
        // Bounds in metafile units, `inch` of them to the inch.
        const int w = sword(d, 10) - sword(d, 6);
        const int h = sword(d, 12) - sword(d, 8);
        const double inch = word(d, 14);
        out.size = QSize(int(std::lround(std::abs(w) * 96.0 / inch)),
                         int(std::lround(std::abs(h) * 96.0 / inch)));
        return out;
    }
    case PictureKind::EnhancedMetafile: {
        // The frame rectangle, in hundredths of a millimetre.
        const qint64 w = qint64(sdword(d, 32)) - sdword(d, 24);
        const qint64 h = qint64(sdword(d, 36)) - sdword(d, 28);
        out.size = QSize(int(std::llround(std::abs(double(w)) * 96.0 / 2540.0)),
                         int(std::llround(std::abs(double(h)) * 96.0 / 2540.0)));
        return out;
    }
    case PictureKind::None: out.error = QStringLiteral("unknown picture format"); return out;
    default: break;
    }
    static const char *const formats[] = {"", "bmp", "jpeg", "png", "gif", "ico"};
    QBuffer buffer;
    buffer.setData(d);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formats[int(picture.kind)]);
    reader.setDecideFormatFromContent(false);
    // Pictures beyond this size (in pixels) are refused rather than decoded
    // into gigabytes of memory.
    constexpr qint64 kMaxPixels = qint64(1) << 28;
    const QSize announced = reader.size();
    if (announced.isValid() && qint64(announced.width()) * announced.height() > kMaxPixels) {
        out.error = QStringLiteral("picture too large");
        return out;
    }
    out.image = reader.read();
    if (out.image.isNull()) {
        out.error = QStringLiteral("damaged picture: ") + reader.errorString();
        return out;
    }
    out.size = out.image.size();
    return out;
}

}   // namespace pgx::views
