#include "report/component/TpgxFrame.h"

#include <cmath>

namespace {
bool sameFloat(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}
}   // namespace

TpgxFrameLine::TpgxFrameLine(TpgxFrame *frame) : QObject(frame), m_frame(frame) { }

// A line of no frame has nothing to follow: all of it is stored.
bool TpgxFrameLine::colorIsStored() const
{
    return !m_frame || m_color != m_frame->color();
}
bool TpgxFrameLine::styleIsStored() const
{
    return !m_frame || m_style != m_frame->style();
}
bool TpgxFrameLine::widthIsStored() const
{
    return !m_frame || !sameFloat(m_width, m_frame->width());
}

bool TpgxFrameLine::operator==(const TpgxFrameLine &other) const
{
    return m_color == other.m_color && m_style == other.m_style
        && sameFloat(m_width, other.m_width);
}

TpgxFrame::TpgxFrame(QObject *parent) : QObject(parent) { }

void TpgxFrame::setColor(TColor value)
{
    m_color = value;
    for (TpgxFrameLine *line : {&m_left, &m_top, &m_right, &m_bottom})
        line->setColor(value);
}

void TpgxFrame::setStyle(TpgxFrameLine::TpgxFrameStyle value)
{
    m_style = value;
    for (TpgxFrameLine *line : {&m_left, &m_top, &m_right, &m_bottom})
        line->setStyle(value);
}

void TpgxFrame::setWidth(double value)
{
    m_width = value;
    for (TpgxFrameLine *line : {&m_left, &m_top, &m_right, &m_bottom})
        line->setWidth(value);
}

bool TpgxFrame::shadowWidthIsStored() const
{
    return !sameFloat(m_shadowWidth, 4);
}
bool TpgxFrame::widthIsStored() const
{
    return !sameFloat(m_width, 1);
}

void TpgxFrame::assign(const TpgxFrame &source)
{
    if (&source == this)
        return;
    m_color = source.m_color;
    m_dropShadow = source.m_dropShadow;
    m_shadowColor = source.m_shadowColor;
    m_shadowWidth = source.m_shadowWidth;
    m_style = source.m_style;
    m_typ = source.m_typ;
    m_width = source.m_width;
    const TpgxFrameLine *from[]
        = {&source.m_left, &source.m_top, &source.m_right, &source.m_bottom};
    TpgxFrameLine *to[] = {&m_left, &m_top, &m_right, &m_bottom};
    for (int i = 0; i < 4; ++i) {
        to[i]->setColor(from[i]->color());
        to[i]->setStyle(from[i]->style());
        to[i]->setWidth(from[i]->width());
    }
}

bool TpgxFrame::operator==(const TpgxFrame &other) const
{
    return m_color == other.m_color && m_dropShadow == other.m_dropShadow
        && m_shadowColor == other.m_shadowColor && sameFloat(m_shadowWidth, other.m_shadowWidth)
        && m_style == other.m_style && m_typ == other.m_typ && sameFloat(m_width, other.m_width)
        && m_left == other.m_left && m_top == other.m_top && m_right == other.m_right
        && m_bottom == other.m_bottom;
}
