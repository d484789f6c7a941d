#include "common/number.h"

#include <gtest/gtest.h>

#include <cmath>

namespace fenmark::common {
namespace {

struct LeadingCase {
    const char* name;
    const char* text;
    double value;
};

class LeadingNumberTest : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(leadingNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, LeadingNumberTest,
    ::testing::Values(LeadingCase{"empty", "", 0}, LeadingCase{"plain", "2007", 2007},
                      LeadingCase{"rate", "0.334", 0.334},
                      LeadingCase{"threeYear", "0.333 ", 0.333},
                      LeadingCase{"leadingBlanks", "   12", 12},
                      LeadingCase{"trailingText", "12ab", 12}, LeadingCase{"text", "abc", 0},
                      LeadingCase{"negative", "-5", -5}, LeadingCase{"plusSign", "+7", 7},
                      LeadingCase{"pointFirst", ".5", 0.5}, LeadingCase{"pointLast", "3.", 3},
                      LeadingCase{"signOnly", "-", 0}, LeadingCase{"pointOnly", ".", 0},
                      LeadingCase{"separator", "1,000", 1}, LeadingCase{"code", "0704-2", 704},
                      LeadingCase{"fullWidthDigits", "１２", 0},
                      LeadingCase{"innerBlank", "1 2", 1}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(LeadingNumber, HugePrefixReadsAsInfinity) {
    EXPECT_TRUE(std::isinf(leadingNumber(std::string(400, '9'))));
    EXPECT_LT(leadingNumber("-" + std::string(400, '9')), 0);
}

TEST(IsNumber, WholeTextMustBeANumber) {
    EXPECT_TRUE(isNumber("12"));
    EXPECT_TRUE(isNumber(" -3.5 "));
    EXPECT_FALSE(isNumber(""));
    EXPECT_FALSE(isNumber("12ab"));
    EXPECT_FALSE(isNumber("1,000"));
    EXPECT_FALSE(isNumber("建　物"));
    EXPECT_FALSE(isNumber("-"));
}

}  // namespace
}  // namespace fenmark::common
