#pragma once

#include <QtCore/QString>
#include <optional>

// Text forms of values shared by every layer that writes template attributes
// (the serializer, DiffAttrs of prepared pages): numbers never go through the
// C locale, the decimal separator is always ".".
namespace pgx {

// General float format with 15 significant digits: fixed notation while the
// integer part has at most 15 digits and the magnitude is at least 0.00001,
// else scientific ("1.5E-7", "1E20"); no trailing zeros; 0 gives "0".
QString formatFloat(double value);

// Accepts "." and "," as the decimal point and ignores blanks ("1 234,5");
// an exponent is allowed. Empty, malformed or non-finite text gives nothing.
std::optional<double> parseFloat(QStringView text);

// Attribute escaping: exactly line feed, carriage return, '"', '&', '<' and
// '>' become "&#<code>;", and the sequence "&quot;" becomes "&#34;" as a
// whole; everything else is copied unchanged.
QString escapeAttr(QStringView text);

} // namespace pgx

class QDateTime;

namespace pgx {

// Date-times as templates and scripts store them: days since 30 December
// 1899, the fraction being the time of day (local time, no zone).
double dateTimeToDays(const QDateTime &dateTime);
QDateTime daysToDateTime(double days);

} // namespace pgx
