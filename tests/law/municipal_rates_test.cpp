// The reduction rates of the municipal return against the table the
// municipalities print.

#include "law/municipal_rates.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "common/exact.h"
#include "law/rate_tables.h"

namespace fenmark::law {
namespace {

int thousandths(const std::string& text) {
    return static_cast<int>((common::readDecimal(text) * common::Exact(1000)).nearest());
}

// Every printed row: r, A and B.
TEST(MunicipalRates, ReproduceThePrintedTable) {
    std::ifstream in(std::string(FENMARK_TEST_DATA) + "/municipal_reduction_rates.tsv");
    ASSERT_TRUE(in) << "the printed table is missing";
    std::string line;
    std::getline(in, line);  // heading
    int rows = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string life, r, a, b;
        ASSERT_TRUE(fields >> life >> r >> a >> b) << line;
        const int years = std::stoi(life);
        EXPECT_TRUE(printedReductionRate(years)) << life;
        EXPECT_EQ(reductionRate(years), thousandths(r)) << life;
        EXPECT_EQ(firstYearRate(years), thousandths(a)) << life;
        EXPECT_EQ(laterYearRate(years), thousandths(b)) << life;
        ++rows;
    }
    EXPECT_EQ(rows, 51);
}

// Lives the table does not print take the old declining-balance rate,
// which every printed rate equals; none below 2 or above 100.
TEST(MunicipalRates, UnprintedLivesAndTheEnds) {
    for (int life = 2; life <= 100; ++life) {
        const std::string old = lastFive(lookupEntry(oldRateTable(), std::to_string(life)));
        EXPECT_EQ(reductionRate(life), thousandths(old)) << life;
    }
    EXPECT_FALSE(printedReductionRate(51));
    EXPECT_EQ(reductionRate(1), std::nullopt);
    EXPECT_EQ(reductionRate(101), std::nullopt);
    EXPECT_EQ(firstYearRate(0), std::nullopt);
}

}  // namespace
}  // namespace fenmark::law
