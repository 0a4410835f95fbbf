// The compiled-in image strips and the checks of their packing.

#include "report/resources/ImageStrips.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace pgx {
namespace {

TEST(ImageStrips, ImageStripsInflateIntoIconRows)
{
    const struct
    {
        const char *name;
        int size;
    } strips[] = {
        {"DesgnButtons", 16},
        {"ObjectButtons", 16},
        {"PreviewButtons", 16},
        {"WizardButtons", 32},
    };
    for (const auto &s : strips) {
        SCOPED_TRACE(s.name);
        const QImage strip = imageStrip(QString::fromLatin1(s.name));
        ASSERT_FALSE(strip.isNull());
        EXPECT_EQ(strip.height(), s.size);
        EXPECT_EQ(strip.width() % s.size, 0);
        const QImage icon = stripIcon(QString::fromLatin1(s.name), 0);
        EXPECT_EQ(icon.size(), QSize(s.size, s.size));
        EXPECT_TRUE(stripIcon(QString::fromLatin1(s.name), strip.width() / s.size).isNull());
        EXPECT_TRUE(stripIcon(QString::fromLatin1(s.name), -1).isNull());
    }
    EXPECT_TRUE(imageStrip(QStringLiteral("NoSuchButtons")).isNull());
}

QByteArray pack(const QByteArray &data, quint32 announced)
{
    uLongf length = compressBound(uLong(data.size()));
    QByteArray z(qsizetype(length), Qt::Uninitialized);
    compress(reinterpret_cast<Bytef *>(z.data()), &length,
             reinterpret_cast<const Bytef *>(data.constData()), uLong(data.size()));
    z.resize(qsizetype(length));
    QByteArray packed("PGXS");
    for (int i = 0; i < 4; ++i)
        packed.append(char((announced >> (8 * i)) & 0xFF));
    return packed + z;
}

TEST(ImageStrips, DamagedStripsAreRefused)
{
    const QByteArray data(1000, 'x');
    ASSERT_EQ(inflateStrip(pack(data, 1000)).value_or(QByteArray()), data);
    QByteArray flipped = pack(data, 1000);
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x55);
    const struct
    {
        const char *what;
        QByteArray packed;
    } cases[] = {
        {"announced larger", pack(data, 2000)},
        {"announced smaller", pack(data, 999)},
        {"cut short", pack(data, 1000).left(14)},
        {"damaged", flipped},
        {"no magic", "XXXX" + pack(data, 1000).mid(4)},
        {"too large", pack(data, 0xFFFFFFFF)},
        {"empty", QByteArray()},
    };
    for (const auto &c : cases) {
        QString error;
        EXPECT_FALSE(inflateStrip(c.packed, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
    }
}

}   // namespace
}   // namespace pgx
