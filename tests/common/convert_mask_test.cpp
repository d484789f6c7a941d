#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "common/convert.h"
#include "common/mask.h"
#include "common/text.h"

namespace fenmark::common {
namespace {

TEST(Convert, Int16RoundsHalfToEvenAndOverflows) {
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(2.4999), 2);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.0), -32768);
    EXPECT_THROW((void)toInt16(32767.5), OverflowError);
    EXPECT_THROW((void)toInt16(-32768.6), OverflowError);
    EXPECT_THROW((void)toInt16(std::nan("")), OverflowError);
    EXPECT_THROW((void)toInt16(std::numeric_limits<double>::infinity()), OverflowError);
}

TEST(Convert, Int32RoundsHalfToEvenAndOverflows) {
    EXPECT_EQ(toInt32(1000000.5), 1000000);
    EXPECT_EQ(toInt32(1000001.5), 1000002);
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(toInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_THROW((void)toInt32(2147483647.5), OverflowError);
    EXPECT_THROW((void)toInt32(1e300), OverflowError);
}

TEST(Convert, SingleRoundsToNearestFloatAndOverflows) {
    // 16,777,217 needs 25 bits: single precision keeps 16,777,216.
    EXPECT_EQ(toSingle(16777217.0), 16777216.0f);
    EXPECT_EQ(toSingle(0.1), 0.1f);
    EXPECT_EQ(toSingle(static_cast<double>(FLT_MAX)), FLT_MAX);
    EXPECT_THROW((void)toSingle(1e39), OverflowError);
    EXPECT_THROW((void)toSingle(-1e39), OverflowError);
    EXPECT_THROW((void)toSingle(std::numeric_limits<double>::infinity()), OverflowError);
}

TEST(Convert, RoundUpAndDown) {
    EXPECT_EQ(roundUp(10000.2), 10001);
    EXPECT_EQ(roundUp(10000.0), 10000);
    EXPECT_EQ(roundDown(9999.9), 9999);
    EXPECT_EQ(roundDown(-0.5), -1);
    EXPECT_EQ(addInt16(32766, 1), 32767);
    EXPECT_THROW((void)addInt16(32767, 1), OverflowError);
    EXPECT_THROW((void)mulInt16(200, 200), OverflowError);
}

struct MaskCase {
    const char* name;
    double value;
    std::string_view mask;
    const char* expected;
};

class MaskTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskTest, Formats) {
    EXPECT_EQ(formatNumber(GetParam().value, GetParam().mask), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskTest,
    ::testing::Values(
        MaskCase{"million", 1200000, kMaskAmount, "1,200,000"},
        MaskCase{"zeroIsEmpty", 0, kMaskAmount, ""}, MaskCase{"baseZero", 0, kMaskBase, ""},
        MaskCase{"small", 999, kMaskAmount, "999"}, MaskCase{"thousand", 1000, kMaskBase, "1,000"},
        MaskCase{"beyondMask", 12345678901.0, kMaskAmount, "12,345,678,901"},
        MaskCase{"halfUp", 1234.5, kMaskAmount, "1,235"},
        MaskCase{"halfAwayFromZero", 2.5, kMaskAmount, "3"},
        MaskCase{"belowHalfIsZero", 0.4, kMaskAmount, ""},
        MaskCase{"justBelowHalf", -0.49999999999999994, kMaskAmount, ""},
        MaskCase{"negative", -44318, kMaskAmount, "-44,318"},
        MaskCase{"negativeHalf", -2.5, kMaskAmount, "-3"},
        MaskCase{"priceZero", 0, kMaskPrice, "0"},
        MaskCase{"price", 1000000, kMaskPrice, "1,000,000"}, MaskCase{"year", 7, kMaskYear, "0007"},
        MaskCase{"yearFull", 2007, kMaskYear, "2007"},
        MaskCase{"yearMonth", 200704, kMaskYearMonth, "2007-04"},
        MaskCase{"yearMonthShort", 704, kMaskYearMonth, "0007-04"},
        MaskCase{"yearMonthLong", 12345678, kMaskYearMonth, "123456-78"}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(Mask, TextThatIsNotANumberStaysAsItIs) {
    EXPECT_EQ(formatText("1200000", kMaskAmount), "1,200,000");
    EXPECT_EQ(formatText("", kMaskAmount), "");
    EXPECT_EQ(formatText("abc", kMaskAmount), "abc");
    EXPECT_EQ(formatText("12ab", kMaskAmount), "12ab");
    EXPECT_EQ(formatText("0", kMaskAmount), "");
    EXPECT_EQ(formatText(std::string(400, '9'), kMaskAmount), std::string(400, '9'));
}

TEST(Text, SlicesByCharacterNotByte) {
    const std::string rates = "0.3340.04448";
    EXPECT_EQ(leftChars(rates, 5), "0.334");
    EXPECT_EQ(rightChars(rates, 7), "0.04448");
    const std::string name = "建　物ｱｲ①";
    EXPECT_EQ(charCount(name), 6u);
    EXPECT_EQ(leftChars(name, 2), "建　");
    EXPECT_EQ(rightChars(name, 3), "ｱｲ①");
    EXPECT_EQ(midChars(name, 3, 2), "物ｱ");
    EXPECT_EQ(midChars(name, 5, 100), "ｲ①");
    EXPECT_EQ(midChars(name, 9, 1), "");
    EXPECT_EQ(leftChars("ab", 10), "ab");
    EXPECT_EQ(rightChars("ab", 10), "ab");
}

}  // namespace
}  // namespace fenmark::common
