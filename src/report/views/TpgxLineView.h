#pragma once

#include "report/views/TpgxView.h"

// The line objects: a line that is not diagonal is drawn as one side of a
// frame (vertical when it is no wider than high, else horizontal); a
// diagonal one from corner to corner. Either may carry arrow heads. The
// model's Width, Height and Frame.Typ stay as they are: only the drawing
// takes the line's shape.
class TpgxCustomLineView : public TpgxStretcheable
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit TpgxCustomLineView(QObject *owner = nullptr);

    bool arrowEnd() const { return m_arrowEnd; }
    void setArrowEnd(bool value) { m_arrowEnd = value; }
    int arrowLength() const { return m_arrowLength; }
    void setArrowLength(int value) { m_arrowLength = value; }
    bool arrowSolid() const { return m_arrowSolid; }
    void setArrowSolid(bool value) { m_arrowSolid = value; }
    bool arrowStart() const { return m_arrowStart; }
    void setArrowStart(bool value) { m_arrowStart = value; }
    int arrowWidth() const { return m_arrowWidth; }
    void setArrowWidth(int value) { m_arrowWidth = value; }
    bool diagonal() const { return m_diagonal; }
    void setDiagonal(bool value) { m_diagonal = value; }

    void draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
              double offsetY) override;

protected:
    // The designer's kinds: 0 a straight line, 1 a diagonal, 2 with an
    // arrow at the end, 3 at the start, 4 at both.
    void initInDesigner(int kind) override;

private:
    void drawArrow(QPoint tip, QPoint tail);

    bool m_arrowEnd = false;
    int m_arrowLength = 20;
    bool m_arrowSolid = false;
    bool m_arrowStart = false;
    int m_arrowWidth = 5;
    bool m_diagonal = false;
};

// "Line object".
class TpgxLineView : public TpgxCustomLineView
{
    Q_OBJECT
    Q_PROPERTY(QString TagStr READ tagStr WRITE setTagStr)
    Q_PROPERTY(bool ArrowEnd READ arrowEnd WRITE setArrowEnd)
    Q_PROPERTY(int ArrowLength READ arrowLength WRITE setArrowLength)
    Q_PROPERTY(bool ArrowSolid READ arrowSolid WRITE setArrowSolid)
    Q_PROPERTY(bool ArrowStart READ arrowStart WRITE setArrowStart)
    Q_PROPERTY(int ArrowWidth READ arrowWidth WRITE setArrowWidth)
    Q_PROPERTY(TpgxFrame *Frame READ frame)
    Q_PROPERTY(bool Diagonal READ diagonal WRITE setDiagonal)
    Q_CLASSINFO("pgx:default:ArrowEnd", "False")
    Q_CLASSINFO("pgx:default:ArrowLength", "20")
    Q_CLASSINFO("pgx:default:ArrowSolid", "False")
    Q_CLASSINFO("pgx:default:ArrowStart", "False")
    Q_CLASSINFO("pgx:default:ArrowWidth", "5")
    Q_CLASSINFO("pgx:default:Diagonal", "False")

public:
    Q_INVOKABLE explicit TpgxLineView(QObject *owner = nullptr);
};
