#include "platform/format/DateTime.h"
#include "platform/format/NumberText.h"

#include <gtest/gtest.h>

using namespace pgx::format;

namespace {

TEST(EncodeDate, DaysSinceThirtiethDecember1899)
{
    const struct
    {
        int y, m, d;
        double days;
    } rows[] = {
        {2024, 3, 9, 45360}, {1899, 12, 30, 0},  {1899, 12, 31, 1},       {1900, 1, 1, 2},
        {2000, 1, 1, 36526}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const auto &r : rows) {
        EXPECT_EQ(encodeDate(r.y, r.m, r.d), r.days) << r.y << "-" << r.m << "-" << r.d;
        const DateParts p = decodeDate(r.days);
        EXPECT_EQ(p.year, r.y);
        EXPECT_EQ(p.month, r.m);
        EXPECT_EQ(p.day, r.d);
    }
    double v = 0;
    EXPECT_FALSE(tryEncodeDate(2023, 2, 29, &v));
    EXPECT_TRUE(tryEncodeDate(2024, 2, 29, &v));
    EXPECT_FALSE(tryEncodeDate(0, 1, 1, &v));
    EXPECT_FALSE(tryEncodeDate(2024, 13, 1, &v));
    EXPECT_FALSE(tryEncodeDate(2024, 4, 31, &v));
    EXPECT_THROW(encodeDate(2024, 0, 1), ConvertError);
}

// Qt's dates and times as days: wall-clock values, the same whatever the
// machine's time zone, and back.
TEST(DaysOf, QtDatesAndTimesAsDays)
{
    const struct
    {
        QDate date;
        QTime time;
        double days;
    } rows[] = {
        {QDate(2024, 3, 9), QTime(), 45360},
        {QDate(2024, 3, 9), QTime(12, 0), 45360.5},
        {QDate(2024, 3, 31), QTime(2, 30), 45382 + 2.5 / 24},   // a DST change in Europe
        {QDate(1899, 12, 30), QTime(6, 0), 0.25},
        {QDate(1899, 12, 29), QTime(6, 0), -1.25},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.date.toString(Qt::ISODate).toStdString());
        EXPECT_DOUBLE_EQ(daysOf(r.date, r.time), r.days);
        EXPECT_DOUBLE_EQ(
            daysOf(QDateTime(r.date, r.time.isValid() ? r.time : QTime(0, 0), Qt::UTC)), r.days);
        if (r.days >= 0) {
            const QDateTime back = dateTimeOfDays(r.days);
            EXPECT_EQ(back.date(), r.date);
            EXPECT_EQ(back.time(), r.time.isValid() ? r.time : QTime(0, 0));
        }
    }
}

TEST(DecodeDate, RoundTripsEveryDayOfARange)
{
    // Every 97th day over eight centuries: decode then encode gives the day.
    for (double day = -100000; day < 200000; day += 97) {
        const DateParts p = decodeDate(day);
        EXPECT_EQ(encodeDate(p.year, p.month, p.day), day);
    }
}

TEST(EncodeTime, FractionOfTheDay)
{
    EXPECT_EQ(encodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(encodeTime(6, 0, 0, 0), 0.25);
    const TimeParts t = decodeTime(encodeTime(23, 59, 59, 999));
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(t.second, 59);
    EXPECT_EQ(t.msec, 999);
    double v = 0;
    EXPECT_FALSE(tryEncodeTime(24, 0, 0, 0, &v));
    EXPECT_FALSE(tryEncodeTime(0, 60, 0, 0, &v));
    EXPECT_FALSE(tryEncodeTime(0, 0, 0, 1000, &v));
    // Before 1899 the fraction still counts forwards from midnight.
    const DateParts d = decodeDate(-1.25);
    EXPECT_EQ(d.day, 29);
    EXPECT_EQ(decodeTime(-1.25).hour, 6);
    // Rounding to the millisecond carries into the next day.
    const double almostMidnight = 45360 + (kMSecsPerDay - 0.2) / kMSecsPerDay;
    EXPECT_EQ(decodeDate(almostMidnight).day, 10);
    EXPECT_EQ(decodeTime(almostMidnight).hour, 0);
}

TEST(Calendar, MonthLengthsLeapYearsAndWeekdays)
{
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2024, 2), 29);
    EXPECT_EQ(daysInMonth(2023, 2), 28);
    EXPECT_EQ(daysInMonth(2024, 4), 30);
    EXPECT_EQ(daysInMonth(2024, 12), 31);
    EXPECT_EQ(daysInMonth(2024, 13), 0);
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_EQ(dayOfWeek(45360), 7);   // 9 March 2024, a Saturday
    EXPECT_EQ(dayOfWeek(0), 7);       // 30 December 1899, a Saturday
    EXPECT_EQ(dayOfWeek(1), 1);       // the next day, a Sunday
    EXPECT_EQ(dayOfWeek(-1), 6);
}

TEST(FormatDateTime, PictureSpecifiers)
{
    const double when = encodeDate(2024, 3, 9) + encodeTime(14, 5, 7, 89);
    const double dateOnly = encodeDate(2024, 3, 9);
    const struct
    {
        const char *picture;
        double value;
        const char *out;
    } rows[] = {
        {"yyyy-mm-dd hh:nn:ss.zzz", when, "2024-03-09 14:05:07.089"},
        {"d/m/yy", when, "9.3.24"},
        {"dddd, d mmmm yyyy", when, "Saturday, 9 March 2024"},
        {"ddd mmm", when, "Sat Mar"},
        {"hh:mm", when, "14:05"},   // m right after an hour is the minute
        {"h:mm am/pm", when, "2:05 pm"},
        {"h:mm AM/PM", dateOnly, "12:00 AM"},
        {"h a/p", when, "2 p"},
        {"hh ampm", when, "02 PM"},
        {"c", when, "09.03.2024 14:05:07"},
        {"c", dateOnly, "09.03.2024"},
        {"ddddd", when, "09.03.2024"},
        {"dddddd", when, "Saturday, 9 March 2024"},
        {"t", when, "14:05"},
        {"tt", when, "14:05:07"},
        {"'Date:' dd", when, "Date: 09"},
        {"\"at\" h:n:s", when, "at 14:5:7"},
        {"", when, "09.03.2024 14:05:07"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(formatDateTime(QString::fromUtf8(r.picture), r.value, FormatSettings::defaults()),
                  QString::fromUtf8(r.out))
            << r.picture;
    EXPECT_EQ(dateToStr(when, FormatSettings::defaults()), QStringLiteral("09.03.2024"));
    EXPECT_EQ(timeToStr(when, FormatSettings::defaults()), QStringLiteral("14:05:07"));
    EXPECT_EQ(dateTimeToStr(dateOnly, FormatSettings::defaults()), QStringLiteral("09.03.2024"));
}

TEST(FormatDateTime, SettingsPicturesThatNameThemselvesEnd)
{
    FormatSettings s;
    s.shortDateFormat = QStringLiteral("c");   // would expand forever
    EXPECT_NO_THROW(formatDateTime(QStringLiteral("c"), 45360, s));
}

TEST(StrToDate, FollowsTheShortDateOrder)
{
    const FormatSettings &s = FormatSettings::defaults();
    const struct
    {
        const char *text;
        bool ok;
        double value;
    } rows[] = {
        {"09.03.2024", true, 45360},
        {"9.3.2024", true, 45360},
        {" 9.3.2024 ", true, 45360},
        {"9.3.24", true, 45360},
        {"31.02.2024", false, 0},
        {"abc", false, 0},
        {"9", false, 0},
        {"9.3.2024x", false, 0},
    };
    for (const auto &r : rows) {
        double v = 0;
        EXPECT_EQ(tryStrToDate(QString::fromLatin1(r.text), &v, s), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(v, r.value) << r.text;
        }
    }
    FormatSettings us;
    us.shortDateFormat = QStringLiteral("m/d/yyyy");
    us.dateSeparator = QLatin1Char('/');
    EXPECT_EQ(strToDate(QStringLiteral("3/9/2024"), us), 45360);
    FormatSettings iso;
    iso.shortDateFormat = QStringLiteral("yyyy/mm/dd");
    iso.dateSeparator = QLatin1Char('-');
    EXPECT_EQ(strToDate(QStringLiteral("2024-03-09"), iso), 45360);
    EXPECT_THROW(strToDate(QStringLiteral("x"), s), ConvertError);
}

TEST(StrToTime, HoursMinutesSecondsAndAmPm)
{
    const FormatSettings &s = FormatSettings::defaults();
    const struct
    {
        const char *text;
        bool ok;
        int h, m, sec, ms;
    } rows[] = {
        {"14:05", true, 14, 5, 0, 0},        {"14:05:07", true, 14, 5, 7, 0},
        {"14:05:07.5", true, 14, 5, 7, 500}, {"2:05 PM", true, 14, 5, 0, 0},
        {"12:00 am", true, 0, 0, 0, 0},      {"25:00", false, 0, 0, 0, 0},
        {"14", false, 0, 0, 0, 0},           {"13:00 PM", false, 0, 0, 0, 0},
        {"1:2:3:4", false, 0, 0, 0, 0},
    };
    for (const auto &r : rows) {
        double v = 0;
        EXPECT_EQ(tryStrToTime(QString::fromLatin1(r.text), &v, s), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(v, encodeTime(r.h, r.m, r.sec, r.ms)) << r.text;
        }
    }
    EXPECT_EQ(strToDateTime(QStringLiteral("09.03.2024 14:05:07"), s),
              encodeDate(2024, 3, 9) + encodeTime(14, 5, 7, 0));
    EXPECT_EQ(strToDateTime(QStringLiteral("09.03.2024"), s), 45360);
    EXPECT_THROW(strToDateTime(QStringLiteral("09.03.2024 x"), s), ConvertError);
}

}   // namespace
