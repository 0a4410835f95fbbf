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
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TpgxFrameLine::TpgxFrameStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:stored:Color", "ColorIsStored")
    Q_CLASSINFO("pgx:stored:Style", "StyleIsStored")
    Q_CLASSINFO("pgx:stored:Width", "WidthIsStored")

public:
    enum TpgxFrameStyle { fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble };
    Q_ENUM(TpgxFrameStyle)

    explicit TpgxFrameLine(TpgxFrame *frame = nullptr);

    TColor Color() const { return m_color; }
    void SetColor(TColor value) { m_color = value; }
    TpgxFrameStyle Style() const { return m_style; }
    void SetStyle(TpgxFrameStyle value) { m_style = value; }
    double Width() const { return m_width; }
    void SetWidth(double value) { m_width = value; }

    Q_INVOKABLE bool ColorIsStored() const;
    Q_INVOKABLE bool StyleIsStored() const;
    Q_INVOKABLE bool WidthIsStored() const;

    bool operator==(const TpgxFrameLine &other) const;

private:
    TpgxFrame *m_frame;
    TColor m_color = clBlack;
    TpgxFrameStyle m_style = fsSolid;
    double m_width = 1;
};

// The frame of a view or a style: which sides are drawn (Typ: 1 left,
// 2 right, 4 top, 8 bottom), their colour, style and width, and a shadow.
// Setting the frame's Color, Style or Width sets all four lines.
class TpgxFrame : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(bool DropShadow READ DropShadow WRITE SetDropShadow)
    Q_PROPERTY(int ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(double ShadowWidth READ ShadowWidth WRITE SetShadowWidth)
    Q_PROPERTY(TpgxFrameLine::TpgxFrameStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(TpgxFrame::TpgxFrameTypes Typ READ Typ WRITE SetTyp)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_PROPERTY(TpgxFrameLine *LeftLine READ LeftLine)
    Q_PROPERTY(TpgxFrameLine *TopLine READ TopLine)
    Q_PROPERTY(TpgxFrameLine *RightLine READ RightLine)
    Q_PROPERTY(TpgxFrameLine *BottomLine READ BottomLine)
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:type:ShadowColor", "TColor")
    Q_CLASSINFO("pgx:default:Color", "0")
    Q_CLASSINFO("pgx:default:DropShadow", "False")
    Q_CLASSINFO("pgx:default:ShadowColor", "0")
    Q_CLASSINFO("pgx:stored:ShadowWidth", "ShadowWidthIsStored")
    Q_CLASSINFO("pgx:default:Style", "fsSolid")
    Q_CLASSINFO("pgx:default:Typ", "")
    Q_CLASSINFO("pgx:stored:Width", "WidthIsStored")

public:
    enum TpgxFrameType { ftLeft = 1 << 0, ftRight = 1 << 1, ftTop = 1 << 2, ftBottom = 1 << 3 };
    Q_DECLARE_FLAGS(TpgxFrameTypes, TpgxFrameType)
    Q_FLAG(TpgxFrameTypes)

    explicit TpgxFrame(QObject *parent = nullptr);

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    bool DropShadow() const { return m_dropShadow; }
    void SetDropShadow(bool value) { m_dropShadow = value; }
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor value) { m_shadowColor = value; }
    double ShadowWidth() const { return m_shadowWidth; }
    void SetShadowWidth(double value) { m_shadowWidth = value; }
    TpgxFrameLine::TpgxFrameStyle Style() const { return m_style; }
    void SetStyle(TpgxFrameLine::TpgxFrameStyle value);
    TpgxFrameTypes Typ() const { return m_typ; }
    void SetTyp(TpgxFrameTypes value) { m_typ = value; }
    double Width() const { return m_width; }
    void SetWidth(double value);
    TpgxFrameLine *LeftLine() const { return const_cast<TpgxFrameLine *>(&m_left); }
    TpgxFrameLine *TopLine() const { return const_cast<TpgxFrameLine *>(&m_top); }
    TpgxFrameLine *RightLine() const { return const_cast<TpgxFrameLine *>(&m_right); }
    TpgxFrameLine *BottomLine() const { return const_cast<TpgxFrameLine *>(&m_bottom); }

    Q_INVOKABLE bool ShadowWidthIsStored() const;
    Q_INVOKABLE bool WidthIsStored() const;

    void Assign(const TpgxFrame &source);
    bool operator==(const TpgxFrame &other) const;

private:
    TColor m_color = clBlack;
    bool m_dropShadow = false;
    TColor m_shadowColor = clBlack;
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
