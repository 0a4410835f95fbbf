#pragma once

// The kinds of picture a view holds, told from the bytes themselves, and
// their decoding. Every header is checked against the data length before
// anything in it is believed: a damaged picture is an error text, never a
// read past the end.
#include <QtCore/QByteArray>
#include <QtCore/QSize>
#include <QtCore/QString>
#include <QtGui/QImage>

namespace pgx::views {

enum class PictureKind { None, Bitmap, Jpeg, Png, Gif, Icon, Metafile, EnhancedMetafile };

struct DetectedPicture
{
    PictureKind kind = PictureKind::None;
    // The graphic's own bytes, without the optional 8-byte header.
    QByteArray bytes;
    // Why the data is no picture (unknown kind, damaged header); empty when
    // it is one.
    QString error;
    bool ok() const { return error.isEmpty() && kind != PictureKind::None; }
};

// Skips the optional 8-byte header (words 1 and 256, then the size of what
// follows), then looks at the signature: "BM" bitmap, FF D8 JPEG, the PNG
// and GIF signatures, 9AC6CDD7 placeable metafile, " EMF" at offset 40 of
// an enhanced metafile's header, a 6-byte icon header with a type below 2.
DetectedPicture detectPicture(const QByteArray &data);

// The class name templates store a picture under ("TBitmap", "TJPEGImage",
// "TPngImage", "TGIFImage", "TIcon", "TMetafile"); empty for None.
QByteArray graphicClassName(PictureKind kind);

struct DecodedPicture
{
    // Raster pictures; null for metafiles, which are kept as bytes.
    QImage image;
    // The picture's own size in pixels (a metafile's from its header).
    QSize size;
    QString error;
};

// Decodes raster kinds through Qt's image readers; metafiles only give
// their size (they are drawn as a placeholder).
DecodedPicture decodePicture(const DetectedPicture &picture);

}   // namespace pgx::views
