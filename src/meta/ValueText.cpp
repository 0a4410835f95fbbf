#include "meta/ValueText.h"

#include <QtCore/QDateTime>

namespace pgx {

namespace {
const QDate kDayZero(1899, 12, 30);
constexpr double kMsecsPerDay = 86400000.0;
}   // namespace

double dateTimeToDays(const QDateTime &dateTime)
{
    const double days = double(kDayZero.daysTo(dateTime.date()));
    const double fraction = dateTime.time().msecsSinceStartOfDay() / kMsecsPerDay;
    // Before day zero the fraction still counts forward from midnight, so
    // the day part and the fraction carry opposite signs there.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime daysToDateTime(double days)
{
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    const QDate date = kDayZero.addDays(qint64(whole));
    const QTime time
        = QTime::fromMSecsSinceStartOfDay(int(std::llround(fraction * kMsecsPerDay)) % 86400000);
    return QDateTime(date, time);
}

}   // namespace pgx
