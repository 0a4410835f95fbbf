#pragma once

#include <QtCore/QString>
#include <optional>

// Text forms of values shared by every layer that writes template attributes
// (the serializer, DiffAttrs of prepared pages): numbers never go through the
// C locale, the decimal separator is always ".".
namespace pgx {

// The files' float form (format::fileFloatToStr / fileStrToFloat): the
// general format with 15 significant digits and "." (fixed notation down to
// 0.0001, else scientific: "1E-5", "1E20").
QString formatFloat(double value);

// Accepts "." and "," as the decimal point and ignores blanks ("1 234,5");
// an exponent is allowed. Empty, malformed or non-finite text gives nothing.
std::optional<double> parseFloat(QStringView text);

} // namespace pgx

class QDateTime;

namespace pgx {

// Date-times as templates and scripts store them: days since 30 December
// 1899, the fraction being the time of day (local time, no zone).
double dateTimeToDays(const QDateTime &dateTime);
QDateTime daysToDateTime(double days);

} // namespace pgx
