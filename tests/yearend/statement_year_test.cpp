// The statement year as the window's box and the command line give it, read
// by one function; the amounts read back from masked texts; the numbers a
// statement row carries beside its texts.

#include <gtest/gtest.h>

#include <limits>

#include "yearend/statement.h"
#include "yearend/statement_fixture.h"

namespace fenmark::yearend {
namespace {

using law::Era;
using Refusal = StatementYear::Refusal;

TEST(StatementYear, TheBoxTakesAYearOfEitherEraOrSaysWhyNot) {
    struct Case {
        Era era;
        const char* text;
        std::int32_t year;
        Refusal refusal;
    };
    const Case cases[] = {
        {Era::Heisei, "19", 19, Refusal::None},    {Era::Reiwa, "8", 38, Refusal::None},
        {Era::Reiwa, "1", 31, Refusal::None},      {Era::Heisei, " 19 ", 19, Refusal::None},
        {Era::Reiwa, "69", 99, Refusal::None},     {Era::Heisei, "", 0, Refusal::NoYear},
        {Era::Reiwa, "", 0, Refusal::NoYear},      {Era::Heisei, " ", 0, Refusal::BadYear},
        {Era::Heisei, "0", 0, Refusal::BadYear},   {Era::Reiwa, "70", 0, Refusal::BadYear},
        {Era::Heisei, "100", 0, Refusal::BadYear}, {Era::Heisei, "1.5", 0, Refusal::BadYear},
        {Era::Heisei, "abc", 0, Refusal::BadYear}, {Era::Heisei, "１９", 0, Refusal::BadYear},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const StatementYear read = readStatementYear(c.era, c.text);
        EXPECT_EQ(read.year, c.year);
        EXPECT_EQ(read.refusal, c.refusal);
    }
    EXPECT_STREQ(readStatementYear(Era::Heisei, "").message(), kNoYearMessage);
    EXPECT_STREQ(readStatementYear(Era::Heisei, "0").message(), kBadYearMessage);
    EXPECT_STREQ(readStatementYear(Era::Heisei, "19").message(), "");
}

TEST(StatementYear, TheCommandLineTakesWesternEraAndBareYears) {
    const std::tuple<const char*, std::int32_t, Refusal> cases[] = {
        {"2026", 38, Refusal::None},  {"1989", 1, Refusal::None},    {"2087", 99, Refusal::None},
        {"R8", 38, Refusal::None},    {"r8", 38, Refusal::None},     {"H30", 30, Refusal::None},
        {"h38", 38, Refusal::None},   {"38", 38, Refusal::None},     {"99", 99, Refusal::None},
        {" 19 ", 19, Refusal::None},  {"1988", 0, Refusal::BadYear}, {"2088", 0, Refusal::BadYear},
        {"R70", 0, Refusal::BadYear}, {"S60", 0, Refusal::BadYear},  {"H", 0, Refusal::BadYear},
        {"abc", 0, Refusal::BadYear}, {"0", 0, Refusal::BadYear},    {"", 0, Refusal::NoYear},
    };
    for (const auto& [text, year, refusal] : cases) {
        SCOPED_TRACE(text);
        const StatementYear read = readStatementYearArgument(text);
        EXPECT_EQ(read.year, year);
        EXPECT_EQ(read.refusal, refusal);
    }
}

// The window refuses and takes exactly what the shared reading does, with
// its message, and clears the box only for a text that is no year.
TEST(StatementYear, TheWindowReadsTheBoxWithTheSharedFunction) {
    const std::pair<int, const char*> typed[] = {{0, "19"}, {1, "8"},  {0, ""},   {1, ""},
                                                 {0, "0"},  {1, "70"}, {0, "ab"}, {1, "69"}};
    for (const auto& [eraIndex, text] : typed) {
        SCOPED_TRACE(text);
        const auto s = testing::open({testing::straightLine("19", "4")});
        s->window->selectEra(eraIndex);
        s->window->setTxtGetYe(text);
        s->window->cmdOk_Click();
        const StatementYear expected =
            readStatementYear(eraIndex == 1 ? Era::Reiwa : Era::Heisei, text);
        if (expected.refusal == Refusal::None) {
            EXPECT_TRUE(s->window->Fxg3Visible);
            EXPECT_EQ(s->window->statementYear, expected.year);
            continue;
        }
        EXPECT_FALSE(s->window->Fxg3Visible);
        ASSERT_EQ(s->dialogs.messages().size(), 1u);
        EXPECT_EQ(s->dialogs.messages()[0].text, expected.message());
        EXPECT_EQ(s->window->txtGetYe.text, expected.refusal == Refusal::BadYear ? "" : text);
    }
}

TEST(StatementAmounts, MaskedTextsReadBackAsWholeYen) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"1,350,000", 1350000},
        {"0", 0},
        {"675", 675},
        {"-1,234", -1234},
        {"1234,567,890", 1234567890},  // digits beyond the mask stand in front
        {"9,223,372,036,854,775,807", std::numeric_limits<std::int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
        {"9223372036854775808", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {",100", std::nullopt},
        {"1.5", std::nullopt},
        {"abc", std::nullopt},
        {"1,600,000(199,984)", std::nullopt},
        {" 100", std::nullopt},
    };
    for (const auto& [text, amount] : cases) EXPECT_EQ(readAmount(text), amount) << text;
}

// The numbers of a copied year say what its texts say: a blank cell has no
// amount, the "0" of a year outside the schedule is an amount of 0.
TEST(StatementAmounts, ACopiedYearCarriesTheNumbersOfItsTexts) {
    using schedule::Money;
    schedule::Schedule s;
    schedule::Year first;
    first.months = 9;
    first.monthsOf = 12;
    first.amount = Money::number(75000);
    first.expense = Money::number(60000);
    first.bookValue = Money::number(925000);
    schedule::Year held;
    held.amount = Money::zero();
    held.expense = Money{};
    held.bookValue = Money::number(50000);
    s.years = {first, held};
    s.gridRowCount = 3;

    const ScheduleCopy inside = copyScheduleRow(s, 1);
    EXPECT_EQ(inside.period, "9/12");
    EXPECT_EQ(inside.months, 9);
    EXPECT_EQ(inside.monthsOf, 12);
    EXPECT_EQ(inside.depreciationYen, 75000);
    EXPECT_EQ(inside.expenseYen, 60000);
    EXPECT_EQ(inside.bookValueYen, 925000);

    const ScheduleCopy atLimit = copyScheduleRow(s, 2);
    EXPECT_EQ(atLimit.depreciation, "0");
    EXPECT_EQ(atLimit.depreciationYen, 0);
    EXPECT_EQ(atLimit.expense, "");
    EXPECT_EQ(atLimit.expenseYen, std::nullopt);
    EXPECT_EQ(atLimit.monthsOf, 0);

    const ScheduleCopy before = copyScheduleRow(s, -1);
    EXPECT_EQ(before.depreciation, "0");
    EXPECT_EQ(before.depreciationYen, 0);
    EXPECT_EQ(before.bookValueYen, 0);
    EXPECT_EQ(before.monthsOf, 0);
}

// A statement line's numbers beside its texts: the cost without the
// guarantee amount the text adds, the base, the share as the register
// holds it, and none of them where the table shows nothing.
TEST(StatementAmounts, ALineCarriesItsCostBaseAndShareAsNumbers) {
    schedule::Options options{12, 0, 2024};
    reg::AssetRegister assets;
    assets.row(1) =
        testing::with(testing::straightLine("19", "4", "1200000"), {{reg::businessRatio, "80"}});
    assets.row(2) =
        testing::with(testing::straightLine("19", "4"), {{reg::acquisitionCost, "未定"}});
    const StatementData data = computeStatement(assets, 2, 20, 12, options, true);
    ASSERT_EQ(data.lines.size(), 2u);
    const StatementLine& line = data.lines[0];
    EXPECT_EQ(line.costYen, 1200000);
    EXPECT_EQ(line.baseYen, readAmount(line.base));
    EXPECT_EQ(line.ratio, "80");
    EXPECT_EQ(line.share, "80%");
    EXPECT_EQ(data.lines[1].cost, "未定");
    EXPECT_EQ(data.lines[1].costYen, std::nullopt);

    const auto texts = statementRowTexts(line);
    EXPECT_EQ(texts[colDepreciationTotal], texts[colDepreciation]);
    EXPECT_EQ(texts[colSpecial], "");
    const auto totals = statementTotalsTexts(data);
    EXPECT_EQ(totals[colName], kTotalsCaption);
    EXPECT_EQ(readAmount(totals[colDepreciation]), data.depreciationTotal);
}

}  // namespace
}  // namespace fenmark::yearend
