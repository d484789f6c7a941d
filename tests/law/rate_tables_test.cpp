#include "law/rate_tables.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace fenmark::law {
namespace {

bool isRate(std::string_view text, std::size_t places) {
    // "d." followed by `places` digits
    if (text.size() != places + 2 || text[1] != '.') return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != 1 && !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}

TEST(RateTables, HaveTheirSizesAndTheHeaderFirst) {
    EXPECT_EQ(oldRateTable().size(), 100u);
    EXPECT_EQ(rateTable2007().size(), 50u);
    EXPECT_EQ(rateTable2012().size(), 50u);
    EXPECT_EQ(doubleDecliningRates().size(), 49u);
    for (auto table : {oldRateTable(), rateTable2007(), rateTable2012()}) {
        EXPECT_EQ(table[0], "定額法 定率法");
    }
}

// Every entry keeps the field layout the slices rely on; a mistyped entry
// (a missing digit, a comma for a point) breaks it.
TEST(RateTables, EveryEntryHasItsFieldLayout) {
    for (std::size_t i = 1; i < oldRateTable().size(); ++i) {
        const std::string_view e = oldRateTable()[i];
        SCOPED_TRACE(std::to_string(i + 1));
        ASSERT_EQ(e.size(), 10u);
        EXPECT_TRUE(isRate(e.substr(0, 5), 3));
        EXPECT_TRUE(isRate(e.substr(5, 5), 3));
    }
    for (std::size_t i = 2; i < rateTable2007().size(); ++i) {
        const std::string_view e = rateTable2007()[i];
        SCOPED_TRACE(std::to_string(i + 1));
        ASSERT_EQ(e.size(), 22u);
        EXPECT_TRUE(isRate(e.substr(0, 5), 3));
        EXPECT_TRUE(isRate(e.substr(5, 5), 3));
        EXPECT_TRUE(isRate(e.substr(10, 5), 3));
        EXPECT_TRUE(isRate(e.substr(15, 7), 5));
    }
    for (std::size_t i = 2; i < rateTable2012().size(); ++i) {
        const std::string_view e = rateTable2012()[i];
        SCOPED_TRACE(std::to_string(i + 1));
        ASSERT_EQ(e.size(), 16u);
        EXPECT_TRUE(isRate(e.substr(0, 5), 3));
        EXPECT_TRUE(isRate(e.substr(5, 5), 3));
        EXPECT_TRUE(isRate("0" + std::string(e.substr(10, 6)), 5));
    }
    EXPECT_EQ(rateTable2007()[1], "0.5001.000------------");
    EXPECT_EQ(rateTable2012()[1], "0.5001.000------");
}

// Rates fall as the life grows (or stay equal where the tax table repeats
// one), which catches entries out of order.
TEST(RateTables, StraightLineRatesNeverRiseWithTheLife) {
    for (auto table : {oldRateTable(), rateTable2007(), rateTable2012()}) {
        for (std::size_t i = 2; i < table.size(); ++i) {
            EXPECT_LE(std::stod(std::string(table[i].substr(0, 5))),
                      std::stod(std::string(table[i - 1].substr(0, 5))))
                << table[i];
        }
    }
}

struct EntryCase {
    const char* name;
    const char* life;
    const char* oldEntry;
    const char* entry2007;
    const char* entry2012;
};

class LookupTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(LookupTest, FindsTheEntryOfTheLife) {
    const EntryCase& c = GetParam();
    EXPECT_EQ(lookupEntry(oldRateTable(), c.life), c.oldEntry);
    EXPECT_EQ(lookupEntry(rateTable2007(), c.life), c.entry2007);
    EXPECT_EQ(lookupEntry(rateTable2012(), c.life), c.entry2012);
}

INSTANTIATE_TEST_SUITE_P(
    Lives, LookupTest,
    ::testing::Values(
        EntryCase{"two", "2", "0.5000.684", "0.5001.000------------", "0.5001.000------"},
        EntryCase{"three", "3", "0.3330.536", "0.3340.8331.0000.02789", "0.3341.000.11089"},
        EntryCase{"ten", "10", "0.1000.206", "0.1000.2500.3340.04448", "0.1000.250.06552"},
        EntryCase{"thirtyFive", "35", "0.0290.064", "0.0290.0710.0720.01532", "0.0290.059.02051"},
        EntryCase{"fifty", "50", "0.0200.045", "0.0200.0500.0530.01072", "0.0200.042.01440"},
        EntryCase{"fiftyOne", "51", "0.0200.044", "", ""},
        EntryCase{"fiftyTwo", "52", "0.0200.043", "", ""},
        EntryCase{"fiftyThree", "53", "0.0200.043", "", ""},
        EntryCase{"eightyNine", "89", "0.0110.026", "", ""},
        EntryCase{"hundred", "100", "0.0100.023", "", ""},
        EntryCase{"hundredOne", "101", "", "", ""},
        EntryCase{"oneAddressesTheHeader", "1", "", "", ""}, EntryCase{"zero", "0", "", "", ""},
        EntryCase{"empty", "", "", "", ""}, EntryCase{"text", "十年", "", "", ""},
        EntryCase{"blanksAndTrailingText", " 10年", "0.1000.206", "0.1000.2500.3340.04448",
                  "0.1000.250.06552"},
        // index = life - 1, half to even: 9.5 -> 10 (life 11), 10.5 -> 10 (life 11)
        EntryCase{"halfRoundsToEvenUp", "10.5", "0.0900.189", "0.0910.2270.2500.04123",
                  "0.0910.200.05992"},
        EntryCase{"halfRoundsToEvenDown", "11.5", "0.0900.189", "0.0910.2270.2500.04123",
                  "0.0910.200.05992"},
        EntryCase{"huge", "1e400", "", "", ""}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(RateTables, EqualNeighboursStaySeparateItems) {
    EXPECT_EQ(oldRateTable()[51], oldRateTable()[52]);
    for (int life = 85; life <= 89; ++life) EXPECT_EQ(oldRateTable()[life - 1], "0.0110.026");
    EXPECT_EQ(oldRateTable()[83], "0.0110.027");
    EXPECT_EQ(oldRateTable()[89], "0.0110.025");
}

TEST(RateTables, GetListsAppendHeaderAndEntries) {
    std::vector<std::string> lstData{"leftover"};
    GetList(lstData);
    ASSERT_EQ(lstData.size(), 101u);
    EXPECT_EQ(lstData[1], "定額法 定率法");
    EXPECT_EQ(lstData[100], "0.0100.023");
    std::vector<std::string> lstData2, lstData3;
    GetList2(lstData2);
    GetList3(lstData3);
    EXPECT_EQ(lstData2.size(), 50u);
    EXPECT_EQ(lstData3.size(), 50u);
    EXPECT_EQ(lstData2[9], "0.1000.2500.3340.04448");
    EXPECT_EQ(lstData3[9], "0.1000.250.06552");
}

TEST(RateTables, SlicesTakeTheirCharacters) {
    EXPECT_EQ(firstFive("0.5001.000------------"), "0.500");
    EXPECT_EQ(sixToTen("0.5001.000------------"), "1.000");
    EXPECT_EQ(sixToTen("0.5001.000------"), "1.000");
    EXPECT_EQ(lastFive("0.1000.206"), "0.206");
    EXPECT_EQ(lastTwelve("0.1000.2500.3340.04448"), "0.3340.04448");
    EXPECT_EQ(lastTwelve("0.1000.250.06552"), "00.250.06552");
    EXPECT_EQ(sixToTen("0.1000.250.06552"), "0.250");
    EXPECT_EQ(revisedRateOf("0.3340.04448"), "0.334");
    EXPECT_EQ(guaranteeRateOf("0.3340.04448"), "0.04448");
    EXPECT_EQ(revisedRateOf(""), "");
    EXPECT_EQ(guaranteeRateOf("0.33"), "0.33");
}

// Half up at three places, worked in integers: (4000 + L) / (2 L)
// thousandths. Binary floating point would give 0.062 for a life of 32.
TEST(DoubleDecliningRates, AreTwoOverTheLifeRoundedHalfUp) {
    for (int life = 2; life <= 50; ++life) {
        const int thousandths = (4000 + life) / (2 * life);
        char expected[16];
        std::snprintf(expected, sizeof expected, "%d.%03d", thousandths / 1000, thousandths % 1000);
        EXPECT_EQ(doubleDecliningRate(std::to_string(life)), expected) << life;
    }
    EXPECT_EQ(doubleDecliningRate("32"), "0.063");
    EXPECT_EQ(doubleDecliningRate("2"), "1.000");
    EXPECT_EQ(doubleDecliningRate("50"), "0.040");
    EXPECT_EQ(doubleDecliningRate("1"), "");
    EXPECT_EQ(doubleDecliningRate("51"), "");
}

}  // namespace
}  // namespace fenmark::law
