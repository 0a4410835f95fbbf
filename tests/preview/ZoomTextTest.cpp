// What the zoom combo offers, reads and shows.
#include "preview/layout/ZoomText.h"
#include "preview/layout/TpgxPageList.h"

#include <gtest/gtest.h>

namespace pgx::preview {
namespace {

struct ParseCase
{
    const char *text;
    std::optional<double> zoom;
};

TEST(ZoomTextTest, ReadsPercentagesAndFactors)
{
    const ParseCase cases[] = {
        {"150 %", 1.5},
        {"150", 1.5},
        {" 75% ", 0.75},
        {"1 50", 1.5},   // blanks anywhere are ignored
        {"1,5", 1.5},    // below 10: a factor
        {"1.5", 1.5},
        {",5", 0.5},
        {"9", 9.0},
        {"12,5", kMinZoom},   // 12.5 % is held at the minimum
        {"0,1", kMinZoom},
        {"100000", kMaxZoom},
        {"0", std::nullopt},
        {"-5", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"%", std::nullopt},
        {"1e3", std::nullopt},
        {"1,5,3", std::nullopt},
        {"inf", std::nullopt},
        {"150x", std::nullopt},
    };
    for (const ParseCase &c : cases) {
        const std::optional<double> zoom = parseZoomText(QString::fromUtf8(c.text));
        ASSERT_EQ(zoom.has_value(), c.zoom.has_value()) << '"' << c.text << '"';
        if (zoom) {
            EXPECT_DOUBLE_EQ(*zoom, *c.zoom) << '"' << c.text << '"';
        }
    }
}

struct ShowCase
{
    double zoom;
    const char *text;
};

TEST(ZoomTextTest, ShowsAWholePercentage)
{
    const ShowCase cases[] = {
        {1.5, "150%"},  {1, "100%"},   {0.25, "25%"}, {1.0 / 3, "33%"}, {0.625, "62%"},
        {0.375, "38%"}, {20, "2000%"}, {0.1, "25%"},  {50, "2000%"},
    };
    for (const ShowCase &c : cases)
        EXPECT_EQ(zoomText(c.zoom), QString::fromUtf8(c.text)) << c.zoom;
}

TEST(ZoomTextTest, ThePercentagesOfferedReadBackAsTheirZoom)
{
    const QStringList choices = zoomChoices();
    ASSERT_EQ(choices.size(), 8);
    const double zooms[] = {0.25, 0.5, 0.75, 1, 1.5, 2};
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(parseZoomText(choices[i]), zooms[i]) << choices[i].toStdString();
        EXPECT_EQ(zoomText(zooms[i]), choices[i]);
    }
    EXPECT_EQ(choices[6], QStringLiteral("Page width"));
    EXPECT_EQ(choices[7], QStringLiteral("Whole page"));
    EXPECT_FALSE(parseZoomText(choices[6]));
}

}   // namespace
}   // namespace pgx::preview
