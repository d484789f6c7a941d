// The simplified life of a used asset over the lives of the law's tables,
// with the elapsed time inside and past the life.

#include "law/used_asset_life.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace fenmark::law {
namespace {

struct UsedCase {
    const char* name;
    int life;
    int elapsedMonths;
    int expected;
};

class UsedAssetLifeTest : public ::testing::TestWithParam<UsedCase> {};

TEST_P(UsedAssetLifeTest, DropsTheFractionAndKeepsTwoYears) {
    const UsedCase& c = GetParam();
    const UsedAssetLife used = usedAssetLife(c.life, c.elapsedMonths);
    EXPECT_EQ(used.life, c.expected);
    EXPECT_EQ(used.allElapsed, c.elapsedMonths >= c.life * 12);
}

// Worked by hand in years: (life − elapsed) + elapsed × 0.2, or life × 0.2.
INSTANTIATE_TEST_SUITE_P(
    Cases, UsedAssetLifeTest,
    ::testing::Values(UsedCase{"ten_threeYears", 10, 36, 7},                  // 7.6
                      UsedCase{"ten_threeYearsSixMonths", 10, 42, 7},         // 7.2
                      UsedCase{"car_twoYears", 6, 24, 4},                     // 4.4
                      UsedCase{"car_oneMonthShort", 6, 71, 2},                // 1.2666…
                      UsedCase{"car_allElapsed", 6, 72, 2},                   // 1.2
                      UsedCase{"laptop_twoYearsSixMonths", 4, 30, 2},         // exactly 2
                      UsedCase{"shop_twentyYears", 22, 240, 6},               // 6.0
                      UsedCase{"shop_allElapsed", 22, 264, 4},                // 4.4
                      UsedCase{"thirtyNine_exactlyTwentyNine", 39, 150, 29},  // 29.0 exactly
                      UsedCase{"fifteen_exactlyNine", 15, 90, 9},             // 9.0 exactly
                      UsedCase{"fortySeven_oneMonth", 47, 1, 46},             // 46.93…
                      UsedCase{"fifty_oneMonthShort", 50, 599, 10},           // 10.06…
                      UsedCase{"two_oneMonth", 2, 1, 2}),                     // 1.93…
    [](const auto& tc) { return std::string(tc.param.name); });

class UsedLifeOverLivesTest : public ::testing::TestWithParam<int> {};

TEST_P(UsedLifeOverLivesTest, ShortensWithTimeWithinTheLawsBounds) {
    const int life = GetParam();
    int previous = life;
    for (int months = 1; months <= life * 12 + 36; ++months) {
        const int used = usedAssetLife(life, months).life;
        ASSERT_GE(used, 2) << months;
        ASSERT_LE(used, previous) << months;
        // A whole number of elapsed years gives a whole number of tenths:
        // (life − y) + y × 0.2 = life − 0.8 y.
        if (months % 12 == 0 && months < life * 12) {
            const int y = months / 12;
            ASSERT_EQ(used, std::max(2, (life * 10 - 8 * y) / 10)) << months;
        }
        if (months >= life * 12) {
            ASSERT_EQ(used, std::max(2, life / 5)) << months;
        }
        previous = used;
    }
}

INSTANTIATE_TEST_SUITE_P(Lives, UsedLifeOverLivesTest, ::testing::Range(2, 51));

TEST(UsedAssetLifeTextTest, SaysHowItWasComputed) {
    EXPECT_EQ(usedAssetLife(10, 42).explanation,
              "法定耐用年数10年、経過3年6か月：(120か月 − 42か月) ＋ 42か月 × 20% ＝ 86.4か月 → "
              "7年");
    EXPECT_EQ(
        usedAssetLife(6, 80).explanation,
        "法定耐用年数6年、経過6年8か月（全部経過）：6年 × 20% ＝ 1.2年 → 2年（2年未満は2年）");
    EXPECT_EQ(usedAssetLife(15, 3).explanation,
              "法定耐用年数15年、経過3か月：(180か月 − 3か月) ＋ 3か月 × 20% ＝ 177.6か月 → 14年");
}

TEST(UsedAssetLifeTextTest, RefusesLivesAndTimesOutsideTheRange) {
    EXPECT_THROW((void)usedAssetLife(1, 12), std::invalid_argument);
    EXPECT_THROW((void)usedAssetLife(101, 12), std::invalid_argument);
    EXPECT_THROW((void)usedAssetLife(10, 0), std::invalid_argument);
    EXPECT_THROW((void)usedAssetLife(10, 1201), std::invalid_argument);
}

}  // namespace
}  // namespace fenmark::law
