#pragma once

#include "platform/format/FormatSettings.h"

#include <QtCore/QDateTime>
#include <QtCore/QString>

namespace pgx::format {

// Date-time values are days since 30 December 1899; the fraction is the
// time of day. Before that day the whole part counts backwards and the
// fraction still counts forwards from midnight (-1.25 is 29 Dec 1899 06:00).
constexpr double kMSecsPerDay = 86400000.0;

bool isLeapYear(int year);
// 0 for a month outside 1..12.
int daysInMonth(int year, int month);

bool tryEncodeDate(int year, int month, int day, double *out);
double encodeDate(int year, int month, int day);   // raises ConvertError
bool tryEncodeTime(int hour, int minute, int second, int msec, double *out);
double encodeTime(int hour, int minute, int second, int msec);

struct DateParts
{
    int year = 0, month = 0, day = 0;
};
struct TimeParts
{
    int hour = 0, minute = 0, second = 0, msec = 0;
};

// Splits a value into its day and its milliseconds of the day, rounded to
// the millisecond with the carry going into the day.
void splitDateTime(double value, qint64 *days, int *msecOfDay);
DateParts decodeDate(double value);   // year 0 for days before 1 January 0001
TimeParts decodeTime(double value);
// 1 for Sunday to 7 for Saturday.
int dayOfWeek(double value);

// The clock, in the process's local time zone.
double currentDateTime();
double currentDate();
double currentTime();
// A date and time as days since 30 December 1899 (the fraction the time of
// day), and back, as wall-clock values: no time zone is looked up.
double daysOf(const QDateTime &dateTime);
double daysOf(const QDate &date, const QTime &time = QTime());
QDateTime dateTimeOfDays(double days);

// Date-time picture format: d dd ddd dddd ddddd dddddd, m mm mmm mmmm
// (minutes right after an hour), yy yyyy, h hh, n nn, s ss, z zzz, t tt, c,
// am/pm a/p ampm, "/" and ":" for the separators, quoted literals.
QString formatDateTime(const QString &picture, double value,
                       const FormatSettings &settings = FormatSettings::current());
QString dateToStr(double value, const FormatSettings &settings = FormatSettings::current());
QString timeToStr(double value, const FormatSettings &settings = FormatSettings::current());
// Short date and long time; the time is left out when it is midnight.
QString dateTimeToStr(double value, const FormatSettings &settings = FormatSettings::current());

// Reading follows the order of day, month and year in the short date
// format; two numbers are day and month of the current year; two-digit
// years use the century window. Times are h[:n[:s[.z]]] with AM/PM.
bool tryStrToDate(const QString &text, double *out,
                  const FormatSettings &settings = FormatSettings::current());
bool tryStrToTime(const QString &text, double *out,
                  const FormatSettings &settings = FormatSettings::current());
bool tryStrToDateTime(const QString &text, double *out,
                      const FormatSettings &settings = FormatSettings::current());
double strToDate(const QString &text, const FormatSettings &settings = FormatSettings::current());
double strToTime(const QString &text, const FormatSettings &settings = FormatSettings::current());
double strToDateTime(const QString &text,
                     const FormatSettings &settings = FormatSettings::current());

}   // namespace pgx::format
