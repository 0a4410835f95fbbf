#pragma once

#include <QtCore/QString>
#include <QtCore/QVariant>

namespace pgx::views {

// A display format as plain values: the kind in the order of
// TpgxFormat::TpgxFormatKind (text, numeric, date-time, Boolean).
struct DisplayFormat
{
    enum Kind { Text, Numeric, DateTime, Boolean };
    Kind kind = Text;
    QString formatStr;
    QString decimalSeparator;
};

// The value as a memo shows it. Null gives the empty text. Numeric: a
// picture format when FormatStr holds "#", else one printf-style
// conversion (integer with "d", float otherwise) parsed by the project's
// own formatter, then the system decimal separator replaced by
// DecimalSeparator when that is one other character. Date-time: a date
// picture. Boolean: "false text,true text". Anything that does not convert
// shows the value as text.
QString applyFormat(const QVariant &value, const DisplayFormat &format);

// The value as text, the way a memo shows a value without a format.
QString valueText(const QVariant &value);

// HideZeros: a value that is no string and equals 0.
bool isHiddenZero(const QVariant &value);

// An expression with an inline format, "Price #N%2,2f": the expression
// before " #" and the format after it, provided the format part holds no
// ")". Its first letter gives the kind (N numeric, D or T date-time, B
// Boolean, anything else text); in a numeric format every "," "-" "."
// becomes "." and the last of them gives the decimal separator.
struct InlineFormat
{
    QString expression;
    bool hasFormat = false;
    DisplayFormat format;
};
InlineFormat splitInlineFormat(const QString &expression);

}   // namespace pgx::views
