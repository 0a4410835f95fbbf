#include "report/text/EvenSpread.h"

#include <gtest/gtest.h>
#include <vector>

namespace pgx::test {
namespace {

using pgx::text::spreadEvenly;

TEST(EvenSpreadTest, AmountsSpreadByHalving)
{
    struct Case
    {
        int amount;
        std::vector<int> before;
        std::vector<int> after;
    };
    const Case cases[] = {
        {0, {5, 5}, {5, 5}},
        {1, {0, 0, 0, 0}, {0, 0, 0, 1}},
        {3, {0, 0, 0, 0}, {0, 1, 1, 1}},
        {10, {0, 0, 0}, {3, 3, 4}},   // never 5 on one and 2.5 on the others
        {-3, {8, 8, 8, 8}, {8, 7, 7, 7}},
        {7, {1}, {8}},
        {2, {}, {}},
    };
    for (const Case &c : cases) {
        std::vector<int> parts = c.before;
        spreadEvenly(c.amount, parts);
        EXPECT_EQ(parts, c.after) << c.amount;
    }
}

TEST(EvenSpreadTest, NoPartGetsMoreThanOneAboveAnother)
{
    for (int count = 1; count <= 17; ++count) {
        for (int amount = -40; amount <= 40; amount += 3) {
            std::vector<int> parts(size_t(count), 0);
            spreadEvenly(amount, parts);
            int sum = 0;
            for (int p : parts)
                sum += p;
            EXPECT_EQ(sum, amount);
            const auto [low, high] = std::minmax_element(parts.begin(), parts.end());
            EXPECT_LE(*high - *low, 1) << count << " parts, " << amount;
        }
    }
}

}   // namespace
}   // namespace pgx::test
