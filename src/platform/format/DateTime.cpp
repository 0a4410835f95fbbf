#include "platform/format/DateTime.h"

#include "platform/format/NumberText.h"

#include <QtCore/QDateTime>

#include <cmath>

namespace pgx::format {

namespace {
// Days from 1 January 0001 (day 1) to 30 December 1899.
constexpr qint64 kDateDelta = 693594;
constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}   // namespace

bool isLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return 0;
    return kDaysInMonth[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0);
}

bool tryEncodeDate(int year, int month, int day, double *out)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1
        || day > daysInMonth(year, month))
        return false;
    qint64 days = day;
    for (int m = 1; m < month; ++m)
        days += daysInMonth(year, m);
    const qint64 y = year - 1;
    *out = double(y * 365 + y / 4 - y / 100 + y / 400 + days - kDateDelta);
    return true;
}

double encodeDate(int year, int month, int day)
{
    double v = 0;
    if (!tryEncodeDate(year, month, day, &v))
        throw ConvertError(QStringLiteral("Invalid argument to date encode"));
    return v;
}

bool tryEncodeTime(int hour, int minute, int second, int msec, double *out)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0
        || msec > 999)
        return false;
    *out = (qint64(hour) * 3600000 + minute * 60000 + second * 1000 + msec) / kMSecsPerDay;
    return true;
}

double encodeTime(int hour, int minute, int second, int msec)
{
    double v = 0;
    if (!tryEncodeTime(hour, minute, second, msec, &v))
        throw ConvertError(QStringLiteral("Invalid argument to time encode"));
    return v;
}

void splitDateTime(double value, qint64 *days, int *msecOfDay)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e9) {
        *days = 0;
        *msecOfDay = 0;
        return;
    }
    qint64 d = qint64(std::trunc(value));
    qint64 ms = qint64(std::llround(std::fabs(value - double(d)) * kMSecsPerDay));
    if (ms >= qint64(kMSecsPerDay)) {
        ms -= qint64(kMSecsPerDay);
        d += value < 0 ? -1 : 1;
    }
    *days = d;
    *msecOfDay = int(ms);
}

DateParts decodeDate(double value)
{
    qint64 days = 0;
    int ms = 0;
    splitDateTime(value, &days, &ms);
    qint64 t = days + kDateDelta;
    DateParts p;
    if (t <= 0)
        return p;
    --t;
    constexpr qint64 kD1 = 365, kD4 = kD1 * 4 + 1, kD100 = kD4 * 25 - 1, kD400 = kD100 * 4 + 1;
    qint64 y = 1;
    y += (t / kD400) * 400;
    t %= kD400;
    qint64 i = t / kD100;
    qint64 d = t % kD100;
    if (i == 4) {
        --i;
        d += kD100;
    }
    y += i * 100;
    i = d / kD4;
    d %= kD4;
    y += i * 4;
    i = d / kD1;
    d %= kD1;
    if (i == 4) {
        --i;
        d += kD1;
    }
    y += i;
    p.year = int(y);
    int m = 1;
    while (d >= daysInMonth(p.year, m)) {
        d -= daysInMonth(p.year, m);
        ++m;
    }
    p.month = m;
    p.day = int(d) + 1;
    return p;
}

TimeParts decodeTime(double value)
{
    qint64 days = 0;
    int ms = 0;
    splitDateTime(value, &days, &ms);
    TimeParts p;
    p.hour = ms / 3600000;
    ms %= 3600000;
    p.minute = ms / 60000;
    ms %= 60000;
    p.second = ms / 1000;
    p.msec = ms % 1000;
    return p;
}

int dayOfWeek(double value)
{
    qint64 days = 0;
    int ms = 0;
    splitDateTime(value, &days, &ms);
    const qint64 stamp = days + kDateDelta;
    return int(((stamp % 7) + 7) % 7) + 1;
}

double currentDateTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return encodeDate(d.year(), d.month(), d.day())
        + encodeTime(t.hour(), t.minute(), t.second(), t.msec());
}

double currentDate()
{
    return std::trunc(currentDateTime());
}

double currentTime()
{
    const double now = currentDateTime();
    return now - std::trunc(now);
}

double daysOf(const QDateTime &dateTime)
{
    return daysOf(dateTime.date(), dateTime.time());
}

double daysOf(const QDate &date, const QTime &time)
{
    // Wall-clock arithmetic: no time zone is looked up (which would read the
    // zone file for every value).
    const double days = double(QDate(1899, 12, 30).daysTo(date));
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0;
    // Before the origin the day counts down and the time still counts up.
    return days < 0 ? days - fraction : days + fraction;
}

QDateTime dateTimeOfDays(double days)
{
    // A wall-clock value of its own, the same on every machine: kept in UTC
    // so that no time zone is consulted.
    const qint64 msecs = qint64(std::llround(days * 86400000.0));
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC).addMSecs(msecs);
}

}   // namespace pgx::format
