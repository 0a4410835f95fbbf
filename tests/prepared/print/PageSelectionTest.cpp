#include "prepared/print/PageSelection.h"
#include "prepared/print/SheetLayout.h"

#include <gtest/gtest.h>

#include <QtCore/QList>

namespace pgx::prepared {
namespace {

struct RangeCase
{
    const char *text;
    int lastPage;
    QList<int> pages;   // the pages 1..lastPage it selects
    bool all;
};

TEST(PageSelection, SelectsThePagesWritten)
{
    const RangeCase cases[] = {
        {"", 5, {1, 2, 3, 4, 5}, true},
        {"   ", 5, {1, 2, 3, 4, 5}, true},
        {"1,3,5-12", 20, {1, 3, 5, 6, 7, 8, 9, 10, 11, 12}, false},
        {"7-", 9, {7, 8, 9}, false},
        {" 2 - 4 ", 9, {2, 3, 4}, false},
        {"4-2", 9, {}, false},
        {"12", 9, {}, false},
        {"0", 9, {}, false},
        {"3,3,1", 9, {1, 3}, false},
        // Capped at the last page: no two billion numbers in memory.
        {"1-2000000000", 3, {1, 2, 3}, false},
        {"8-", 5, {}, false},
    };
    for (const RangeCase &c : cases) {
        QString error;
        const auto selection = PageSelection::parse(QString::fromLatin1(c.text), c.lastPage, error);
        ASSERT_TRUE(selection) << c.text << ": " << error.toStdString();
        QList<int> selected;
        for (int page = 1; page <= c.lastPage; ++page)
            if (selection->contains(page))
                selected << page;
        EXPECT_EQ(selected, c.pages) << c.text;
        EXPECT_EQ(selection->isAll(), c.all) << c.text;
        EXPECT_EQ(selection->selectsNothing(), c.pages.isEmpty()) << c.text;
    }
}

TEST(PageSelection, ATokenThatIsNoNumberIsAnError)
{
    for (const char *text : {"-5", "1,,2", "a", "1-b", "99999999999", ","}) {
        QString error;
        EXPECT_FALSE(PageSelection::parse(QString::fromLatin1(text), 10, error)) << text;
        EXPECT_TRUE(error.endsWith(QStringLiteral("is not a valid integer value"))) << text;
    }
}

TEST(SheetLayout, PiecesOfAPage)
{
    struct Case
    {
        double a, b;
        int split, join;
    };
    const Case cases[] = {
        {420, 297, 2, 1},   // A3 height over A4 sheets; one A4 fits an A3 length
        {420, 210, 2, 2},
        {297, 210, 2, 1},   // 87 mm left over: worth a sheet
        {300, 297, 1, 1},   // 3 mm over: not
        {297, 148, 2, 2},
        {297, 148.6, 2, 2},   // half a millimetre too long still fits twice
        {100, 0, 1, 1},       // no sheet at all
    };
    for (const Case &c : cases) {
        EXPECT_EQ(splitPieces(c.a, c.b), c.split) << c.a << " / " << c.b;
        EXPECT_EQ(joinPieces(c.a, c.b), c.join) << c.a << " / " << c.b;
    }
}

TEST(SheetLayout, TurnsTheSheetWhenThatIsBetter)
{
    // Split: A3 on A4 takes two landscape sheets, A2 four portrait ones.
    EXPECT_EQ(splitGrid(297, 420, 210, 297), (SheetGrid{1, 2, true}));
    EXPECT_EQ(splitGrid(420, 594, 210, 297), (SheetGrid{2, 2, false}));
    // Join: two A5 on a landscape A4, four A6 on a portrait one.
    EXPECT_EQ(joinGrid(210, 297, 148, 210), (SheetGrid{2, 1, true}));
    EXPECT_EQ(joinGrid(210, 297, 105, 148), (SheetGrid{2, 2, false}));
    EXPECT_DOUBLE_EQ(scaleToSheet(297, 420, 210, 297), 210.0 / 297);
    EXPECT_DOUBLE_EQ(scaleToSheet(0, 420, 210, 297), 1);
}

}   // namespace
}   // namespace pgx::prepared
