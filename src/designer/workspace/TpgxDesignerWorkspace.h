#pragma once

#include "designer/workspace/DragMath.h"

#include <QtCore/QHash>
#include <QtCore/QPointF>
#include <QtCore/QRectF>
#include <QtWidgets/QWidget>

class TpgxBand;
class TpgxComponent;

namespace pgx::designer {

class DesignerModel;

// The page being designed, painted at the zoom: paper and margins, the
// grid, bands with their captions, the objects through their own drawing,
// and the selection's handles. Mouse and keys select, move, size, scale,
// insert and delete; the arithmetic is DragMath's and the changes go
// through the model, one undo step per gesture.
class TpgxDesignerWorkspace : public QWidget
{
    Q_OBJECT

public:
    explicit TpgxDesignerWorkspace(DesignerModel &model, QWidget *parent = nullptr);

    double scale() const { return m_scale; }
    void setScale(double scale);
    // The next click inserts an object of `className` (its default size for
    // a plain click, the dragged rectangle otherwise); an empty name ends
    // insertion.
    void setInsertion(const QString &className, QSizeF defaultSize = {96, 18.9});
    const QString &insertion() const { return m_insertClass; }

    // Report units on the page (the printable area's corner is 0, 0) of a
    // point of the widget, and back.
    QPointF toPage(QPointF widgetPoint) const;
    QPointF toWidget(QPointF pagePoint) const;
    // The topmost object under a page point (a band also by its caption);
    // null for none.
    TpgxComponent *objectAt(QPointF pagePoint) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Tab moves the selection instead of the focus.
    bool event(QEvent *event) override;

private:
    enum class Mode { None, Move, Size, Scale, SizeBand, Rubber, Insert };

    QPointF pageOrigin() const;   // of the printable area, in report units from the paper corner
    QRectF pageRect(const TpgxComponent &object) const;
    // The band whose bottom edge lies within 2 units of a page point.
    TpgxBand *bandEdgeAt(QPointF pagePoint) const;
    void paintGrid(QPainter &painter) const;
    void paintBands(QPainter &painter) const;
    void paintHandles(QPainter &painter) const;
    void keyMove(Direction direction, Qt::KeyboardModifiers modifiers);

    DesignerModel &m_model;
    double m_scale = 1;
    Mode m_mode = Mode::None;
    Handle m_handle = Handle::None;
    QPointF m_origin;
    QPointF m_current;
    // The selected objects' bounds when the drag began (own coordinates).
    QHash<TpgxComponent *, QRectF> m_start;
    QRectF m_scaleBounds;
    QString m_insertClass;
    QSizeF m_insertSize;
};

}   // namespace pgx::designer
