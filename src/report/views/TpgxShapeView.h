#pragma once

#include "report/views/TpgxView.h"

// "Shape object": rectangle, rounded rectangle, ellipse, triangle, diamond
// or one of the two diagonals, outlined with the frame's pen and filled
// with Color (ShapeGeometry.h computes the outlines).
class TpgxShapeView : public TpgxView
{
    Q_OBJECT
    Q_PROPERTY(TpgxView::TpgxBrushStyle BrushStyle READ brushStyle WRITE setBrushStyle)
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(int Cursor READ cursor WRITE setCursor)
    Q_PROPERTY(int Curve READ curve WRITE setCurve)
    Q_PROPERTY(TpgxFrame *Frame READ frame)
    Q_PROPERTY(TpgxShapeView::TpgxShapeKind Shape READ shape WRITE setShape)
    Q_PROPERTY(QString TagStr READ tagStr WRITE setTagStr)
    Q_PROPERTY(QString URL READ url WRITE setUrl)
    Q_CLASSINFO("pgx:default:BrushStyle", "bsSolid")
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:default:Color", "536870911")
    Q_CLASSINFO("pgx:type:Cursor", "TCursor")
    Q_CLASSINFO("pgx:default:Cursor", "0")
    Q_CLASSINFO("pgx:default:Curve", "0")
    Q_CLASSINFO("pgx:default:Shape", "skRectangle")

public:
    enum TpgxShapeKind {
        skRectangle,
        skRoundRectangle,
        skEllipse,
        skTriangle,
        skDiamond,
        skDiagonal1,
        skDiagonal2
    };
    Q_ENUM(TpgxShapeKind)

    Q_INVOKABLE explicit TpgxShapeView(QObject *owner = nullptr);

    int curve() const { return m_curve; }
    void setCurve(int value) { m_curve = value; }
    TpgxShapeKind shape() const { return m_shape; }
    void setShape(TpgxShapeKind value) { m_shape = value; }

    // The shape instead of the view's fill and frame.
    void draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
              double offsetY) override;
    // The view's differences, then Shape.
    QString diffAttrs(const TpgxComponent *other) const override;

protected:
    // The designer passes the shape kind.
    void initInDesigner(int flags) override;

private:
    int m_curve = 0;
    TpgxShapeKind m_shape = skRectangle;
};
