#include "report/component/TpgxFont.h"

#include <atomic>
#include <cmath>

namespace {
std::atomic<int> gDefaultCharset{1};

// a * b / c rounded half away from zero, as the platform's MulDiv.
int mulDiv(int a, int b, int c)
{
    return int(std::lround(double(a) * b / c));
}
}   // namespace

TpgxFont::TpgxFont(QObject *parent)
    : QObject(parent), m_charset(defaultCharset()), m_height(pointsToHeight(10)),
      m_name(QStringLiteral("Arial"))
{ }

int TpgxFont::defaultCharset()
{
    return gDefaultCharset.load();
}
void TpgxFont::setDefaultCharset(int charset)
{
    gDefaultCharset.store(charset);
}

int TpgxFont::pointsToHeight(int points)
{
    return -mulDiv(points, kPixelsPerInch, 72);
}
int TpgxFont::heightToPoints(int height)
{
    return -mulDiv(height, 72, kPixelsPerInch);
}

void TpgxFont::setCharset(int value)
{
    m_charset = value;
    emit changed();
}

void TpgxFont::setColor(TColor value)
{
    m_color = value;
    emit changed();
}

void TpgxFont::setHeight(int value)
{
    m_height = value;
    emit changed();
}

void TpgxFont::setName(const QString &value)
{
    m_name = value;
    emit changed();
}

int TpgxFont::size() const
{
    return heightToPoints(m_height);
}

void TpgxFont::setSize(int points)
{
    m_height = pointsToHeight(points);
    emit changed();
}

void TpgxFont::setStyle(TpgxFontStyles value)
{
    m_style = value;
    emit changed();
}

void TpgxFont::assign(const TpgxFont &source)
{
    m_charset = source.m_charset;
    m_color = source.m_color;
    m_height = source.m_height;
    m_name = source.m_name;
    m_style = source.m_style;
    emit changed();
}

bool TpgxFont::operator==(const TpgxFont &other) const
{
    return m_charset == other.m_charset && m_color == other.m_color && m_height == other.m_height
        && m_name == other.m_name && m_style == other.m_style;
}
