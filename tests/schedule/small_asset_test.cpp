// 少額減価償却資産の特例 (GetFxd6): the whole cost in the year of use,
// whatever life the record keeps.

#include <gtest/gtest.h>

#include "schedule/schedule_fixture.h"

namespace fenmark::schedule {
namespace {

using testing::column;
using testing::open;
using testing::with;
using Texts = std::vector<std::string>;

// 令和8年6月, 250,000 yen, the statutory life of a tablet (4 years); older
// versions stored 1 instead.
reg::Row small(const char* life) {
    return test::makeRow({"タブレット", "2026-06-4", "2", "8", "6", "", "4", "2026", "250000", life,
                          "1.000", "6", "1", "100", "", "", "10", "95", ""});
}

// The life is kept for the municipal return alone: the schedule of life 5
// is the schedule of life 1, whatever the closing month, rounding and share.
TEST(GetFxd6, TheScheduleDoesNotChangeWithTheLife) {
    const ScheduleSettings settings[] = {{"12", "0", 2026}, {"3", "1", 2030}};
    for (const ScheduleSettings& s : settings) {
        for (const char* share : {"100", "50"}) {
            SCOPED_TRACE(s.closingMonth + " " + s.roundingMode + " " + share);
            const reg::Row one = with(small("1"), {{reg::businessRatio, share}});
            auto shortLife = open({one}, s);
            auto longLife = open({with(one, {{reg::usefulLife, "5"}})}, s);
            const platform::Grid& a = shortLife->window->Fxg2;
            const platform::Grid& b = longLife->window->Fxg2;
            ASSERT_EQ(a.rows(), b.rows());
            for (int c = 0; c < a.cols(); ++c) EXPECT_EQ(column(a, c), column(b, c)) << c;
        }
    }
    auto shown = open({small("5")}, {"12", "0", 2026});
    EXPECT_EQ(column(shown->window->Fxg2, colAmount, 2), (Texts{"250,000", ""}));
}

}  // namespace
}  // namespace fenmark::schedule
