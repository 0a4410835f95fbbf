// The text a prepared page draws, and find / find next over it.
#include "PreviewTestSupport.h"

#include "prepared/PreparedTestSupport.h"
#include "preview/find/PageTextFinder.h"
#include "report/component/Units.h"

#include <gtest/gtest.h>

namespace pgx::preview {
namespace {

// Three pages of twelve rows: "Orders" on each, then "Row <n>" and n * 10.
class PageTextFinderTest : public ::testing::Test
{
protected:
    PageTextFinderTest()
    {
        test::widgetApplication();
        m_report.emplace();
        m_report->run(3, 12);
    }

    TpgxPreviewPages &pages() { return m_report->store; }

    // Page and line text of each match: the first, then every next one.
    QStringList walk(const QString &text, bool caseSensitive, int fromPage)
    {
        PageTextFinder finder(pages());
        QStringList found;
        for (auto match = finder.find(text, caseSensitive, fromPage); match;
             match = finder.findNext()) {
            const QList<PageTextLine> lines = pageText(pages(), match->page);
            found << QStringLiteral("%1:%2").arg(match->page).arg(lines[match->line].text);
            if (found.size() > 100)
                break;
        }
        return found;
    }

    std::optional<test::PreparedReport> m_report;
};

TEST_F(PageTextFinderTest, APageGivesItsLinesInDrawingOrderWhereTheyAre)
{
    const QList<PageTextLine> lines = pageText(pages(), 1);
    QStringList texts;
    for (const PageTextLine &line : lines)
        texts << line.text;
    ASSERT_GE(texts.size(), 3);
    EXPECT_EQ(texts.mid(0, 5), (QStringList{"Orders", "Row 13", "130", "Row 14", "140"}));
    EXPECT_EQ(texts.size(), 1 + 2 * 12);

    // Page pixels at zoom 1: the 10 mm margins, the band at 60 and the
    // memo at 15 across, its text inside the 2 x 1 gaps.
    const double margin = 10 * kPg01cm;
    const QRectF row = lines[1].rect;
    EXPECT_NEAR(row.left(), margin + 15 + 2, 1.5);
    EXPECT_NEAR(row.top(), margin + 60 + 1, 1.5);
    EXPECT_GT(row.width(), 20);
    EXPECT_LT(row.height(), 18);
    EXPECT_NEAR(lines[3].rect.top() - row.top(), 20, 1);
}

TEST_F(PageTextFinderTest, FindNextWalksTheMatchesInPageOrder)
{
    EXPECT_EQ(walk(QStringLiteral("Row 1"), false, 0),
              (QStringList{"0:Row 1", "0:Row 10", "0:Row 11", "0:Row 12", "1:Row 13", "1:Row 14",
                           "1:Row 15", "1:Row 16", "1:Row 17", "1:Row 18", "1:Row 19"}));
    EXPECT_EQ(walk(QStringLiteral("orders"), false, 0),
              (QStringList{"0:Orders", "1:Orders", "2:Orders"}));
}

TEST_F(PageTextFinderTest, CaseMattersOnlyWhenAsked)
{
    EXPECT_EQ(walk(QStringLiteral("ROW 36"), false, 0), (QStringList{"2:Row 36"}));
    EXPECT_TRUE(walk(QStringLiteral("ROW 36"), true, 0).isEmpty());
    EXPECT_EQ(walk(QStringLiteral("Row 36"), true, 0), (QStringList{"2:Row 36"}));
}

TEST_F(PageTextFinderTest, TheSearchStartsAtTheGivenPage)
{
    EXPECT_EQ(walk(QStringLiteral("Orders"), false, 1), (QStringList{"1:Orders", "2:Orders"}));
    EXPECT_EQ(walk(QStringLiteral("Orders"), false, -4).size(), 3);
    EXPECT_TRUE(walk(QStringLiteral("Orders"), false, 3).isEmpty());
}

TEST_F(PageTextFinderTest, NothingIsFoundAfterTheLastMatch)
{
    PageTextFinder finder(pages());
    const std::optional<TextMatch> last = finder.find(QStringLiteral("360"), false, 0);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->page, 2);
    EXPECT_EQ(finder.text(), QStringLiteral("360"));
    EXPECT_FALSE(finder.findNext());
    EXPECT_FALSE(finder.findNext());
    // A new search starts over.
    EXPECT_TRUE(finder.find(QStringLiteral("360"), false, 0));
}

TEST_F(PageTextFinderTest, EmptyTextNoSearchOrNoPageFindsNothing)
{
    PageTextFinder finder(pages());
    EXPECT_FALSE(finder.findNext());
    EXPECT_FALSE(finder.find(QString(), false, 0));
    EXPECT_FALSE(finder.findNext());
    EXPECT_TRUE(pageText(pages(), -1).isEmpty());
    EXPECT_TRUE(pageText(pages(), 3).isEmpty());
}

TEST_F(PageTextFinderTest, AChangedStoreIsSearchedAfresh)
{
    PageTextFinder finder(pages());
    ASSERT_TRUE(finder.find(QStringLiteral("Orders"), false, 0));
    m_report->store.clear();
    m_report->run(1, 2);
    finder.reset();
    EXPECT_FALSE(finder.find(QStringLiteral("Row 13"), false, 0));
    EXPECT_TRUE(finder.find(QStringLiteral("Row 2"), false, 0));
}

}   // namespace
}   // namespace pgx::preview
