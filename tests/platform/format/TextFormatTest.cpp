#include "platform/format/TextFormat.h"
#include "platform/format/NumberText.h"

#include <gtest/gtest.h>

using namespace pgx::format;

namespace {

using A = FormatArg;

TEST(FormatText, Specifiers)
{
    const struct
    {
        const char *format;
        QList<FormatArg> args;
        const char *out;
    } rows[] = {
        {"%d", {A::fromInt(42)}, "42"},
        {"%d", {A::fromInt(-42)}, "-42"},
        {"%5d|", {A::fromInt(42)}, "   42|"},
        {"%-5d|", {A::fromInt(42)}, "42   |"},
        {"%.3d", {A::fromInt(7)}, "007"},
        {"%.3d", {A::fromInt(-7)}, "-007"},
        {"%u", {A::fromInt(-1)}, "4294967295"},
        {"%x", {A::fromInt(255)}, "FF"},
        {"%.4x", {A::fromInt(255)}, "00FF"},
        {"%d", {A::fromInt64(9000000000LL)}, "9000000000"},
        {"%s and %s", {A::fromString("a"), A::fromString("b")}, "a and b"},
        {"%.2s", {A::fromString("abcdef")}, "ab"},
        {"%.2f", {A::fromFloat(3.14159)}, "3.14"},
        {"%f", {A::fromFloat(2)}, "2.00"},
        {"%n", {A::fromFloat(1234567.891)}, "1,234,567.89"},
        {"%e", {A::fromFloat(1234.5)}, "1.23450000000000E+003"},
        {"%.3e", {A::fromFloat(-0.00123)}, "-1.23E-003"},
        {"%g", {A::fromFloat(0.5)}, "0.5"},
        {"%m", {A::fromCurrency(12.5)}, "$12.50"},
        {"%m", {A::fromCurrency(-12.5)}, "-$12.50"},
        {"%1:s %0:s", {A::fromString("a"), A::fromString("b")}, "b a"},
        {"%0:s-%s", {A::fromString("a"), A::fromString("b")}, "a-b"},
        {"100%%", {}, "100%"},
        {"%*d", {A::fromInt(4), A::fromInt(7)}, "   7"},
        {"%-*d|", {A::fromInt(3), A::fromInt(7)}, "7  |"},
        {"%.*f", {A::fromInt(1), A::fromFloat(2.25)}, "2.2"},
        {"%d", {A::fromAny("12", 12.0)}, "12"},
        {"%s", {A::fromAny("12", 12.0)}, "12"},
        {"%p", {A::fromInt(255)}, "000000FF"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(formatText(QString::fromUtf8(r.format), r.args, FormatSettings::defaults()),
                  QString::fromUtf8(r.out))
            << r.format;
}

TEST(FormatText, LongStringsAreNotCut)
{
    const QString long300(300, QLatin1Char('x'));
    EXPECT_EQ(formatText(QStringLiteral("%s"), {A::fromString(long300)}), long300);
}

TEST(FormatText, MismatchesRaise)
{
    const struct
    {
        const char *format;
        QList<FormatArg> args;
        const char *message;
    } rows[] = {
        {"%d", {A::fromString("x")}, "Format '%d' invalid or incompatible with argument"},
        {"%s", {A::fromInt(5)}, "Format '%s' invalid or incompatible with argument"},
        {"%f", {A::fromInt(5)}, "Format '%f' invalid or incompatible with argument"},
        {"%d", {A::fromFloat(1.5)}, "Format '%d' invalid or incompatible with argument"},
        {"%d", {A::fromBool(true)}, "Format '%d' invalid or incompatible with argument"},
        {"%z", {A::fromInt(1)}, "Format '%z' invalid or incompatible with argument"},
        {"abc %", {A::fromInt(1)}, "Format 'abc %' invalid or incompatible with argument"},
        {"%d %d", {A::fromInt(1)}, "No argument for format '%d'"},
        {"%d",
         {A::fromAny("x", std::nullopt)},
         "Format '%d' invalid or incompatible with argument"},
    };
    for (const auto &r : rows) {
        try {
            formatText(QString::fromUtf8(r.format), r.args);
            ADD_FAILURE() << "no error for " << r.format;
        } catch (const ConvertError &e) {
            EXPECT_EQ(e.message(), QString::fromUtf8(r.message)) << r.format;
        }
    }
}

TEST(FormatMaskText, MasksPlaceCharactersAndLiterals)
{
    const struct
    {
        const char *mask;
        const char *value;
        const char *out;
    } rows[] = {
        {"!(999)000-0000;0;_", "5551234567", "(555)123-4567"},
        {"(999)000-0000;0;_", "555", "(555)___-____"},
        {">LL-00;0; ", "ab12", "AB-12"},
        {"<LL>ll;0;_", "ABcd", "abCD"},
        {"00/00/0000;1;_", "09/03/2024", "09.03.2024"},
        {"00:00;0;_", "1230", "12:30"},
        {"\\A-000;0;*", "12", "A-12*"},
        {"000", "12345", "123"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(formatMaskText(QString::fromUtf8(r.mask), QString::fromUtf8(r.value),
                                 FormatSettings::defaults()),
                  QString::fromUtf8(r.out))
            << r.mask;
}

}   // namespace
