// The municipal return: the published worked example, which assets are
// declared as what, the four columns of the 申告書's table and the tax.

#include "yearend/municipal_return.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fenmark::yearend {
namespace {

reg::Row asset(const std::string& name, const std::string& type, const std::string& year,
               const std::string& month, const std::string& cost, const std::string& life,
               const std::string& method = "3") {
    reg::Row row{};
    const auto set = [&row](reg::Column column, const std::string& text) {
        row[static_cast<std::size_t>(column - 1)] = text;
    };
    set(reg::assetName, name);
    set(reg::typeCode, type);
    set(reg::westernYear, year);
    set(reg::acquisitionMonth, month);
    set(reg::eraCode, "2");
    set(reg::eraYear, std::to_string(std::stoi(year) - 2018));
    set(reg::acquisitionCost, cost);
    set(reg::usefulLife, life);
    set(reg::methodCode, method);
    set(reg::quantity, "1");
    return row;
}

MunicipalReturn file(const std::vector<reg::Row>& rows, int year, const char* rate = "1.4") {
    reg::AssetRegister assets;
    for (std::size_t i = 0; i < rows.size(); ++i) assets.row(static_cast<int>(i) + 1) = rows[i];
    return municipalReturn(assets, static_cast<int>(rows.size()), year, rate);
}

// 400,000 yen, life 5: the published sequence down to the 5 % floor, which
// holds for good; the month does not matter.
TEST(MunicipalValue, PublishedExample) {
    const std::vector<std::int64_t> expected = {326000, 205706, 129800, 81903,
                                                51680,  32610,  20576,  20000};
    for (std::size_t n = 0; n < expected.size(); ++n) {
        EXPECT_EQ(municipalValue(400000, 5, 2026, 2027 + static_cast<int>(n)), expected[n]) << n;
    }
    EXPECT_EQ(municipalValue(400000, 5, 2026, 2090), 20000);
    EXPECT_EQ(municipalValue(400000, 5, 2026, 2026), std::nullopt);
    EXPECT_EQ(municipalValue(400000, 1, 2020, 2027), std::nullopt);
    // The floor of a cost not divisible by 20 is truncated.
    EXPECT_EQ(municipalValue(123457, 2, 2000, 2027), 6172);

    const MunicipalReturn r = file({asset("旋盤", "2", "2026", "12", "400000", "5"),
                                    asset("棚", "4", "2026", "1", "400000", "5")},
                                   2027);
    ASSERT_EQ(r.assets.size(), 2U);
    EXPECT_EQ(r.assets[0].value, 326000);
    EXPECT_EQ(r.assets[1].value, 326000);
    EXPECT_EQ(r.assets[0].residualRate, 815);
    EXPECT_TRUE(r.assets[0].acquiredLastYear);
    EXPECT_EQ(r.assets[0].eraCode, 5);
    EXPECT_EQ(r.assets[0].eraYear, 8);
}

// The first week of 1989 is 昭和64 where the register says so.
TEST(MunicipalReturn, EraOfJanuary1989) {
    reg::Row showa = asset("旋盤", "2", "1989", "1", "400000", "5");
    showa[reg::eraCode - 1] = "0";
    showa[reg::eraYear - 1] = "64";
    const reg::Row heisei = asset("旋盤", "2", "1989", "1", "400000", "5");
    const MunicipalReturn r = file({showa, heisei}, 2027);
    ASSERT_EQ(r.assets.size(), 2U);
    EXPECT_EQ(r.assets[0].eraCode, 3);
    EXPECT_EQ(r.assets[0].eraYear, 64);
    EXPECT_EQ(r.assets[1].eraCode, 4);
    EXPECT_EQ(r.assets[1].eraYear, 1);
}

// The kinds proposed from type and method, a choice on the card over them,
// 中古 and the life a small asset needs.
TEST(MunicipalReturn, KindsAndExclusions) {
    std::vector<reg::Row> rows = {
        asset("店舗", "0", "2020", "4", "9000000", "22"),
        asset("空調", "1", "2020", "4", "800000", "15"),
        asset("旋盤", "2", "2020", "4", "1000000", "10"),
        asset("机", "4", "2020", "4", "300000", "8"),
        asset("軽バン", "7", "2020", "4", "1200000", "4"),
        asset("フォークリフト", "7", "2020", "4", "1500000", "4"),
        asset("パソコン", "4", "2020", "4", "150000", "3", "2"),
        asset("開業費", "9", "2020", "4", "500000", "5"),
        asset("看板", "8", "2020", "4", "400000", "10"),
        asset("少額プリンタ", "4", "2026", "6", "250000", "1", "6"),
        asset("中古の旋盤", "2", "2026", "6", "500000", "5"),
    };
    rows[1][reg::municipalKind - 1] = "1";  // a tenant's fitting
    rows[5][reg::municipalKind - 1] = "5";  // large special vehicle
    rows[8][reg::municipalKind - 1] = "0";
    rows[10][reg::boughtUsed - 1] = "1";
    const MunicipalReturn r = file(rows, 2027);
    std::vector<std::pair<int, int>> declared;
    for (const MunicipalAsset& a : r.assets) declared.emplace_back(a.record, a.kind);
    EXPECT_EQ(declared,
              (std::vector<std::pair<int, int>>{{2, 1}, {3, 2}, {4, 6}, {6, 5}, {10, 6}, {11, 2}}));
    std::vector<std::string> reasons;
    for (const ExcludedAsset& e : r.excluded) reasons.push_back(e.reason);
    EXPECT_EQ(reasons, (std::vector<std::string>{
                           "対象外（建物）", "対象外（自動車税・軽自動車税の車両）",
                           "対象外（一括償却）", "対象外（繰延資産）", "対象外（無形）"}));
    const MunicipalAsset& small = r.assets[4];
    EXPECT_EQ(small.value, std::nullopt);
    EXPECT_EQ(small.note, kEnterLifeNote);
    EXPECT_EQ(r.warnings.size(), 1U);
    EXPECT_EQ(r.assets[5].increaseReason, kIncreaseUsed);
    EXPECT_EQ(r.assets[5].note, "中古");
}

// (イ) (ロ) (ハ) (ニ): disposals before and in the year before, purchases in
// it, an asset not yet acquired; the tax base truncated, the tax and the
// exemption.
TEST(MunicipalReturn, TableAndTax) {
    std::vector<reg::Row> rows = {
        asset("旋盤A", "2", "2015", "4", "3000000", "10"),
        asset("旋盤B", "2", "2018", "4", "2000000", "10"),
        asset("旋盤C", "2", "2019", "4", "1000000", "10"),
        asset("旋盤D", "2", "2026", "3", "1234567", "10"),
        asset("旋盤E", "2", "2027", "1", "500000", "10"),
        asset("旋盤F", "2", "2026", "5", "700000", "10"),
    };
    rows[1][reg::disposalMonth - 1] = "2026-06";
    rows[1][reg::disposalKind - 1] = "売却";
    rows[2][reg::disposalMonth - 1] = "2025-12";
    rows[2][reg::disposalKind - 1] = "除却";
    rows[5][reg::disposalMonth - 1] = "2026-11";
    rows[5][reg::disposalKind - 1] = "除却";
    const MunicipalReturn r = file(rows, 2027);
    ASSERT_EQ(r.assets.size(), 2U);
    ASSERT_EQ(r.removed.size(), 1U);
    EXPECT_EQ(r.removed[0].record, 2);
    const KindSums& machines = r.byKind[1];
    EXPECT_EQ(machines.i, 5000000);
    EXPECT_EQ(machines.ro, 2000000);
    EXPECT_EQ(machines.ha, 1234567);
    EXPECT_EQ(machines.ni, 4234567);
    EXPECT_EQ(r.total.ni, 4234567);
    const std::int64_t values = *r.assets[0].value + *r.assets[1].value;
    EXPECT_EQ(r.totalValue, values);
    EXPECT_EQ(r.taxBase, values / 1000 * 1000);
    EXPECT_TRUE(r.belowExemption);
    EXPECT_EQ(r.tax, 0);

    const MunicipalReturn big = file({asset("機械", "2", "2026", "1", "10000000", "10")}, 2027);
    EXPECT_EQ(big.taxBase, 8970000);
    EXPECT_FALSE(big.belowExemption);
    EXPECT_EQ(big.tax, 125500);  // 8,970,000 × 1.4 % = 125,580
    EXPECT_EQ(file({asset("機械", "2", "2026", "1", "10000000", "10")}, 2027, "1.5").tax, 134500);
    EXPECT_THROW((void)file({}, 2027, "0"), std::invalid_argument);
}

}  // namespace
}  // namespace fenmark::yearend
