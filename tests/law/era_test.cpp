// The eras: dates in the era of their month, years in the era that names
// them, 元 for a first year, and the year arguments of the command line.

#include "law/era.h"

#include <gtest/gtest.h>

#include "yearend/statement.h"

namespace fenmark::law {
namespace {

struct DateCase {
    const char* code;
    const char* year;
    const char* month;
    const char* letter;  // "" for no date
    const char* shown;
};

TEST(Era, StoredDatesAreShownInTheEraOfTheirMonth) {
    const DateCase cases[] = {
        {"0", "63", "4", "S", "63"},     {"0", "64", "1", "S", "64"},  // the last week of 昭和
        {"1", "1", "1", "H", "1"},       {"0", "64", "2", "H", "1"},   // no 昭和64年2月
        {"1", "31", "4", "H", "31"},     {"1", "31", "5", "R", "1"},   // 令和 from May 2019
        {"2", "1", "5", "R", "1"},       {"1", "38", "4", "R", "8"},  // an older version's 平成38
        {"2", "8", "12", "R", "8"},      {"1", "100", "4", "R", "70"},  // 平成100 is 2088
        {"1", "20.5", "4", "H", "20.5"},                                // no whole year: as stored
        {"1", "20", "13", "H", "20"},                                   // no month of the year
        {"3", "20", "4", "", ""},        {"-1", "20", "4", "", ""},     // no era
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + c.year + "/" + c.month);
        const auto shown = shownEraDate(c.code, c.year, c.month);
        if (std::string(c.letter).empty()) {
            EXPECT_FALSE(shown.has_value());
            continue;
        }
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ(shown->letter, c.letter);
        EXPECT_EQ(shown->year, c.shown);
    }
}

TEST(Era, YearsNamesAndFirstYears) {
    EXPECT_EQ(eraOfYear(1988), Era::Showa);
    EXPECT_EQ(eraOfYear(1989), Era::Heisei);
    EXPECT_EQ(eraOfYear(2018), Era::Heisei);
    EXPECT_EQ(eraOfYear(2019), Era::Reiwa);
    EXPECT_EQ(westernYear(Era::Reiwa, 8), 2026);
    EXPECT_EQ(eraYearOf(Era::Heisei, 2026), 38);
    EXPECT_EQ(eraYearText(1), "元");
    EXPECT_EQ(eraYearText(8), "8");
    EXPECT_EQ(lastMonthOf(Era::Showa, 64), 1);
    EXPECT_EQ(lastMonthOf(Era::Heisei, 31), 4);
    EXPECT_EQ(lastMonthOf(Era::Heisei, 30), 12);
    EXPECT_EQ(firstMonthOf(Era::Reiwa, 1), 5);
    EXPECT_EQ(firstMonthOf(Era::Reiwa, 2), 1);
}

TEST(Era, StatementYearsInEitherEraWithinTheRange) {
    using yearend::statementYearOf;
    EXPECT_EQ(statementYearOf(Era::Heisei, "19"), 19);
    EXPECT_EQ(statementYearOf(Era::Heisei, "38"), 38);
    EXPECT_EQ(statementYearOf(Era::Reiwa, "8"), 38);
    EXPECT_EQ(statementYearOf(Era::Reiwa, "69"), 99);  // 2087, the last
    EXPECT_EQ(statementYearOf(Era::Reiwa, "70"), 0);
    EXPECT_EQ(statementYearOf(Era::Heisei, "100"), 0);
    EXPECT_EQ(statementYearOf(Era::Reiwa, "0"), 0);
    EXPECT_EQ(statementYearOf(Era::Reiwa, "1.5"), 0);
}

TEST(Era, CommandLineYears) {
    struct Case {
        const char* text;
        bool parsed;
        Era era;
        const char* year;
    };
    const Case cases[] = {
        {"2026", true, Era::Reiwa, "8"},   {"2019", true, Era::Reiwa, "1"},
        {"2018", true, Era::Heisei, "30"}, {"R8", true, Era::Reiwa, "8"},
        {"r8", true, Era::Reiwa, "8"},     {"H30", true, Era::Heisei, "30"},
        {"38", true, Era::Heisei, "38"},   {"99", true, Era::Heisei, "99"},
        {"S60", false, Era::Heisei, ""},   {"abc", false, Era::Heisei, ""},
        {"R", false, Era::Heisei, ""},     {"", false, Era::Heisei, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto typed = yearend::parseYearArgument(c.text);
        ASSERT_EQ(typed.has_value(), c.parsed);
        if (!typed) continue;
        EXPECT_EQ(typed->era, c.era);
        EXPECT_EQ(typed->year, c.year);
    }
}

}  // namespace
}  // namespace fenmark::law
