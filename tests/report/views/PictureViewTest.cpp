// Picture views: kind detection (with the optional stream header), every
// header checked against the data, damaged pictures as errors and empty
// pictures, AutoSize, files and the stored form.
#include "report/views/PictureKind.h"
#include "report/views/SamplePictures.h"
#include "report/views/TpgxPictureView.h"
#include "report/views/ViewTestSupport.h"

#include "persist/serializer/PropData.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtCore/QTemporaryDir>

using pgx::views::PictureKind;
using namespace pgx::test;

namespace {

TEST(PictureKind, DetectsEveryKindWithOrWithoutTheStreamHeader)
{
    ensureGuiApplication();
    struct Case
    {
        const char *what;
        QByteArray bytes;
        PictureKind kind;
        QSize size;
    };
    const QImage image = sampleImage();
    const Case cases[] = {
        {"bmp", encoded(image, "bmp"), PictureKind::Bitmap, {8, 4}},
        {"jpeg", encoded(image, "jpeg"), PictureKind::Jpeg, {8, 4}},
        {"png", encoded(image, "png"), PictureKind::Png, {8, 4}},
        {"gif", sampleGif(), PictureKind::Gif, {1, 1}},
        {"ico", encoded(image, "ico"), PictureKind::Icon, {8, 4}},
        {"wmf", sampleMetafile(), PictureKind::Metafile, {96, 48}},
        {"emf", sampleEnhancedMetafile(), PictureKind::EnhancedMetafile, {96, 48}},
        {"png after the header", withStreamHeader(encoded(image, "png")), PictureKind::Png, {8, 4}},
        {"wmf after the header",
         withStreamHeader(sampleMetafile()),
         PictureKind::Metafile,
         {96, 48}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const pgx::views::DetectedPicture d = pgx::views::detectPicture(c.bytes);
        EXPECT_TRUE(d.ok()) << d.error.toStdString();
        EXPECT_EQ(d.kind, c.kind);
        const pgx::views::DecodedPicture decoded = pgx::views::decodePicture(d);
        EXPECT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
        EXPECT_EQ(decoded.size, c.size);
        EXPECT_EQ(decoded.image.isNull(),
                  c.kind == PictureKind::Metafile || c.kind == PictureKind::EnhancedMetafile);
    }
    // A header whose size does not match is not skipped: the data is
    // looked at as it is (and is then no picture).
    QByteArray wrong = withStreamHeader(encoded(image, "png"));
    putDword(wrong, 4, 5);
    EXPECT_FALSE(pgx::views::detectPicture(wrong).ok());
}

TEST(PictureKind, DamagedHeadersAreErrorsNotReads)
{
    ensureGuiApplication();
    const QImage image = sampleImage();
    QByteArray bmpInfoTooLong = encoded(image, "bmp");
    putDword(bmpInfoTooLong, 14, 100000);
    QByteArray bmpBitsOutside = encoded(image, "bmp");
    putDword(bmpBitsOutside, 10, 0xFFFFFFF0u);
    QByteArray wmfTooLong = sampleMetafile();
    putDword(wmfTooLong, 28, 1000);
    QByteArray wmfNoUnits = sampleMetafile();
    putWord(wmfNoUnits, 14, 0);
    QByteArray emfTooLong = sampleEnhancedMetafile();
    putDword(emfTooLong, 48, 5000);
    QByteArray iconTooMany = encoded(image, "ico");
    putWord(iconTooMany, 4, 500);
    struct Case
    {
        const char *what;
        QByteArray bytes;
        bool detected;   // the header passed; decoding then fails
    };
    const Case cases[] = {
        {"empty", QByteArray(), false},
        {"unknown", QByteArray("hello, world"), false},
        {"bmp cut short", QByteArray("BM\x10\x00"), false},
        {"bmp info header past the end", bmpInfoTooLong, false},
        {"bmp bits past the end", bmpBitsOutside, false},
        {"wmf cut short", sampleMetafile().left(30), false},
        {"wmf longer than its data", wmfTooLong, false},
        {"wmf without units", wmfNoUnits, false},
        {"emf cut short", sampleEnhancedMetafile().left(60), false},
        {"emf longer than its data", emfTooLong, false},
        {"icon directory past the end", iconTooMany, false},
        {"png cut short", encoded(image, "png").left(40), true},
        {"jpeg cut short", encoded(image, "jpeg").left(20), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const pgx::views::DetectedPicture d = pgx::views::detectPicture(c.bytes);
        EXPECT_EQ(d.ok(), c.detected) << d.error.toStdString();
        if (d.ok()) {
            EXPECT_FALSE(pgx::views::decodePicture(d).error.isEmpty());
        }
    }
}

TEST(PictureView, ADamagedPictureIsAnErrorAndAnEmptyPicture)
{
    ensureGuiApplication();
    ViewReport r;
    auto *view = new TpgxPictureView(r.band);
    view->setName(QStringLiteral("Picture1"));
    EXPECT_TRUE(view->loadFromData(encoded(sampleImage(), "png")));
    EXPECT_EQ(view->pictureKind(), PictureKind::Png);

    EXPECT_FALSE(view->loadFromData(QByteArray("hello")));
    EXPECT_TRUE(view->picture()->isEmpty());
    EXPECT_EQ(view->pictureKind(), PictureKind::None);
    EXPECT_EQ(r.report.errors(), QStringList{"Picture1: unknown picture format"});

    // Bytes that pass detection but do not decode, set straight on the
    // stored picture.
    r.report.clearErrors();
    view->picture()->setGraphic("TPngImage", encoded(sampleImage(), "png").left(40));
    EXPECT_TRUE(view->picture()->isEmpty());
    ASSERT_EQ(r.report.errors().size(), 1);
    EXPECT_TRUE(r.report.errors().first().startsWith(QLatin1String("Picture1: damaged picture")));
}

QByteArray templateWithPicture(const QByteArray &pictureBytes)
{
    pgx::persist::PropDataWriter writer;
    QByteArray entry;
    entry.append(char(9));
    entry.append("TPngImage");
    entry.append(pictureBytes);
    writer.writeBinary("Data", entry);
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                             "<TpgxReport Name=\"\">\r\n"
                             "<TpgxReportPage Name=\"Page1\">\r\n"
                             "<TpgxPictureView Name=\"Picture1\" Left=\"0\" Top=\"0\" "
                             "Width=\"10\" Height=\"10\" Picture.PropData=\"")
        + pgx::persist::propDataToHex(writer.data())
        + QByteArrayLiteral("\"/>\r\n</TpgxReportPage>\r\n</TpgxReport>\r\n");
}

TEST(PictureView, ADamagedPictureInATemplateLoadsAsAnError)
{
    ensureGuiApplication();
    pgx::registerReportClasses();
    for (const bool damaged : {false, true}) {
        SCOPED_TRACE(damaged);
        QByteArray png = encoded(sampleImage(), "png");
        if (damaged)
            png.truncate(40);
        QBuffer in;
        in.setData(templateWithPicture(png));
        in.open(QIODevice::ReadOnly);
        TpgxReport report;
        report.loadFromStream(&in);
        auto *view = qobject_cast<TpgxPictureView *>(report.findObject(QStringLiteral("Picture1")));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->picture()->isEmpty(), damaged);
        EXPECT_EQ(report.errors().size(), damaged ? 1 : 0)
            << report.errors().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(view->pictureSize(), damaged ? QSize() : QSize(8, 4));
    }
}

TEST(PictureView, AutoSizeFollowsEveryChangeOfThePicture)
{
    ensureGuiApplication();
    TpgxPictureView view;
    view.setBounds(0, 0, 50, 50);
    view.setAutoSize(true);
    EXPECT_EQ(view.width(), 50);   // nothing loaded yet
    view.loadFromData(encoded(sampleImage(), "png"));
    EXPECT_EQ(view.width(), 8);
    EXPECT_EQ(view.height(), 4);
    view.loadFromData(sampleMetafile());
    EXPECT_EQ(view.width(), 96);
    EXPECT_EQ(view.height(), 48);
    // Switching AutoSize on sizes at once.
    TpgxPictureView other;
    other.loadFromData(sampleGif());
    other.setAutoSize(true);
    EXPECT_EQ(other.width(), 1);
}

TEST(PictureView, FileLinkLoadsAnExistingFileAndClearsOtherwise)
{
    ensureGuiApplication();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("logo.png"));
    ASSERT_TRUE(sampleImage().save(path));
    TpgxPictureView view;
    view.setFileLink(path);
    view.fetchData();
    EXPECT_EQ(view.pictureKind(), PictureKind::Png);
    EXPECT_EQ(view.picture()->graphicClass(), QByteArray("TPngImage"));
    view.setFileLink(dir.filePath(QStringLiteral("missing.png")));
    view.fetchData();
    EXPECT_TRUE(view.picture()->isEmpty());
    EXPECT_TRUE(view.loadFromFile(path));
    EXPECT_FALSE(view.loadFromFile(dir.path()));
    EXPECT_TRUE(view.picture()->isEmpty());
}

TEST(PictureView, DiffAttrsAlwaysCarriesTheImageIndexFromTheCache)
{
    ensureGuiApplication();
    TpgxPictureView a;
    TpgxPictureView b;
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" ImageIndex=\"0\""));
    int cached = 0;
    TpgxPictureView::setPictureCacheHook([&](const TpgxPicture &) { return 10 + cached++; });
    a.loadFromData(sampleGif());
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" ImageIndex=\"10\""));
    // Unchanged since: the cache is not asked again.
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" ImageIndex=\"10\""));
    EXPECT_EQ(cached, 1);
    TpgxPictureView::setPictureCacheHook({});
}

}   // namespace
