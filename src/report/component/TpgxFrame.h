#pragma once

#include "report/component/Units.h"

#include <QtCore/QObject>

class TpgxFrame;

// One side of a frame. Each value is stored only where it differs from the
// owning frame's, so a frame whose sides all follow it writes nothing for
// them.
class TpgxFrameLine : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(TpgxFrameLine::TpgxFrameStyle Style READ style WRITE setStyle)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:stored:Color", "colorIsStored")
    Q_CLASSINFO("pgx:stored:Style", "styleIsStored")
    Q_CLASSINFO("pgx:stored:Width", "widthIsStored")

public:
    enum TpgxFrameStyle { fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble };
    Q_ENUM(TpgxFrameStyle)

    explicit TpgxFrameLine(TpgxFrame *frame = nullptr);

    TColor color() const { return m_color; }
    void setColor(TColor value) { m_color = value; }
    TpgxFrameStyle style() const { return m_style; }
    void setStyle(TpgxFrameStyle value) { m_style = value; }
    double width() const { return m_width; }
    void setWidth(double value) { m_width = value; }

    Q_INVOKABLE bool colorIsStored() const;
    Q_INVOKABLE bool styleIsStored() const;
    Q_INVOKABLE bool widthIsStored() const;

    bool operator==(const TpgxFrameLine &other) const;

private:
    TpgxFrame *m_frame;
    TColor m_color = kClBlack;
    TpgxFrameStyle m_style = fsSolid;
    double m_width = 1;
};

// The frame of a view or a style: which sides are drawn (Typ: 1 left,
// 2 right, 4 top, 8 bottom), their colour, style and width, and a shadow.
// Setting the frame's Color, Style or Width sets all four lines.
class TpgxFrame : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(bool DropShadow READ dropShadow WRITE setDropShadow)
    Q_PROPERTY(int ShadowColor READ shadowColor WRITE setShadowColor)
    Q_PROPERTY(double ShadowWidth READ shadowWidth WRITE setShadowWidth)
    Q_PROPERTY(TpgxFrameLine::TpgxFrameStyle Style READ style WRITE setStyle)
    Q_PROPERTY(TpgxFrame::TpgxFrameTypes Typ READ typ WRITE setTyp)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_PROPERTY(TpgxFrameLine *LeftLine READ leftLine)
    Q_PROPERTY(TpgxFrameLine *TopLine READ topLine)
    Q_PROPERTY(TpgxFrameLine *RightLine READ rightLine)
    Q_PROPERTY(TpgxFrameLine *BottomLine READ bottomLine)
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:type:ShadowColor", "TColor")
    Q_CLASSINFO("pgx:default:Color", "0")
    Q_CLASSINFO("pgx:default:DropShadow", "False")
    Q_CLASSINFO("pgx:default:ShadowColor", "0")
    Q_CLASSINFO("pgx:stored:ShadowWidth", "shadowWidthIsStored")
    Q_CLASSINFO("pgx:default:Style", "fsSolid")
    Q_CLASSINFO("pgx:default:Typ", "")
    Q_CLASSINFO("pgx:stored:Width", "widthIsStored")

public:
    enum TpgxFrameType { ftLeft = 1 << 0, ftRight = 1 << 1, ftTop = 1 << 2, ftBottom = 1 << 3 };
    Q_DECLARE_FLAGS(TpgxFrameTypes, TpgxFrameType)
    Q_FLAG(TpgxFrameTypes)

    explicit TpgxFrame(QObject *parent = nullptr);

    TColor color() const { return m_color; }
    void setColor(TColor value);
    bool dropShadow() const { return m_dropShadow; }
    void setDropShadow(bool value) { m_dropShadow = value; }
    TColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(TColor value) { m_shadowColor = value; }
    double shadowWidth() const { return m_shadowWidth; }
    void setShadowWidth(double value) { m_shadowWidth = value; }
    TpgxFrameLine::TpgxFrameStyle style() const { return m_style; }
    void setStyle(TpgxFrameLine::TpgxFrameStyle value);
    TpgxFrameTypes typ() const { return m_typ; }
    void setTyp(TpgxFrameTypes value) { m_typ = value; }
    double width() const { return m_width; }
    void setWidth(double value);
    TpgxFrameLine *leftLine() const { return const_cast<TpgxFrameLine *>(&m_left); }
    TpgxFrameLine *topLine() const { return const_cast<TpgxFrameLine *>(&m_top); }
    TpgxFrameLine *rightLine() const { return const_cast<TpgxFrameLine *>(&m_right); }
    TpgxFrameLine *bottomLine() const { return const_cast<TpgxFrameLine *>(&m_bottom); }

    Q_INVOKABLE bool shadowWidthIsStored() const;
    Q_INVOKABLE bool widthIsStored() const;

    void assign(const TpgxFrame &source);
    bool operator==(const TpgxFrame &other) const;

private:
    TColor m_color = kClBlack;
    bool m_dropShadow = false;
    TColor m_shadowColor = kClBlack;
    double m_shadowWidth = 4;
    TpgxFrameLine::TpgxFrameStyle m_style = TpgxFrameLine::fsSolid;
    TpgxFrameTypes m_typ;
    double m_width = 1;
    TpgxFrameLine m_left{this};
    TpgxFrameLine m_top{this};
    TpgxFrameLine m_right{this};
    TpgxFrameLine m_bottom{this};
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TpgxFrame::TpgxFrameTypes)
