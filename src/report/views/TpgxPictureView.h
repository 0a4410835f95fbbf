#pragma once

#include "report/component/TpgxPicture.h"
#include "report/views/PictureKind.h"
#include "report/views/TpgxView.h"

#include <functional>

// "Picture object": a bitmap, JPEG, PNG, GIF or icon drawn through Qt's
// image readers, or a metafile kept byte for byte and drawn as a framed
// placeholder of the size its header gives. The stored form is the
// TpgxPicture (Picture.PropData); the decoded image follows every change
// of it. A picture that is damaged or of no known kind is an entry in the
// report's error list and leaves the picture empty.
class TpgxPictureView : public TpgxView
{
    Q_OBJECT
    Q_PROPERTY(int Cursor READ cursor WRITE setCursor)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool Center READ center WRITE setCenter)
    Q_PROPERTY(QString DataField READ dataField WRITE setDataField)
    Q_PROPERTY(TpgxDataSet *DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString DataSetName READ dataSetName WRITE setDataSetName)
    Q_PROPERTY(TpgxFrame *Frame READ frame)
    Q_PROPERTY(QString FileLink READ fileLink WRITE setFileLink)
    Q_PROPERTY(int ImageIndex READ imageIndex WRITE setImageIndex)
    Q_PROPERTY(bool KeepAspectRatio READ keepAspectRatio WRITE setKeepAspectRatio)
    Q_PROPERTY(TpgxPicture *Picture READ picture)
    Q_PROPERTY(bool Stretched READ stretched WRITE setStretched)
    Q_PROPERTY(QString TagStr READ tagStr WRITE setTagStr)
    Q_PROPERTY(QString URL READ url WRITE setUrl)
    Q_CLASSINFO("pgx:type:Cursor", "TCursor")
    Q_CLASSINFO("pgx:default:Cursor", "0")
    Q_CLASSINFO("pgx:default:AutoSize", "False")
    Q_CLASSINFO("pgx:default:Center", "False")
    Q_CLASSINFO("pgx:stored:ImageIndex", "imageIndexIsStored")
    Q_CLASSINFO("pgx:default:KeepAspectRatio", "True")
    Q_CLASSINFO("pgx:stored:Picture", "pictureIsStored")
    Q_CLASSINFO("pgx:default:Stretched", "True")

public:
    Q_INVOKABLE explicit TpgxPictureView(QObject *owner = nullptr);

    bool autoSize() const { return m_autoSize; }
    // Setting it with a picture loaded sizes the view to the picture.
    void setAutoSize(bool value);
    bool center() const { return m_center; }
    void setCenter(bool value) { m_center = value; }
    QString fileLink() const { return m_fileLink; }
    void setFileLink(const QString &value) { m_fileLink = value; }
    int imageIndex() const { return m_imageIndex; }
    void setImageIndex(int value) { m_imageIndex = value; }
    bool keepAspectRatio() const { return m_keepAspectRatio; }
    void setKeepAspectRatio(bool value) { m_keepAspectRatio = value; }
    TpgxPicture *picture() const { return const_cast<TpgxPicture *>(&m_picture); }
    bool stretched() const { return m_stretched; }
    void setStretched(bool value) { m_stretched = value; }

    // A prepared copy whose picture lives in the prepared report's picture
    // cache stores ImageIndex instead of the picture.
    bool inPictureCache() const { return m_inPictureCache; }
    void setInPictureCache(bool value) { m_inPictureCache = value; }
    Q_INVOKABLE bool imageIndexIsStored() const { return m_inPictureCache; }
    Q_INVOKABLE bool pictureIsStored() const { return !m_inPictureCache; }

    // The decoded picture: its kind, its size in pixels and (for raster
    // kinds) the image.
    pgx::views::PictureKind pictureKind() const { return m_kind; }
    QSize pictureSize() const { return m_size; }
    const QImage &image() const { return m_image; }

    // Takes picture bytes of any known kind (with or without the 8-byte
    // header); false, with the reason in the report's error list, when they
    // are no picture (the picture is then empty).
    bool loadFromData(const QByteArray &data);
    // Reads the file (LoadFromFile for scripts); a file that cannot be read
    // is an error as above.
    bool loadFromFile(const QString &fileName);

    // FileLink (a file name) or the bound binary field.
    void fetchData() override;

    // Fill, picture, frame.
    void draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
              double offsetY) override;

    // The view's differences and always ImageIndex. A picture changed since
    // the last call first goes to the picture cache (the hook), which gives
    // it its index.
    QString diffAttrs(const TpgxComponent *other) const override;
    // The prepared report's picture cache: takes a picture, answers its
    // index. Installed by the layer that owns prepared pages.
    using PictureCacheHook = std::function<int(const TpgxPicture &)>;
    static void setPictureCacheHook(PictureCacheHook hook);

private:
    void pictureChanged();
    void reportError(const QString &reason);

    bool m_autoSize = false;
    bool m_center = false;
    QString m_fileLink;
    mutable int m_imageIndex = 0;
    bool m_keepAspectRatio = true;
    TpgxPicture m_picture{this};
    bool m_stretched = true;
    bool m_inPictureCache = false;

    pgx::views::PictureKind m_kind = pgx::views::PictureKind::None;
    QSize m_size;
    QImage m_image;
    mutable bool m_pictureChanged = false;
    bool m_clearing = false;
};
