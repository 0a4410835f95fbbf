#include "designer/workspace/TpgxDesignerWorkspace.h"

#include "designer/model/DesignerModel.h"
#include "platform/UserPrompts.h"
#include "report/bands/TpgxBand.h"
#include "report/component/Units.h"
#include "report/pages/TpgxPage.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxLineView.h"
#include "report/views/TpgxView.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include <algorithm>
#include <cmath>

namespace pgx::designer {

namespace {

constexpr QRgb kGridBase = 0xE8E8E8;   // every tenth millimetre line
constexpr QRgb kGridFive = 0xF8F8F8;   // every fifth, lighter
constexpr QRgb kBandOutline = 0x808080;
constexpr QRgb kDataCaption = 0xE0A030;   // the colour data bands' captions have
constexpr QRgb kScalingHandle = 0x008080;

const TpgxReportPage *reportPage(const DesignerModel &model)
{
    return qobject_cast<const TpgxReportPage *>(model.page());
}

bool isBand(const TpgxComponent *object)
{
    return qobject_cast<const TpgxBand *>(object);
}

ShapeKind shapeOf(const TpgxComponent &object)
{
    if (!qobject_cast<const TpgxCustomLineView *>(&object))
        return ShapeKind::Box;
    if (object.height() == 0)
        return ShapeKind::HorizontalLine;
    if (object.width() == 0)
        return ShapeKind::VerticalLine;
    return ShapeKind::DiagonalLine;
}

int handleSide(double scale)
{
    return scale < 0.7 ? 3 : scale <= 1.7 ? 5 : 7;
}

// The object carrying the scaling handle: the greatest right edge, then
// the greatest bottom.
const TpgxComponent *scalingObject(const QList<TpgxComponent *> &selected)
{
    if (selected.size() < 2)
        return nullptr;
    return *std::max_element(selected.cbegin(), selected.cend(), [](auto *a, auto *b) {
        const double ar = a->absLeft() + a->width(), br = b->absLeft() + b->width();
        const double ab = a->absTop() + a->height(), bb = b->absTop() + b->height();
        return ar < br || (ar == br && ab < bb);
    });
}

}   // namespace

TpgxDesignerWorkspace::TpgxDesignerWorkspace(DesignerModel &model, QWidget *parent)
    : QWidget(parent), m_model(model)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&model, &DesignerModel::modified, this, qOverload<>(&QWidget::update));
    connect(&model, &DesignerModel::selectionChanged, this, qOverload<>(&QWidget::update));
    connect(&model, &DesignerModel::reloaded, this, qOverload<>(&QWidget::update));
    resize(sizeHint());
}

QSize TpgxDesignerWorkspace::sizeHint() const
{
    const TpgxReportPage *page = reportPage(m_model);
    const double w = page ? page->paperWidth() * kPg01cm : 794;
    const double h = page ? page->paperHeight() * kPg01cm : 1123;
    return {int(std::ceil(w * m_scale)) + 1, int(std::ceil(h * m_scale)) + 1};
}

void TpgxDesignerWorkspace::setScale(double scale)
{
    m_scale = std::clamp(scale, 0.25, 20.0);
    resize(sizeHint());
    updateGeometry();
    update();
}

void TpgxDesignerWorkspace::setInsertion(const QString &className, QSizeF defaultSize)
{
    m_insertClass = className;
    m_insertSize = defaultSize;
    setCursor(className.isEmpty() ? Qt::ArrowCursor : Qt::CrossCursor);
}

QPointF TpgxDesignerWorkspace::pageOrigin() const
{
    const TpgxReportPage *page = reportPage(m_model);
    return page ? QPointF(page->leftMargin() * kPg01cm, page->topMargin() * kPg01cm) : QPointF();
}

QPointF TpgxDesignerWorkspace::toPage(QPointF p) const
{
    return p / m_scale - pageOrigin();
}

QPointF TpgxDesignerWorkspace::toWidget(QPointF p) const
{
    return (p + pageOrigin()) * m_scale;
}

QRectF TpgxDesignerWorkspace::pageRect(const TpgxComponent &object) const
{
    return {object.absLeft(), object.absTop(), object.width(), object.height()};
}

TpgxComponent *TpgxDesignerWorkspace::objectAt(QPointF p) const
{
    if (!m_model.page())
        return nullptr;
    const double caption = m_model.grid().captionHeight;
    const QList<TpgxComponent *> objects = m_model.page()->allObjects();
    // Views lie over the bands that hold them: they are tried first.
    for (int pass = 0; pass < 2; ++pass)
        for (auto it = objects.crbegin(); it != objects.crend(); ++it) {
            TpgxComponent *object = *it;
            if (isBand(object) != (pass == 1))
                continue;
            QRectF r = pageRect(*object);
            if (isBand(object))
                r.setTop(r.top() - caption);
            if (r.width() == 0)
                r.adjust(-4, 0, 4, 0);
            if (r.height() == 0)
                r.adjust(0, -4, 0, 4);
            if (r.contains(p))
                return object;
        }
    return nullptr;
}

TpgxBand *TpgxDesignerWorkspace::bandEdgeAt(QPointF p) const
{
    if (!m_model.page())
        return nullptr;
    for (TpgxComponent *object : m_model.page()->objects())
        if (auto *band = qobject_cast<TpgxBand *>(object); band && !band->vertical()) {
            const double bottom = band->absTop() + band->height();
            if (std::abs(p.y() - bottom) <= 2 && p.x() >= band->absLeft()
                && p.x() <= band->absLeft() + band->width())
                return band;
        }
    return nullptr;
}

// --- painting ---------------------------------------------------------------

void TpgxDesignerWorkspace::paintGrid(QPainter &painter) const
{
    const DesignerModel::Grid &grid = m_model.grid();
    const QPointF origin = pageOrigin() * m_scale;
    // Centimetre paper: a line every fifth and every tenth millimetre.
    const double mm = kPg01cm * m_scale;
    if (mm * 5 < 4)
        return;
    for (int i = 0;; ++i) {
        const double x = origin.x() + i * mm * 5;
        if (x > width())
            break;
        painter.setPen(QColor::fromRgb(i % 2 == 0 ? kGridBase : kGridFive));
        painter.drawLine(QPointF(x, 0), QPointF(x, height()));
    }
    for (int i = 0;; ++i) {
        const double y = origin.y() + i * mm * 5;
        if (y > height())
            break;
        painter.setPen(QColor::fromRgb(i % 2 == 0 ? kGridBase : kGridFive));
        painter.drawLine(QPointF(0, y), QPointF(width(), y));
    }
    Q_UNUSED(grid);
}

void TpgxDesignerWorkspace::paintBands(QPainter &painter) const
{
    const double caption = m_model.grid().captionHeight;
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    font.setPixelSize(std::max(6, int(std::lround(11 * m_scale))));
    painter.setFont(font);
    for (TpgxComponent *object : m_model.page()->objects()) {
        auto *band = qobject_cast<TpgxBand *>(object);
        if (!band)
            continue;
        const QRectF r(toWidget(QPointF(band->absLeft(), band->absTop() - caption)),
                       QSizeF(band->width(), band->height() + caption) * m_scale);
        const QRectF strip(r.topLeft(), QSizeF(r.width(), caption * m_scale));
        painter.fillRect(strip,
                         band->inherits("TpgxDataBand") ? QColor::fromRgb(kDataCaption)
                                                        : palette().button().color());
        painter.setPen(QColor::fromRgb(kBandOutline));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        painter.setPen(palette().buttonText().color());
        painter.drawText(strip.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         band->kindCaption() + QStringLiteral(": ") + band->name());
    }
}

void TpgxDesignerWorkspace::paintHandles(QPainter &painter) const
{
    const QList<TpgxComponent *> selected = m_model.selectedObjects();
    if (selected.isEmpty())
        return;
    const int side = handleSide(m_scale);
    // The bottom-right-most object carries the teal scaling handle.
    const TpgxComponent *scaling = nullptr;
    if (selected.size() > 1)
        scaling = *std::max_element(selected.cbegin(), selected.cend(), [this](auto *a, auto *b) {
            const QRectF ra = pageRect(*a), rb = pageRect(*b);
            return ra.right() < rb.right()
                || (ra.right() == rb.right() && ra.bottom() < rb.bottom());
        });
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const TpgxComponent *object : selected) {
        const QRectF r = pageRect(*object);
        QList<QPointF> points;
        switch (shapeOf(*object)) {
        case ShapeKind::Box:
            points = {r.topLeft(), r.bottomRight(), r.topRight(), r.bottomLeft()};
            if (selected.size() == 1)
                points += {QPointF(r.right(), r.center().y()), QPointF(r.left(), r.center().y()),
                           QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom())};
            break;
        default: points = {r.topLeft(), r.bottomRight()}; break;
        }
        for (const QPointF &p : points) {
            const QPointF at = toWidget(p);
            painter.fillRect(QRectF(at.x() - side / 2, at.y() - side / 2, side, side), Qt::white);
        }
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (scaling) {
        const QPointF at = toWidget(pageRect(*scaling).bottomRight());
        painter.fillRect(QRectF(at.x() - side / 2, at.y() - side / 2, side, side),
                         QColor::fromRgb(kScalingHandle));
    }
}

void TpgxDesignerWorkspace::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_model.page())
        return;
    paintGrid(painter);
    if (const TpgxReportPage *page = reportPage(m_model)) {
        const QRectF printable(
            toWidget({0, 0}),
            QSizeF(page->printableWidth() * kPg01cm,
                   (page->paperHeight() - page->topMargin() - page->bottomMargin()) * kPg01cm)
                * m_scale);
        painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1, Qt::DotLine));
        painter.drawRect(printable);
    }
    paintBands(painter);
    const QPointF origin = pageOrigin() * m_scale;
    for (TpgxComponent *object : m_model.page()->allObjects())
        if (auto *component = qobject_cast<TpgxReportComponent *>(object);
            component && !isBand(object)) {
            painter.save();
            component->draw(&painter, m_scale, m_scale, origin.x(), origin.y());
            painter.restore();
        }
    if (m_mode == Mode::Rubber) {
        painter.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        painter.drawRect(QRectF(toWidget(m_origin), toWidget(m_current)).normalized());
    }
    if (m_mode != Mode::Move && m_mode != Mode::Size)
        paintHandles(painter);
}

// --- the mouse --------------------------------------------------------------

void TpgxDesignerWorkspace::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_model.page())
        return;
    setFocus();
    const QPointF p = toPage(event->position());
    m_origin = m_current = p;
    m_start.clear();
    if (!m_insertClass.isEmpty()) {
        m_mode = Mode::Insert;
        return;
    }
    const QList<TpgxComponent *> selected = m_model.selectedObjects();
    if (selected.size() == 1) {
        const Handle handle = handleAt(pageRect(*selected.first()), p, shapeOf(*selected.first()));
        if (handle != Handle::None) {
            m_mode = Mode::Size;
            m_handle = handle;
            TpgxComponent *object = selected.first();
            m_start.insert(
                object, QRectF(object->left(), object->top(), object->width(), object->height()));
            return;
        }
    }
    if (const TpgxComponent *scaling = scalingObject(selected);
        scaling && handleAt(pageRect(*scaling), p, ShapeKind::Box, false) == Handle::BottomRight) {
        m_mode = Mode::Scale;
        m_scaleBounds = QRectF();
        for (TpgxComponent *object : selected) {
            m_scaleBounds = m_scaleBounds.isNull() ? pageRect(*object)
                                                   : m_scaleBounds.united(pageRect(*object));
            m_start.insert(object, pageRect(*object));
        }
        return;
    }
    if (TpgxBand *band = bandEdgeAt(p)) {
        m_mode = Mode::SizeBand;
        m_start.insert(band, QRectF(band->left(), band->top(), band->width(), band->height()));
        return;
    }
    TpgxComponent *hit = (event->modifiers() & Qt::ControlModifier) ? nullptr : objectAt(p);
    if (!hit) {
        m_model.select({m_model.page()});
        m_mode = Mode::Rubber;
        return;
    }
    QList<TpgxComponent *> selection = selected;
    if (event->modifiers() & Qt::ShiftModifier) {
        if (selection.contains(hit))
            selection.removeAll(hit);
        else
            selection << hit;
    } else if (!selection.contains(hit)) {
        selection = {hit};
    }
    m_model.select(selection);
    m_mode = Mode::Move;
    for (TpgxComponent *object : m_model.selectedObjects())
        m_start.insert(object,
                       QRectF(object->left(), object->top(), object->width(), object->height()));
}

void TpgxDesignerWorkspace::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = toPage(event->position());
    if (!(event->buttons() & Qt::LeftButton) || m_mode == Mode::None) {
        const QList<TpgxComponent *> selected = m_model.selectedObjects();
        const bool overHandle = selected.size() == 1
            && handleAt(pageRect(*selected.first()), p, shapeOf(*selected.first())) != Handle::None;
        if (m_insertClass.isEmpty())
            setCursor(overHandle          ? Qt::SizeAllCursor
                          : bandEdgeAt(p) ? Qt::SplitVCursor
                                          : Qt::ArrowCursor);
        return;
    }
    m_current = p;
    const DesignerModel::Grid &grid = m_model.grid();
    // Alt inverts aligning to the grid for this drag.
    const bool align = grid.align != bool(event->modifiers() & Qt::AltModifier);
    const QPointF offset = snappedOffset(p - m_origin, grid.stepX, grid.stepY, align);
    if (m_mode == Mode::Move) {
        for (auto it = m_start.cbegin(); it != m_start.cend(); ++it) {
            TpgxComponent *object = it.key();
            // An object whose band moves too follows the band down and up.
            const bool parentMoves = m_start.contains(object->parentComponent());
            object->setLeft(it->left() + offset.x());
            object->setTop(it->top() + (parentMoves ? 0 : offset.y()));
        }
    } else if (m_mode == Mode::Scale) {
        QList<TpgxComponent *> objects;
        QList<QRectF> starts;
        for (auto it = m_start.cbegin(); it != m_start.cend(); ++it) {
            objects << it.key();
            starts << *it;
        }
        const QList<QRectF> scaled = scaledRects(starts, m_scaleBounds, p);
        for (int i = 0; i < objects.size(); ++i) {
            // Page coordinates back into the object's parent.
            const TpgxComponent *parent = objects[i]->parentComponent();
            const bool inBand = isBand(parent);
            objects[i]->setBounds(scaled[i].left() - (inBand ? parent->absLeft() : 0),
                                  scaled[i].top() - (inBand ? parent->absTop() : 0),
                                  scaled[i].width(), scaled[i].height());
        }
    } else if (m_mode == Mode::SizeBand && !m_start.isEmpty()) {
        TpgxComponent *band = m_start.constBegin().key();
        // Never above the band's objects' bottoms.
        double lowest = 0;
        for (const TpgxComponent *child : band->objects())
            lowest = std::max(lowest, child->top() + child->height());
        band->setHeight(std::max({0.0, lowest, m_start.constBegin()->height() + offset.y()}));
    } else if (m_mode == Mode::Size && !m_start.isEmpty()) {
        TpgxComponent *object = m_start.constBegin().key();
        const SizedRect sized = sizeByHandle(*m_start.constBegin(), m_handle, offset,
                                             shapeOf(*object) != ShapeKind::Box);
        object->setBounds(sized.rect.left(), sized.rect.top(), sized.rect.width(),
                          sized.rect.height());
    }
    update();
}

void TpgxDesignerWorkspace::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Mode mode = std::exchange(m_mode, Mode::None);
    switch (mode) {
    case Mode::Move:
    case Mode::Size:
    case Mode::Scale:
    case Mode::SizeBand: {
        QHash<TpgxComponent *, QRectF> bounds;
        bool moved = false;
        for (auto it = m_start.cbegin(); it != m_start.cend(); ++it) {
            TpgxComponent *object = it.key();
            const QRectF now(object->left(), object->top(), object->width(), object->height());
            // Scaling keeps page rectangles as its starts.
            const QRectF was = mode == Mode::Scale ? pageRect(*object) : now;
            moved = moved || (mode == Mode::Scale ? was != *it : now != *it);
            const auto round8 = [](double v) { return std::round(v * 1e8) / 1e8; };
            bounds.insert(object,
                          QRectF(round8(now.left()), round8(now.top()), round8(now.width()),
                                 round8(now.height())));
        }
        if (moved)
            m_model.moveSize(bounds);
        break;
    }
    case Mode::Rubber: {
        const QRectF area = QRectF(m_origin, m_current).normalized();
        QList<TpgxComponent *> chosen;
        for (TpgxComponent *object : m_model.page()->allObjects())
            if (!isBand(object) && area.intersects(pageRect(*object).adjusted(0, 0, 0.01, 0.01)))
                chosen << object;
        m_model.select(chosen);
        break;
    }
    case Mode::Insert: {
        QRectF r = QRectF(m_origin, m_current);
        // A click rather than a drag: the class's own size.
        if (std::abs(r.width()) < 4 && std::abs(r.height()) < 4)
            r = QRectF(m_origin, m_insertSize);
        r = r.normalized();
        m_model.insertObject(m_insertClass, r);
        setInsertion({});
        break;
    }
    default: break;
    }
    m_start.clear();
    update();
}

// --- keys -------------------------------------------------------------------

void TpgxDesignerWorkspace::keyMove(Direction direction, Qt::KeyboardModifiers modifiers)
{
    const QList<TpgxComponent *> selected = m_model.selectedObjects();
    if (selected.isEmpty())
        return;
    const DesignerModel::Grid &grid = m_model.grid();
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool alt = modifiers & Qt::AltModifier;
    QHash<TpgxComponent *, QRectF> bounds;
    if (!ctrl && !shift && !alt) {
        // Select the nearest object that way.
        QList<TpgxComponent *> others;
        QList<QRectF> rects;
        for (TpgxComponent *object : m_model.page()->allObjects())
            if (!isBand(object) && object != selected.first()) {
                others << object;
                rects << pageRect(*object);
            }
        const int best = nearestInDirection(pageRect(*selected.first()), rects, direction);
        if (best >= 0)
            m_model.select({others[best]});
        return;
    }
    for (TpgxComponent *object : selected) {
        const QRectF own(object->left(), object->top(), object->width(), object->height());
        QRectF next = own;
        if (ctrl) {
            const double dx = shift ? grid.stepX : 1;
            const double dy = shift ? grid.stepY : 1;
            const QPointF d = direction == Direction::Left ? QPointF(-dx, 0)
                : direction == Direction::Right            ? QPointF(dx, 0)
                : direction == Direction::Up               ? QPointF(0, -dy)
                                                           : QPointF(0, dy);
            next.translate(d);
        } else if (shift) {
            next = resizedByStep(own, direction, grid.stepX, grid.stepY);
        } else if (alt && selected.size() == 1) {
            QList<QRectF> rects;
            for (TpgxComponent *other : m_model.page()->allObjects())
                if (!isBand(other) && other != object)
                    rects << pageRect(*other);
            const QPointF to = pushedPosition(pageRect(*object), rects, direction);
            next.translate(to - pageRect(*object).topLeft());
        }
        if (next != own)
            bounds.insert(object, next);
    }
    m_model.moveSize(bounds);
}

bool TpgxDesignerWorkspace::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Tab) {
        if (const QList<TpgxComponent *> selected = m_model.selectedObjects(); !selected.isEmpty())
            if (TpgxComponent *next = DesignerModel::nextByTab(*selected.first()))
                m_model.select({next});
        return true;
    }
    return QWidget::event(event);
}

void TpgxDesignerWorkspace::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
        if (const QString error = m_model.deleteSelection(); !error.isEmpty())
            pgx::UserPrompts::current().showMessage(pgx::UserPrompts::Kind::Error, error);
        return;
    case Qt::Key_Left: keyMove(Direction::Left, event->modifiers()); return;
    case Qt::Key_Right: keyMove(Direction::Right, event->modifiers()); return;
    case Qt::Key_Up: keyMove(Direction::Up, event->modifiers()); return;
    case Qt::Key_Down: keyMove(Direction::Down, event->modifiers()); return;
    case Qt::Key_Escape: setInsertion({}); return;
    default: QWidget::keyPressEvent(event);
    }
}

}   // namespace pgx::designer
