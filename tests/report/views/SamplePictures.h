#pragma once

// Picture bytes of every kind, made here: raster ones by Qt's writers from
// a small drawn image (GIF by hand, Qt writes none), metafiles as minimal
// headers with an end record.
#include <QtCore/QBuffer>
#include <QtCore/QtEndian>
#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace pgx::test {

// 8 x 4 pixels: red left half, blue right half.
inline QImage sampleImage()
{
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter p(&image);
    p.fillRect(4, 0, 4, 4, Qt::blue);
    return image;
}

inline QByteArray encoded(const QImage &image, const char *format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

inline QByteArray sampleGif()
{
    // 1 x 1, one white pixel.
    static const unsigned char bytes[]
        = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0,  0,
           0,   ',', 0,   0,   0,   0,   1, 0, 1, 0, 0,    2, 2, 'D',  1,    0,    ';'};
    return QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes);
}

inline void putWord(QByteArray &d, int at, quint16 v)
{
    qToLittleEndian(v, d.data() + at);
}
inline void putDword(QByteArray &d, int at, quint32 v)
{
    qToLittleEndian(v, d.data() + at);
}

// A placeable metafile of 1 x 0.5 inch (96 x 48 pixels).
inline QByteArray sampleMetafile()
{
    QByteArray d(22 + 18 + 6, '\0');
    putDword(d, 0, 0x9AC6CDD7u);
    putWord(d, 10, 1440);   // right
    putWord(d, 12, 720);    // bottom
    putWord(d, 14, 1440);   // units per inch
    putWord(d, 22, 1);      // metafile type
    putWord(d, 24, 9);      // header words
    putWord(d, 26, 0x300);
    putDword(d, 28, (18 + 6) / 2);   // size in words
    putWord(d, 34, 3);               // largest record
    putDword(d, 40, 3);              // end record: 3 words, function 0
    return d;
}

// An enhanced metafile of 25.4 x 12.7 mm (96 x 48 pixels).
inline QByteArray sampleEnhancedMetafile()
{
    QByteArray d(108, '\0');
    putDword(d, 0, 1);   // header record
    putDword(d, 4, 100);
    putDword(d, 32, 2540);   // frame right, 0.01 mm
    putDword(d, 36, 1270);   // frame bottom
    d.replace(40, 4, " EMF");
    putDword(d, 48, 108);   // file size
    putDword(d, 100, 14);   // end record
    putDword(d, 104, 8);
    return d;
}

// The optional 8-byte header some streams carry before the picture.
inline QByteArray withStreamHeader(const QByteArray &picture)
{
    QByteArray header(8, '\0');
    putWord(header, 0, 1);
    putWord(header, 2, 256);
    putDword(header, 4, quint32(picture.size()));
    return header + picture;
}

}   // namespace pgx::test
