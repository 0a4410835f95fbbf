#include "report/views/TpgxPictureView.h"

#include "report/component/DiffText.h"
#include "report/root/TpgxReport.h"
#include "report/views/FramePainter.h"
#include "report/views/ShapeGeometry.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QPainter>

#include <mutex>

namespace {

// Larger picture files are refused rather than read whole.
constexpr qint64 kMaxPictureFile = qint64(256) << 20;

std::mutex &hookMutex()
{
    static std::mutex m;
    return m;
}

TpgxPictureView::PictureCacheHook &cacheHook()
{
    static TpgxPictureView::PictureCacheHook hook;
    return hook;
}

// A framed box with its diagonals: what a metafile (and, in the designer,
// an empty picture) shows.
void drawPlaceholder(QPainter *painter, const QRect &r)
{
    if (r.width() < 2 || r.height() < 2)
        return;
    painter->setPen(pgx::views::makePen(0x808080, 1, TpgxFrameLine::fsSolid));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
    painter->drawLine(QPointF(r.left() + 0.5, r.top() + 0.5),
                      QPointF(r.right() + 0.5, r.bottom() + 0.5));
    painter->drawLine(QPointF(r.left() + 0.5, r.bottom() + 0.5),
                      QPointF(r.right() + 0.5, r.top() + 0.5));
}

}   // namespace

TpgxPictureView::TpgxPictureView(QObject *owner) : TpgxView(owner)
{
    setColor(kClWhite);
    connect(&m_picture, &TpgxPicture::changed, this, &TpgxPictureView::pictureChanged);
}

void TpgxPictureView::setAutoSize(bool value)
{
    m_autoSize = value;
    if (m_autoSize && m_size.isValid() && !m_size.isEmpty()) {
        setWidth(m_size.width());
        setHeight(m_size.height());
    }
}

// Decodes the stored bytes; damaged ones are reported and cleared (which
// comes back here once, with nothing to decode).
void TpgxPictureView::pictureChanged()
{
    m_pictureChanged = true;
    m_kind = pgx::views::PictureKind::None;
    m_size = QSize();
    m_image = QImage();
    if (m_picture.isEmpty() || m_clearing)
        return;
    const pgx::views::DetectedPicture detected = pgx::views::detectPicture(m_picture.graphicData());
    QString problem = detected.error;
    pgx::views::DecodedPicture decoded;
    if (problem.isEmpty()) {
        decoded = pgx::views::decodePicture(detected);
        problem = decoded.error;
    }
    if (!problem.isEmpty()) {
        reportError(problem);
        m_clearing = true;
        m_picture.clear();
        m_clearing = false;
        return;
    }
    m_kind = detected.kind;
    m_size = decoded.size;
    m_image = decoded.image;
    setAutoSize(m_autoSize);
}

void TpgxPictureView::reportError(const QString &reason)
{
    const QString text
        = (name().isEmpty() ? QStringLiteral("Picture") : name()) + QStringLiteral(": ") + reason;
    if (TpgxReport *owner = report())
        owner->addError(text);
}

bool TpgxPictureView::loadFromData(const QByteArray &data)
{
    const pgx::views::DetectedPicture detected = pgx::views::detectPicture(data);
    if (!detected.ok()) {
        reportError(detected.error);
        m_picture.clear();
        return false;
    }
    m_picture.setGraphic(pgx::views::graphicClassName(detected.kind), detected.bytes);
    return !m_picture.isEmpty();
}

// ### Files named by a template or a script go through the access policy
// once it exists; for now only the size is capped.
bool TpgxPictureView::loadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || file.size() > kMaxPictureFile
        || !file.open(QIODevice::ReadOnly)) {
        reportError(QStringLiteral("Cannot read picture file \"%1\"").arg(fileName));
        m_picture.clear();
        return false;
    }
    return loadFromData(file.readAll());
}

void TpgxPictureView::fetchData()
{
    TpgxView::fetchData();
    if (!m_fileLink.isEmpty()) {
        // ### Bracketed expressions in FileLink are evaluated through the
        // report's calculation entry, which comes with the engine; a plain
        // file name works now.
        if (m_fileLink.contains(QLatin1Char('[')))
            return;
        if (QFileInfo(m_fileLink).isFile())
            loadFromFile(m_fileLink);
        else
            m_picture.clear();
        return;
    }
    if (isBound() && dataSet()->isBlobField(dataField())) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        dataSet()->readBlobInto(dataField(), &buffer);
        loadFromData(buffer.data());
    }
}

void TpgxPictureView::setPictureCacheHook(PictureCacheHook hook)
{
    std::lock_guard lock(hookMutex());
    cacheHook() = std::move(hook);
}

QString TpgxPictureView::diffAttrs(const TpgxComponent *other) const
{
    if (m_pictureChanged) {
        PictureCacheHook hook;
        {
            std::lock_guard lock(hookMutex());
            hook = cacheHook();
        }
        if (hook) {
            m_imageIndex = hook(m_picture);
            m_pictureChanged = false;
        }
    }
    QString out = TpgxView::diffAttrs(other);
    pgx::diff::appendAttr(out, QLatin1String("ImageIndex"), QString::number(m_imageIndex));
    return out;
}

void TpgxPictureView::draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                           double offsetY)
{
    prepareDrawing(canvas, scaleX, scaleY, offsetX, offsetY);
    fillBackground();
    const pgx::views::DeviceBox &b = deviceBox();
    if (m_kind != pgx::views::PictureKind::None) {
        const pgx::views::PicturePlacement place = pgx::views::placePicture(
            b, m_size, scaleX, scaleY, m_stretched, m_keepAspectRatio, m_center);
        canvas->save();
        if (place.clip)
            canvas->setClipRect(QRect(QPoint(b.x, b.y), QPoint(b.x1 - 1, b.y1 - 1)),
                                Qt::IntersectClip);
        if (m_image.isNull())
            drawPlaceholder(canvas, place.target);
        else
            canvas->drawImage(place.target, m_image);
        canvas->restore();
    } else if (isDesigning()) {
        drawPlaceholder(canvas, QRect(b.x + 1, b.y + 2, 16, 16));
    }
    strokeFrame();
}
