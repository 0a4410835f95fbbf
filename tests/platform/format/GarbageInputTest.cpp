#include "platform/format/DateTime.h"
#include "platform/format/NumberText.h"
#include "platform/format/TextFormat.h"

#include <gtest/gtest.h>

#include <random>

using namespace pgx::format;

namespace {

// Texts made of the characters the engines give meaning to, and a few
// others: every function either answers or raises ConvertError.
QString randomText(std::mt19937 &rng, int maxLength)
{
    static const QString kAlphabet
        = QStringLiteral("0#.,;E+-e'\"%dsfxgnmpu*:1-9hnmyzatc/\\!<>LlAaCc_ \u00e9");
    std::uniform_int_distribution<int> len(0, maxLength);
    std::uniform_int_distribution<int> pick(0, int(kAlphabet.size()) - 1);
    QString s;
    for (int i = len(rng); i > 0; --i)
        s += kAlphabet[pick(rng)];
    return s;
}

TEST(FormatEngines, SurviveArbitraryPicturesAndTexts)
{
    std::mt19937 rng(20241);
    std::uniform_real_distribution<double> values(-1e12, 1e12);
    const double specials[] = {0, -0.0, 1e300, -1e-300, 5e-324, 2958465.99999, -693593.5};
    for (int round = 0; round < 3000; ++round) {
        const QString text = randomText(rng, 24);
        const double value = round % 10 == 0 ? specials[(round / 10) % 7] : values(rng);
        try {
            formatFloat(text, value);
        } catch (const ConvertError &) { }
        try {
            formatDateTime(text, value / 1e7);
        } catch (const ConvertError &) { }
        try {
            formatMaskText(text, randomText(rng, 12));
        } catch (const ConvertError &) { }
        try {
            formatText(text,
                       {FormatArg::fromInt(round), FormatArg::fromFloat(value),
                        FormatArg::fromString(text)});
        } catch (const ConvertError &) { }
        double d = 0;
        qint64 i = 0;
        tryStrToFloat(text, &d);
        tryStrToInt64(text, &i);
        tryStrToDateTime(text, &d);
    }
    // Very long pictures and huge widths stay bounded.
    EXPECT_EQ(formatFloat(QStringLiteral("0.") + QString(500, QLatin1Char('0')), 1.5).size(), 502);
    EXPECT_EQ(formatText(QStringLiteral("%999999999d"), {FormatArg::fromInt(1)}).size(), 100000);
}

}   // namespace
