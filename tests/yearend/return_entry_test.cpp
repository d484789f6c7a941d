// The statement's figures as the online return system and e-Tax take them:
// which assets, each field taken from the statement line, the limits
// explained, and e-Tax's totals.

#include "yearend/return_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fenmark::yearend {
namespace {

// name, era code, era year, month, type, western year, cost, life, rate,
// method, ratio, new-rule rates; the rest as the card leaves them.
reg::Row asset(const std::string& name, const std::string& era, const std::string& eraYear,
               const std::string& month, const std::string& type, const std::string& western,
               const std::string& cost, const std::string& life, const std::string& rate,
               const std::string& method, const std::string& ratio = "100",
               const std::string& rates = "") {
    reg::Row row{};
    const auto set = [&row](reg::Column column, const std::string& text) {
        row[static_cast<std::size_t>(column - 1)] = text;
    };
    set(reg::assetName, name);
    set(reg::eraCode, era);
    set(reg::eraYear, eraYear);
    set(reg::acquisitionMonth, month);
    set(reg::typeCode, type);
    set(reg::westernYear, western);
    set(reg::acquisitionCost, cost);
    set(reg::usefulLife, life);
    set(reg::depreciationRate, rate);
    set(reg::methodCode, method);
    set(reg::quantity, "1");
    set(reg::businessRatio, ratio);
    set(reg::residualRatio, "10");
    set(reg::depreciationLimit, "95");
    set(reg::newRuleRates, rates);
    return row;
}

reg::Row car() {
    return asset("営業車", "2", "6", "7", "7", "2024", "2400000", "6", "0.333", "4", "80",
                 "0.3340.09911");
}

struct Filed {
    reg::AssetRegister assets;
    StatementData data;
    std::int32_t year = 0;
};

Filed file(const std::vector<reg::Row>& rows, int westernYear) {
    Filed filed;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        filed.assets.row(static_cast<int>(i) + 1) = rows[i];
    }
    filed.year = westernYear - 1988;
    schedule::Options options;
    options.currentYear = 2026;
    filed.data = computeStatement(filed.assets, static_cast<int>(rows.size()), filed.year, 12,
                                  options, true);
    return filed;
}

std::vector<int> records(const OnlineEntries& entries) {
    std::vector<int> out;
    for (const OnlineEntry& entry : entries.assets) out.push_back(entry.record);
    return out;
}

// Each field from the statement line, in the year of the asset's first
// switch to the revised rate and before it.
TEST(OnlineEntries, FieldsComeFromTheStatementLine) {
    const Filed before = file({car()}, 2026);
    const OnlineEntries early = onlineEntries(before.data, before.assets, before.year);
    ASSERT_EQ(early.assets.size(), 1U);
    const OnlineEntry& e = early.assets[0];
    const StatementLine& line = before.data.lines[0];
    EXPECT_EQ(e.kind, "減価償却資産（定率法）");
    EXPECT_EQ(e.detail, "車両運搬具");
    ASSERT_TRUE(e.acquired);
    EXPECT_EQ(e.acquired->era, law::Era::Reiwa);
    EXPECT_EQ(e.acquired->year, 6);
    EXPECT_EQ(e.acquired->month, 7);
    EXPECT_EQ(e.cost, 2400000);
    // The opening of a declining balance is its base.
    EXPECT_EQ(e.openingBook, line.baseYen);
    EXPECT_EQ(e.base, 1334266);
    EXPECT_EQ(e.life, 6);
    EXPECT_EQ(e.revisedBase, std::nullopt);
    EXPECT_EQ(e.months, 12);
    EXPECT_EQ(e.depreciation, line.year.depreciationYen);
    EXPECT_EQ(e.ratio, "80.00");
    EXPECT_FALSE(e.left);
    EXPECT_TRUE(e.problems.empty());
    EXPECT_EQ(onlineTypedText(e, OnlineField::Cost), "2400000");
    EXPECT_EQ(onlineDisplayText(e, OnlineField::Cost), "2,400,000");
    EXPECT_EQ(onlineTypedText(e, OnlineField::AcquiredEra), "令和");
    EXPECT_EQ(onlineTypedText(e, OnlineField::Left), "いいえ");
    EXPECT_EQ(early.expenseTotal, before.data.expenseTotal);

    const Filed switched = file({car()}, 2028);
    const OnlineEntries later = onlineEntries(switched.data, switched.assets, switched.year);
    ASSERT_EQ(later.assets.size(), 1U);
    const OnlineEntry& r = later.assets[0];
    EXPECT_EQ(r.revisedBase, 593599);
    EXPECT_EQ(r.base, 593599);
    EXPECT_EQ(r.remark, "改定償却");
}

// Which assets are in the return, and the kinds the register decides.
TEST(OnlineEntries, AssetsOfTheYearAndTheirKinds) {
    std::vector<reg::Row> rows = {
        asset("一括パソコン", "2", "8", "4", "4", "2026", "150000", "3", "0.334", "2"),
        asset("少額プリンタ", "2", "8", "6", "4", "2026", "250000", "5", "0.200", "6"),
        asset("来年の机", "2", "9", "1", "4", "2027", "500000", "8", "0.125", "3"),
        asset("廃棄済みの棚", "2", "2", "4", "4", "2020", "500000", "8", "0.125", "3"),
        asset("倉庫", "1", "20", "4", "0", "2008", "9000000", "31", "0.033", "3"),
        asset("看板", "2", "8", "4", "8", "2026", "400000", "10", "0.100", "3"),
        asset("梅の木", "2", "8", "4", "10", "2026", "300000", "30", "0.034", "5"),
        asset("開業費", "2", "8", "1", "9", "2026", "500000", "5", "0.200", "5"),
    };
    rows[3][reg::disposalMonth - 1] = "2024-03";
    rows[3][reg::disposalKind - 1] = "除却";
    const Filed filed = file(rows, 2026);
    const OnlineEntries entries = onlineEntries(filed.data, filed.assets, filed.year);
    EXPECT_EQ(records(entries), (std::vector<int>{1, 2, 5, 6, 7, 8}));
    const auto& a = entries.assets;
    EXPECT_EQ(a[0].kind, "一括償却資産");
    EXPECT_EQ(a[0].detail, "");
    EXPECT_EQ(a[0].months, 12);
    EXPECT_EQ(a[1].kind, "中小企業者の特例対象資産");
    EXPECT_EQ(a[1].detail, "工具器具備品");
    EXPECT_EQ(a[1].months, 7);
    EXPECT_EQ(a[1].remark, "措置法28の2");
    EXPECT_EQ(a[2].kind, "建物（定額法）");
    EXPECT_EQ(a[2].openingBook, filed.data.lines[4].openingBookYen);
    EXPECT_TRUE(a[3].detailToChoose);
    EXPECT_NE(a[3].problemOf(OnlineField::Detail), nullptr);
    EXPECT_TRUE(a[4].kindToChoose);
    EXPECT_EQ(a[5].kind, "繰延資産");
    // Acquired in the year: no opening asked.
    EXPECT_EQ(a[0].openingBook, std::nullopt);
}

// The limits: a name of 17 characters shows where to cut, 摘要 beyond 8,
// a share of three decimals, more than 220 assets.
TEST(OnlineEntries, LimitsAreExplained) {
    std::vector<reg::Row> rows(
        221, asset("机", "2", "8", "4", "4", "2026", "500000", "8", "0.125", "3", "33.333"));
    rows[0][reg::assetName - 1] = "カウンター工事（店舗内装一式を含む）";
    rows[1][reg::disposalMonth - 1] = "2026-09";
    rows[1][reg::disposalKind - 1] = "売却";
    const Filed filed = file(rows, 2026);
    const OnlineEntries entries = onlineEntries(filed.data, filed.assets, filed.year);
    ASSERT_EQ(entries.assets.size(), 221U);
    ASSERT_EQ(entries.warnings.size(), 1U);
    EXPECT_NE(entries.warnings[0].find("220"), std::string::npos);

    const FieldProblem* name = entries.assets[0].problemOf(OnlineField::Name);
    ASSERT_NE(name, nullptr);
    EXPECT_NE(name->message.find("「カウンター工事（店舗内装一式を含」｜「む）」"),
              std::string::npos)
        << name->message;
    EXPECT_EQ(entries.assets[0].problemOf(OnlineField::Remark), nullptr);
    EXPECT_EQ(entries.assets[0].ratio, "33.33");
    EXPECT_NE(entries.assets[0].problemOf(OnlineField::Ratio), nullptr);

    const OnlineEntry& sold = entries.assets[1];
    EXPECT_TRUE(sold.left);
    EXPECT_EQ(sold.months, 6);
    EXPECT_NE(sold.problemOf(OnlineField::Remark), nullptr);  // 売却（簿価 …円）
    EXPECT_EQ(onlineTypedText(sold, OnlineField::Left), "はい");
}

// e-Tax: the form's rows, the continuation of the rest and the totals equal
// to the statement's, the rows its checks refuse.
TEST(EtaxTable, TotalsAndContinuation) {
    std::vector<reg::Row> rows;
    for (int i = 0; i < 9; ++i) {
        rows.push_back(asset("備品" + std::to_string(i), "2", "7", std::to_string(i + 1), "4",
                             "2025", std::to_string(300000 + i * 1000), "5", "0.400", "4", "100",
                             "0.5000.10800"));
    }
    rows.push_back(asset("古い机", "1", "10", "4", "4", "1998", "200000", "8", "0.250", "0"));
    const Filed filed = file(rows, 2026);
    const EtaxTable blue = etaxTable(filed.data, filed.assets, filed.year, ReturnForm::Blue);
    EXPECT_EQ(blue.form, "KOA210");
    ASSERT_EQ(blue.rows.size(), 10U);
    EXPECT_EQ(blue.total.depreciation, filed.data.depreciationTotal);
    EXPECT_EQ(blue.total.depreciationTotal, filed.data.depreciationTotal);
    EXPECT_EQ(blue.total.expense, filed.data.expenseTotal);
    EXPECT_EQ(blue.total.bookValue, filed.data.bookValueTotal);
    std::int64_t rest = 0;
    for (std::size_t i = 7; i < blue.rows.size(); ++i) rest += *blue.rows[i].cost;
    EXPECT_EQ(blue.continuation.cost, rest);
    EXPECT_EQ(blue.rows[0].rate, "0.400");
    EXPECT_EQ(blue.rows[0].ratio, "100.00");
    EXPECT_EQ(etaxEraCode(blue.rows[0].acquired->era), 5);
    EXPECT_EQ(etaxEraCode(blue.rows[9].acquired->era), 4);
    // The written-off desk has no period: e-Tax takes 1 to 12 months.
    ASSERT_EQ(blue.problems.size(), 1U);
    EXPECT_EQ(blue.problems[0].row, 10);
    EXPECT_EQ(blue.problems[0].record, 10);
    EXPECT_EQ(blue.problems[0].field, "AMF01720");

    const EtaxTable income = etaxTable(filed.data, filed.assets, filed.year, ReturnForm::Income);
    EXPECT_EQ(income.form, "KOA110");
    EXPECT_EQ(income.formRows, 6);
    EXPECT_EQ(income.continuation.cost, blue.continuation.cost + *blue.rows[6].cost);
}

}  // namespace
}  // namespace fenmark::yearend
