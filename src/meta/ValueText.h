#pragma once

class QDateTime;

// Date-times as templates and scripts store them. Floats in files use
// format::fileFloatText and format::parseFileFloat (platform/format).
namespace pgx {

// Days since 30 December 1899, the fraction being the time of day (local
// time, no zone).
double dateTimeToDays(const QDateTime &dateTime);
QDateTime daysToDateTime(double days);

}   // namespace pgx
