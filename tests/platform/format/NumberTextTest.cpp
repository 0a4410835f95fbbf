#include "platform/format/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace pgx::format;

namespace {

FormatSettings commaSettings()
{
    FormatSettings s;
    s.decimalSeparator = QLatin1Char(',');
    s.thousandSeparator = QLatin1Char('.');
    return s;
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour)
{
    const struct
    {
        double in, out;
    } rows[] = {
        {2.5, 2}, {3.5, 4},    {-2.5, -2},  {-3.5, -4}, {0.5, 0},
        {1.5, 2}, {2.4999, 2}, {2.5001, 3}, {-1.7, -2}, {7, 7},
    };
    for (const auto &r : rows)
        EXPECT_EQ(roundHalfEven(r.in), r.out) << r.in;
}

TEST(FloatToStr, GeneralFormatWithFifteenDigits)
{
    const struct
    {
        double in;
        const char *out;
    } rows[] = {
        {3.5, "3.5"},
        {0.1, "0.1"},
        {0, "0"},
        {100, "100"},
        {-2.5, "-2.5"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        // The exponent beyond the precision, or a value under 0.00001,
        // switches to scientific notation without a plus sign.
        {1e15, "1E15"},
        {1e20, "1E20"},
        {0.0001, "0.0001"},
        {1e-5, "1E-5"},
        {1.5e-7, "1.5E-7"},
        {-1234.5678, "-1234.5678"},
        {0.1 + 0.2, "0.3"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(floatToStr(r.in, FormatSettings::defaults()), QString::fromLatin1(r.out))
            << r.out;
    EXPECT_EQ(floatToStr(2.5, commaSettings()), QStringLiteral("2,5"));
    EXPECT_EQ(floatToStr(std::nan(""), FormatSettings::defaults()), QStringLiteral("NAN"));
}

TEST(FileFloat, GeneralFormatWithPointWhateverTheSettings)
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
        {0.1, "0.1"},   // 15 digits hide the binary error
        {1.0 / 3, "0.333333333333333"},
        {37.7953, "37.7953"},
        {39233.67535607639, "39233.6753560764"},
        {0.0001, "0.0001"},   // still fixed at 1E-4 ...
        {0.00001, "1E-5"},    // ... scientific below it
        {1.5e-7, "1.5E-7"},
        {123456789012345.0, "123456789012345"},   // 15 integer digits: fixed
        {1234567890123456.0, "1.23456789012346E15"},
        {1e20, "1E20"},
        {-2.5e-9, "-2.5E-9"},
        {0.9999999999999999, "1"},   // rounding carries into the exponent
    };
    const ScopedFormatSettings comma(commaSettings());   // files never follow the user's settings
    for (const auto &c : cases)
        EXPECT_EQ(fileFloatText(c.value), QLatin1String(c.text)) << c.text;
    EXPECT_EQ(fileFloatText(std::numeric_limits<double>::infinity()), QStringLiteral("INF"));
    EXPECT_EQ(fileFloatText(std::nan("")), QStringLiteral("NAN"));
}

TEST(FileFloat, ReadsEitherDecimalPointAndIgnoresBlanks)
{
    const struct
    {
        const char *text;
        std::optional<double> value;
    } cases[] = {
        {"12.5", 12.5},          {"12,5", 12.5},         {"1 234", 1234},
        {" 1 234.5", 1234.5},    {" -3 ", -3},           {"+4", 4},
        {"1E20", 1e20},          {"1E3", 1000},          {"1e-3", 0.001},
        {"1.5E-7", 1.5e-7},      {"", std::nullopt},     {"+", std::nullopt},
        {"abc", std::nullopt},   {"1.5x", std::nullopt}, {"1.2.3", std::nullopt},
        {"1,2,3", std::nullopt}, {"inf", std::nullopt},  {"nan", std::nullopt},
    };
    for (const auto &c : cases) {
        const std::optional<double> v = parseFileFloat(QString::fromLatin1(c.text));
        EXPECT_EQ(v.has_value(), c.value.has_value()) << c.text;
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.value) << c.text;
        }
    }
}

TEST(FileFloat, WrittenTextReadsBack)
{
    for (double v :
         {0.0, 1.0, -0.5, 3.77953, 1e-12, 6.02214076e23, 210.0, 297.0, 39233.67535607639})
        EXPECT_NEAR(*parseFileFloat(fileFloatText(v)), v, std::fabs(v) * 1e-14) << v;
}

TEST(CurrencyToStr, UpToFourDecimals)
{
    EXPECT_EQ(currencyToStr(25000, FormatSettings::defaults()), QStringLiteral("2.5"));
    EXPECT_EQ(currencyToStr(-10001, FormatSettings::defaults()), QStringLiteral("-1.0001"));
    EXPECT_EQ(currencyToStr(30000, FormatSettings::defaults()), QStringLiteral("3"));
}

TEST(StrToNumber, AcceptsOnlyWellFormedText)
{
    const struct
    {
        const char *text;
        bool ok;
        qint64 value;
    } ints[] = {
        {"42", true, 42},
        {" -17 ", true, -17},
        {"+5", true, 5},
        {"$FF", true, 255},
        {"0x10", true, 16},
        {"2147483648", false, 0},
        {"-2147483648", true, -2147483648LL},
        {"12a", false, 0},
        {"", false, 0},
        {"1.5", false, 0},
        {"-", false, 0},
    };
    for (const auto &r : ints) {
        qint64 v = 0;
        EXPECT_EQ(tryStrToInt(QString::fromLatin1(r.text), &v), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(v, r.value) << r.text;
        }
    }
    qint64 big = 0;
    EXPECT_TRUE(tryStrToInt64(QStringLiteral("9223372036854775807"), &big));
    EXPECT_EQ(big, std::numeric_limits<qint64>::max());
    EXPECT_FALSE(tryStrToInt64(QStringLiteral("9223372036854775808"), &big));
    EXPECT_THROW(strToInt(QStringLiteral("x")), ConvertError);

    const struct
    {
        const char *text;
        bool ok;
        double value;
    } floats[] = {
        {"1.5", true, 1.5}, {" -2.25 ", true, -2.25}, {"1e3", true, 1000}, {"1.5E-2", true, 0.015},
        {"7", true, 7},     {".5", true, 0.5},        {"1,5", false, 0},   {"inf", false, 0},
        {"nan", false, 0},  {"1e", false, 0},         {"abc", false, 0},   {"1.2.3", false, 0},
        {"", false, 0},
    };
    for (const auto &r : floats) {
        double v = 0;
        EXPECT_EQ(tryStrToFloat(QString::fromLatin1(r.text), &v, FormatSettings::defaults()), r.ok)
            << r.text;
        if (r.ok) {
            EXPECT_DOUBLE_EQ(v, r.value) << r.text;
        }
    }
    double v = 0;
    EXPECT_TRUE(tryStrToFloat(QStringLiteral("1,5"), &v, commaSettings()));
    EXPECT_DOUBLE_EQ(v, 1.5);
    try {
        strToFloat(QStringLiteral("abc"), FormatSettings::defaults());
        FAIL() << "no error";
    } catch (const ConvertError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'abc' is not a valid floating point value"));
    }
}

TEST(FormatFloat, PictureFormats)
{
    const struct
    {
        const char *picture;
        double value;
        const char *out;
    } rows[] = {
        {"0.00", 3.14159, "3.14"},
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0", -1234, "-1,234"},
        {"0", 2.5, "2"},   // exact ties round to even
        {"0", 3.5, "4"},
        {"0.00", 0.125, "0.12"},
        {"#.##", 0.5, ".5"},
        {"0.###", 1.5, "1.5"},
        {"0.###", 2, "2"},
        {"000", 7, "007"},
        {"#", 0, ""},
        {"000-000", 123456, "123-456"},
        {"0.00;(0.00)", -5, "(5.00)"},
        {"0.00;(0.00)", 5, "5.00"},
        {"0;-0;\"zero\"", 0, "zero"},
        {"0.00E+00", 1234.5, "1.23E+03"},
        {"0.0E-0", 0.00012, "1.2E-4"},
        {"0.0E-0", 12000, "1.2E4"},
        {"0.0", -0.04, "0.0"},   // no sign on a value that shows as zero
        {"'$'#,##0.00", 1234.5, "$1,234.50"},
        {"0.00 \"kg\"", 2.5, "2.50 kg"},
        {"", 1.5, "1.5"},
        {"0%", 45, "45%"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(formatFloat(QString::fromUtf8(r.picture), r.value, FormatSettings::defaults()),
                  QString::fromUtf8(r.out))
            << r.picture << " " << r.value;
    EXPECT_EQ(formatFloat(QStringLiteral("#,##0.00"), 1234.5, commaSettings()),
              QStringLiteral("1.234,50"));
}

TEST(FormatFixedAndScientific, MatchTheSpecifierRules)
{
    const FormatSettings &s = FormatSettings::defaults();
    EXPECT_EQ(formatFixed(1234.567, 2, false, s), QStringLiteral("1234.57"));
    EXPECT_EQ(formatFixed(1234.567, 0, true, s), QStringLiteral("1,235"));
    EXPECT_EQ(formatFixed(-0.001, 2, false, s), QStringLiteral("0.00"));
    EXPECT_EQ(formatScientific(1234.5, 15, 3, true, s), QStringLiteral("1.23450000000000E+003"));
    EXPECT_EQ(formatScientific(-0.00025, 2, 1, false, s), QStringLiteral("-2.5E-4"));
}

}   // namespace
