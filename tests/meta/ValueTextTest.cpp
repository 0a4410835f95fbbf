// Date-times as days since the end of 1899.
#include "meta/ValueText.h"

#include <gtest/gtest.h>

#include <QtCore/QDateTime>

namespace {

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

}   // namespace
