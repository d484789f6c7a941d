// The checks of the business start and the carried opening on the texts the
// register stores, each against a table of values at and around its bounds.

#include "card/entry_card_checks.h"

#include <gtest/gtest.h>

#include <string>

namespace fenmark::card {
namespace {

// 新定額法, acquired June 2020 for 1,000,000 yen, 3 units.
constexpr AssetTexts kStraight{"3", "2020", "6", "1000000", "3"};
constexpr Today kToday{2026, 6};

std::string shown(const Refusal& refusal) { return refusal.value_or("(none)"); }
std::string expected(const char* message) { return message == nullptr ? "(none)" : message; }

TEST(EntryCardChecks, BusinessStart) {
    const AssetTexts lumpSum{"2", "2020", "6", "150000", "1"};
    const AssetTexts small{"6", "2020", "6", "150000", "1"};
    // An acquisition the texts do not give is not compared with.
    const AssetTexts undated{"3", "", "", "1000000", "1"};
    const struct {
        AssetTexts asset;
        const char* start;
        const char* message;
    } cases[] = {
        {kStraight, "", nullptr},
        {kStraight, "2020-06", nullptr},  // the month of acquisition itself
        {kStraight, "2020-05", kMsgBusinessStartBeforeAcquisition},
        {kStraight, "2026-06", nullptr},  // this month
        {kStraight, "2026-07", kMsgBusinessStartInFuture},
        {kStraight, "2022-13", kMsgBadBusinessStart},
        {kStraight, "2022/01", kMsgBadBusinessStart},
        {kStraight, "202201", kMsgBadBusinessStart},
        {lumpSum, "2021-01", kMsgBusinessStartLumpSum},
        {small, "2021-01", kMsgBusinessStartLumpSum},
        {lumpSum, "", nullptr},
        {undated, "1990-01", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.asset.method) + " " + c.start);
        EXPECT_EQ(shown(businessStartRefusal(c.asset, c.start, kToday)), expected(c.message));
    }
}

TEST(EntryCardChecks, CarriedYearAndBookValueComeTogether) {
    const struct {
        const char* year;
        const char* book;
        const char* revised;
        bool refused;
    } cases[] = {
        {"", "", "", false},      {"2026", "400000", "", false}, {"2026", "", "", true},
        {"", "400000", "", true}, {"", "", "300000", true},      {"2026", "400000", "5", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.year) + "/" + c.book + "/" + c.revised);
        EXPECT_EQ(shown(carriedPairRefusal(c.year, c.book, c.revised)),
                  expected(c.refused ? kMsgCarriedIncomplete : nullptr));
    }
}

TEST(EntryCardChecks, CarriedYear) {
    const AssetTexts lumpSum{"2", "2020", "6", "150000", "1"};
    const struct {
        AssetTexts asset;
        const char* year;
        const char* start;
        const char* stored;
        const char* message;
    } cases[] = {
        {kStraight, "", "", "", nullptr},
        {kStraight, "2021", "", "", nullptr},
        {kStraight, "2020", "", "", kMsgCarriedYearNotAfterAcquisition},
        {kStraight, "2026", "", "", nullptr},
        {kStraight, "2027", "", "", kMsgCarriedYearInFuture},
        // Closing this year wrote next year's opening: it stays as it is.
        {kStraight, "2027", "", "2027", nullptr},
        {kStraight, "2028", "", "2027", kMsgCarriedYearInFuture},
        {kStraight, "2022", "2022-03", "", kMsgCarriedYearNotAfterBusinessStart},
        {kStraight, "2023", "2022-03", "", nullptr},
        {kStraight, "202", "", "", kMsgBadCarriedYear},
        {kStraight, "02026", "", "", kMsgBadCarriedYear},
        {kStraight, "-202", "", "", kMsgBadCarriedYear},
        {lumpSum, "2022", "", "", kMsgCarriedLumpSum},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.year) + " from " + c.start + " stored " + c.stored);
        EXPECT_EQ(shown(carriedYearRefusal(c.asset, c.year, c.start, c.stored, kToday)),
                  expected(c.message));
    }
}

TEST(EntryCardChecks, CarriedBookValue) {
    // Two units that cost 1 yen together keep 1 yen, not 2.
    const AssetTexts cheap{"3", "2020", "6", "1", "2"};
    const struct {
        AssetTexts asset;
        const char* book;
        const char* message;
    } cases[] = {
        {kStraight, "", nullptr},
        {kStraight, "1000000", nullptr},
        {kStraight, "1000001", kMsgCarriedBookAboveCost},
        {kStraight, "3", nullptr},  // 1 yen for each of the 3 units
        {kStraight, "2", kMsgCarriedBookBelowMemorandum},
        {kStraight, "400,000", kMsgBadCarriedBook},
        {kStraight, "-5", kMsgBadCarriedBook},
        {kStraight, "1.5", kMsgBadCarriedBook},
        {kStraight, "４００", kMsgBadCarriedBook},
        {cheap, "1", nullptr},
        {cheap, "0", kMsgCarriedBookBelowMemorandum},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.asset.cost) + " " + c.book);
        EXPECT_EQ(shown(carriedBookValueRefusal(c.asset, c.book)), expected(c.message));
    }
}

TEST(EntryCardChecks, RevisedBaseOnlyForTheNewDecliningBalance) {
    const AssetTexts declining{"4", "2007", "4", "1000000", "1"};
    // Method 4 with an earlier date only comes from a file written by hand.
    const AssetTexts decliningMarch2007{"4", "2007", "3", "1000000", "1"};
    const AssetTexts oldDeclining{"0", "2005", "4", "1000000", "1"};
    const struct {
        AssetTexts asset;
        const char* revised;
        const char* message;
    } cases[] = {
        {declining, "", nullptr},
        {declining, "200000", nullptr},  // the carried book value itself
        {declining, "199999", kMsgRevisedBaseBelowBook},
        {declining, "1000000", nullptr},
        {declining, "1000001", kMsgRevisedBaseAboveCost},
        {declining, "3e5", kMsgBadRevisedBase},
        {decliningMarch2007, "300000", kMsgRevisedBaseNotApplicable},
        {oldDeclining, "300000", kMsgRevisedBaseNotApplicable},
        {kStraight, "300000", kMsgRevisedBaseNotApplicable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.asset.method) + " " + std::string(c.asset.month) + " " +
                     c.revised);
        EXPECT_EQ(shown(revisedBaseRefusal(c.asset, c.revised, "200000")), expected(c.message));
    }
}

}  // namespace
}  // namespace fenmark::card
