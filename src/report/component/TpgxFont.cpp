#include "report/component/TpgxFont.h"

#include <atomic>
#include <cmath>

namespace {
std::atomic<int> g_defaultCharset{1};

// a * b / c rounded half away from zero, as the platform's MulDiv.
int mulDiv(int a, int b, int c)
{
    return int(std::lround(double(a) * b / c));
}
}   // namespace

TpgxFont::TpgxFont(QObject *parent)
    : QObject(parent), m_charset(DefaultCharset()), m_height(PointsToHeight(10)),
      m_name(QStringLiteral("Arial"))
{ }

int TpgxFont::DefaultCharset()
{
    return g_defaultCharset.load();
}
void TpgxFont::SetDefaultCharset(int charset)
{
    g_defaultCharset.store(charset);
}

int TpgxFont::PointsToHeight(int points)
{
    return -mulDiv(points, PixelsPerInch, 72);
}
int TpgxFont::HeightToPoints(int height)
{
    return -mulDiv(height, 72, PixelsPerInch);
}

void TpgxFont::SetCharset(int value)
{
    m_charset = value;
    emit Changed();
}

void TpgxFont::SetColor(TColor value)
{
    m_color = value;
    emit Changed();
}

void TpgxFont::SetHeight(int value)
{
    m_height = value;
    emit Changed();
}

void TpgxFont::SetName(const QString &value)
{
    m_name = value;
    emit Changed();
}

int TpgxFont::Size() const
{
    return HeightToPoints(m_height);
}

void TpgxFont::SetSize(int points)
{
    m_height = PointsToHeight(points);
    emit Changed();
}

void TpgxFont::SetStyle(TpgxFontStyles value)
{
    m_style = value;
    emit Changed();
}

void TpgxFont::Assign(const TpgxFont &source)
{
    m_charset = source.m_charset;
    m_color = source.m_color;
    m_height = source.m_height;
    m_name = source.m_name;
    m_style = source.m_style;
    emit Changed();
}

bool TpgxFont::operator==(const TpgxFont &other) const
{
    return m_charset == other.m_charset && m_color == other.m_color && m_height == other.m_height
        && m_name == other.m_name && m_style == other.m_style;
}
