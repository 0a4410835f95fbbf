#pragma once

// The pieces of the compact difference texts of prepared pages (diffAttrs):
// one attribute with its leading blank, the float tolerance and the Boolean
// form. Every diffAttrs writes through these.
#include "persist/XMLEscape.h"
#include "platform/format/NumberText.h"

#include <QtCore/QString>
#include <cmath>

namespace pgx::diff {

// Floating values differ when they are further apart than this.
inline bool differs(double a, double b)
{
    return std::fabs(a - b) > 0.0001;
}

inline void appendAttr(QString &out, QLatin1String name, const QString &value)
{
    out += QLatin1Char(' ');
    out += name;
    out += QLatin1String("=\"");
    out += value;
    out += QLatin1Char('"');
}

inline void appendAttr(QString &out, const QString &name, const QString &value)
{
    out += QLatin1Char(' ');
    out += name;
    out += QLatin1String("=\"");
    out += value;
    out += QLatin1Char('"');
}

inline QString boolText(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

inline QString floatText(double value)
{
    return pgx::format::fileFloatText(value);
}

// Text attribute values are written as UTF-8 and escaped.
inline QString escapedText(const QString &text)
{
    return QString::fromUtf8(pgx::escapeAttr(text.toUtf8()));
}

}   // namespace pgx::diff
