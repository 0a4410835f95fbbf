#pragma once

#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

namespace pgx::launcher {

// A filled rectangle with an outline, drawn inside its bounds the way a
// shape control draws it: the pen's width lies wholly within the widget.
class RectangleShape : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int penWidth READ penWidth WRITE setPenWidth)
    Q_PROPERTY(QColor penColor READ penColor WRITE setPenColor)
    Q_PROPERTY(QColor brushColor READ brushColor WRITE setBrushColor)

public:
    explicit RectangleShape(QWidget *parent = nullptr);

    int penWidth() const { return m_penWidth; }
    void setPenWidth(int width);
    QColor penColor() const { return m_penColor; }
    void setPenColor(const QColor &color);
    QColor brushColor() const { return m_brushColor; }
    void setBrushColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_penWidth = 1;
    QColor m_penColor = Qt::black;
    QColor m_brushColor = Qt::white;
};

// A transparent label whose text may hold a lone carriage return (character
// 13) as its line break: text() keeps the caption exactly as set, and the
// break is drawn as one.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString shownText() const;
};

}   // namespace pgx::launcher
