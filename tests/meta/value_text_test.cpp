// Text forms of numbers, escaped attribute text and date-times.
#include "meta/ValueText.h"

#include <gtest/gtest.h>

#include <QtCore/QDateTime>
#include <cmath>
#include <limits>

namespace {

TEST(ValueText, FormatsFloatsInGeneralFormat)
{
    const struct
    {
        double value;
        const char *text;
    } cases[] = {
        {0, "0"},
        {1, "1"},
        {-1, "-1"},
        {12.5, "12.5"},
        {0.1, "0.1"},                      // 15 digits hide the binary error
        {1.0 / 3, "0.333333333333333"},
        {37.7953, "37.7953"},
        {39233.67535607639, "39233.6753560764"},
        {0.0001, "0.0001"},                // still fixed at 1E-4 ...
        {0.00001, "1E-5"},                 // ... scientific below it
        {1.5e-7, "1.5E-7"},
        {123456789012345.0, "123456789012345"}, // 15 integer digits: fixed
        {1234567890123456.0, "1.23456789012346E15"},
        {1e20, "1E20"},
        {-2.5e-9, "-2.5E-9"},
        {0.9999999999999999, "1"},         // rounding carries into the exponent
    };
    for (const auto &c : cases)
        EXPECT_EQ(pgx::formatFloat(c.value), QLatin1String(c.text)) << c.text;
    EXPECT_EQ(pgx::formatFloat(std::numeric_limits<double>::infinity()), QStringLiteral("INF"));
    EXPECT_EQ(pgx::formatFloat(std::nan("")), QStringLiteral("NAN"));
}

TEST(ValueText, ParsesBothDecimalPointsAndIgnoresBlanks)
{
    const struct
    {
        const char *text;
        std::optional<double> value;
    } cases[] = {
        {"12.5", 12.5}, {"12,5", 12.5}, {"1 234", 1234}, {" -3 ", -3}, {"1E20", 1e20},
        {"1.5E-7", 1.5e-7}, {"", std::nullopt}, {"abc", std::nullopt}, {"1.2.3", std::nullopt},
        {"inf", std::nullopt}, {"nan", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pgx::parseFloat(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(ValueText, FormatAndParseRoundTrip)
{
    for (double v : {0.0, 1.0, -0.5, 3.77953, 1e-12, 6.02214076e23, 210.0, 297.0, 39233.67535607639})
        EXPECT_NEAR(*pgx::parseFloat(pgx::formatFloat(v)), v, std::fabs(v) * 1e-14) << v;
}

TEST(ValueText, ParsesPointCommaAndBlanks)
{
    const struct {
        const char *text;
        double value;
        bool ok;
    } cases[] = {
        {"12,5", 12.5, true}, {"12.5", 12.5, true},   {"1 234", 1234, true}, {" -3 ", -3, true},
        {"+4", 4, true},      {"1E3", 1000, true},    {"1e-3", 0.001, true}, {"", 0, false},
        {"abc", 0, false},    {"1.5x", 0, false},     {"1,2,3", 0, false},   {"+", 0, false},
    };
    for (const auto &c : cases) {
        const std::optional<double> v = pgx::parseFloat(QString::fromLatin1(c.text));
        EXPECT_EQ(v.has_value(), c.ok) << c.text;
        if (v) {
            EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
        }
    }
}

TEST(ValueText, DateTimesAreDaysSinceTheEndOf1899)
{
    const QDateTime stored(QDate(2007, 5, 31), QTime(16, 12, 30, 765));
    EXPECT_NEAR(pgx::dateTimeToDays(stored), 39233.67535607639, 1e-9);
    EXPECT_EQ(pgx::daysToDateTime(39233.67535607639), stored);
    EXPECT_EQ(pgx::dateTimeToDays(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    // Before day zero the time still counts forward: 29 Dec 1899 06:00 is -1.25.
    const QDateTime early(QDate(1899, 12, 29), QTime(6, 0));
    EXPECT_DOUBLE_EQ(pgx::dateTimeToDays(early), -1.25);
    EXPECT_EQ(pgx::daysToDateTime(-1.25), early);
}

} // namespace
