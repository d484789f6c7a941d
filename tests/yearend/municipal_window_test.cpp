// The municipal return's window: the year it offers, what the tables show
// for a register with every kind of row, the sums against the return
// itself, the rate of the estimate, refused input, an empty register,
// printing and closing.

#include "yearend/municipal_window.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "test_support.h"
#include "yearend/municipal_print.h"

namespace fenmark::yearend {
namespace {

using platform::Answer;

class RecordingHost : public MunicipalWindowHost {
  public:
    void showMain() override { ++shown; }
    void unloadMunicipal() override { ++unloads; }
    int shown = 0;
    int unloads = 0;
};

struct YearCase {
    int clockYear;
    int clockMonth;
    const char* year;
    const char* date;
};

TEST(MunicipalWindowYear, TheComingFirstOfJanuaryFromOctoberOn) {
    const YearCase cases[] = {
        {2026, 9, "2026", "令和8年1月1日現在"},  {2026, 10, "2027", "令和9年1月1日現在"},
        {2026, 12, "2027", "令和9年1月1日現在"}, {2027, 1, "2027", "令和9年1月1日現在"},
        {2019, 1, "2019", "平成31年1月1日現在"}, {2019, 11, "2020", "令和2年1月1日現在"},
    };
    for (const YearCase& c : cases) {
        reg::ProgramState state;
        platform::ScriptedDialogs dialogs;
        MunicipalWindowModel window(state, dialogs, {c.clockYear, c.clockMonth});
        window.Form_Load();
        EXPECT_EQ(window.txtYear.text, c.year) << c.clockYear << "-" << c.clockMonth;
        EXPECT_EQ(window.lblDate.caption, c.date) << c.clockYear << "-" << c.clockMonth;
        EXPECT_EQ(window.txtRate.text, "1.4");
    }
    // 1 January 1989 was still 昭和.
    EXPECT_EQ(municipalDateText(1989), "昭和64年1月1日");
    EXPECT_EQ(municipalDateText(1990), "平成2年1月1日");
}

TEST(MunicipalWindowText, AmountsKindsAndReasons) {
    const std::pair<std::int64_t, const char*> amounts[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {1234567, "1,234,567"},
        {-1234567, "-1,234,567"},
        {std::numeric_limits<std::int64_t>::min(), "-9,223,372,036,854,775,808"},
    };
    for (const auto& [amount, text] : amounts) EXPECT_EQ(yenText(amount), text) << amount;
    EXPECT_EQ(kindText(6), "6 工具・器具及び備品");
    EXPECT_EQ(kindText(1), "1 構築物");
    EXPECT_EQ(increaseText(kIncreaseNew), "1 新品");
    EXPECT_EQ(increaseText(kIncreaseUsed), "2 中古");
    EXPECT_EQ(increaseText(kIncreaseOther), "4 その他");
}

// A register with one asset of every sort the window tells apart.
class MunicipalWindowTest : public ::testing::Test {
  protected:
    MunicipalWindowTest() {
        // 1: 機械 bought in 2020, held.
        state.assetRegister.row(1) =
            test::asset("旋盤", "2", "2", "4", "2", "1000000", "10", "0.100", "5");
        // 2: 備品 bought last year: the published 400,000 yen, life 5.
        state.assetRegister.row(2) =
            test::asset("作業台", "2", "8", "8", "4", "400000", "5", "0.200", "5");
        // 3: 機械 bought in 2018 and sold last year.
        state.assetRegister.row(3) =
            test::asset("溶接機", "1", "30", "4", "2", "600000", "10", "0.100", "5");
        state.assetRegister.at(3, reg::disposalMonth) = "2026-06";
        state.assetRegister.at(3, reg::disposalKind) = "売却";
        // 4: a building, never declared.
        state.assetRegister.row(4) =
            test::asset("事務所", "2", "3", "4", "0", "9000000", "22", "0.046", "5");
        // 5: a small asset under the special rule, bought last year, life 1.
        state.assetRegister.row(5) =
            test::asset("プリンタ", "2", "8", "6", "4", "250000", "1", "1.000", "6");
        // 6: その他, declared as 構築物.
        state.assetRegister.row(6) =
            test::asset("看板", "2", "3", "7", "8", "300000", "10", "0.100", "5");
        state.recordCount = 6;
        state.chosenFilePath = "/home/user/台帳.dat";
    }

    MunicipalWindowModel& opened() {
        window.Form_Load();
        return window;
    }

    std::vector<std::string> column(const platform::Grid& grid, int col) const {
        std::vector<std::string> out;
        for (int r = 1; r < grid.rows(); ++r) out.push_back(grid.text(r, col));
        return out;
    }

    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    RecordingHost host;
    platform::RecordingPrintDevice device;
    MunicipalWindowModel window{state, dialogs, {2026, 11}, &host, &device};
};

TEST_F(MunicipalWindowTest, RowsByKindThenWhatLeftEachMarked) {
    const MunicipalWindowModel& w = opened();
    EXPECT_TRUE(dialogs.messages().empty());
    ASSERT_TRUE(w.shown.has_value());
    EXPECT_EQ(w.shown->year, 2027);
    EXPECT_EQ(column(w.Fxg, mcRecord), (std::vector<std::string>{"6", "1", "2", "5", "3"}));
    EXPECT_EQ(column(w.Fxg, mcKind),
              (std::vector<std::string>{"1 構築物", "2 機械及び装置", "6 工具・器具及び備品",
                                        "6 工具・器具及び備品", "2 機械及び装置"}));
    EXPECT_EQ(w.marks,
              (std::vector<MunicipalMark>{
                  MunicipalMark::Held, MunicipalMark::Held, MunicipalMark::AcquiredLastYear,
                  MunicipalMark::AcquiredLastYear, MunicipalMark::Removed}));
    // Every cell of a marked row carries its colour, and no other row any.
    const std::optional<platform::Rgb> colours[] = {
        std::nullopt, std::nullopt, kMunicipalLastYearColor, kMunicipalLastYearColor,
        kMunicipalRemovedColor};
    for (int r = 1; r <= 5; ++r) {
        for (int c = 0; c < kMunicipalColumns; ++c) {
            EXPECT_EQ(w.Fxg.backColor(r, c), colours[r - 1]) << r << "," << c;
        }
    }

    // 作業台: the published first-year value.
    const std::vector<std::string> desk = {"2",       "6 工具・器具及び備品",
                                           "作業台",  "1",
                                           "5 令和",  "8",
                                           "8",       "400,000",
                                           "5",       "0.815",
                                           "326,000", "326,000",
                                           "1 新品",  ""};
    for (int c = 0; c < kMunicipalColumns; ++c) {
        EXPECT_EQ(w.Fxg.text(3, c), desk[static_cast<std::size_t>(c)]) << municipalHeading(c);
    }
    // The small asset: no value, the note and the warning say why.
    EXPECT_EQ(w.Fxg.text(4, mcValue), "");
    EXPECT_EQ(w.Fxg.text(4, mcNote), kEnterLifeNote);
    EXPECT_TRUE(w.lblWarnings.visible);
    EXPECT_EQ(w.lblWarnings.caption, std::string(kMunicipalWarningsHeading) +
                                         "\nNo.5 プリンタ：耐用年数を入力してください。");
    // What left: its acquisition from the register, 減少 with month and how.
    EXPECT_EQ(w.Fxg.text(5, mcEra), "4 平成");
    EXPECT_EQ(w.Fxg.text(5, mcYear), "30");
    EXPECT_EQ(w.Fxg.text(5, mcMonth), "4");
    EXPECT_EQ(w.Fxg.text(5, mcCost), "600,000");
    EXPECT_EQ(w.Fxg.text(5, mcValue), "");
    EXPECT_EQ(w.Fxg.text(5, mcReason), kMunicipalRemovedMark);
    EXPECT_EQ(w.Fxg.text(5, mcNote), "減少：令和8年6月 売却");

    EXPECT_EQ(column(w.FxgExcluded, 1), std::vector<std::string>{"事務所"});
    EXPECT_EQ(column(w.FxgExcluded, 2), std::vector<std::string>{"対象外（建物）"});
    EXPECT_EQ(w.lblHeading.caption,
              "令和9年1月1日現在　申告する資産 4件（うち前年中の取得 2件）　前年中の減少 1件");
    EXPECT_EQ(w.tabAssets.caption, "種類別明細書（全資産用） 5件");
    EXPECT_EQ(w.tabExcluded.caption, "申告しない資産 1件");
    EXPECT_TRUE(w.lblLastYearLegend.visible);
    EXPECT_TRUE(w.lblRemovedLegend.visible);
    EXPECT_TRUE(w.cmdPrint.enabled);
}

TEST_F(MunicipalWindowTest, SumsShownAreTheReturnsOwn) {
    const MunicipalWindowModel& w = opened();
    const MunicipalReturn r = municipalReturn(state.assetRegister, state.recordCount, 2027);
    ASSERT_EQ(w.FxgKinds.rows(), 8);
    for (int k = 1; k <= kMunicipalKinds + 1; ++k) {
        const bool total = k == kMunicipalKinds + 1;
        const KindSums& sums = total ? r.total : r.byKind[static_cast<std::size_t>(k - 1)];
        const std::int64_t value =
            total ? r.totalValue : r.valueByKind[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(w.FxgKinds.text(k, kcKind), total ? "合計" : kindText(k));
        EXPECT_EQ(w.FxgKinds.text(k, kcI), yenText(sums.i)) << k;
        EXPECT_EQ(w.FxgKinds.text(k, kcRo), yenText(sums.ro)) << k;
        EXPECT_EQ(w.FxgKinds.text(k, kcHa), yenText(sums.ha)) << k;
        EXPECT_EQ(w.FxgKinds.text(k, kcNi), yenText(sums.ni)) << k;
        EXPECT_EQ(w.FxgKinds.text(k, kcValue), yenText(value)) << k;
    }
    // The machines: 旋盤 and the sold 溶接機 before, the 溶接機 gone.
    EXPECT_EQ(w.FxgKinds.text(2, kcI), "1,600,000");
    EXPECT_EQ(w.FxgKinds.text(2, kcRo), "600,000");
    EXPECT_EQ(w.FxgKinds.text(2, kcNi), "1,000,000");
    EXPECT_EQ(w.FxgKinds.text(6, kcHa), "650,000");
    EXPECT_EQ(w.FxgKinds.backColor(7, kcI), kMunicipalTotalColor);

    EXPECT_EQ(w.lblTotalValue.caption, "評価額の合計：" + yenText(r.totalValue) + "円");
    EXPECT_EQ(w.lblTaxBase.caption,
              "課税標準額（1,000円未満切捨て）：" + yenText(r.taxBase) + "円");
    EXPECT_EQ(w.lblTax.caption, "税額（見込み）：0円（課税標準額 × 税率1.4%、100円未満切捨て）");
    EXPECT_TRUE(w.lblExemption.visible);
    EXPECT_EQ(w.lblExemption.caption, kMunicipalExemptionText);
    EXPECT_TRUE(w.lblTaxNote.visible);
}

TEST_F(MunicipalWindowTest, TheRateChangesTheEstimateAndABadOneChangesNothing) {
    // A machine large enough to be taxed: 8,970,000 yen of base in 2027.
    state.assetRegister.row(7) =
        test::asset("プレス機", "2", "8", "1", "2", "10000000", "10", "0.100", "5");
    state.recordCount = 7;
    MunicipalWindowModel& w = opened();
    ASSERT_FALSE(w.shown->belowExemption);
    const std::int64_t base = w.shown->taxBase;
    EXPECT_FALSE(w.lblExemption.visible);
    EXPECT_EQ(w.shown->tax, (base * 14 / 1000) / 100 * 100);

    // Typed with the input method's full-width digits.
    w.setTxtRate("１．５");
    w.cmdShow_Click();
    EXPECT_EQ(w.shown->rate, "1.5");
    EXPECT_EQ(w.shown->tax, (base * 15 / 1000) / 100 * 100);
    const std::string tax = w.lblTax.caption;
    EXPECT_NE(tax.find("税率1.5%"), std::string::npos) << tax;

    for (const char* bad : {"abc", "0", "-1", "100.5", ""}) {
        dialogs.clearRecord();
        w.setTxtRate(bad);
        w.cmdShow_Click();
        ASSERT_EQ(dialogs.messages().size(), 1U) << bad;
        EXPECT_EQ(dialogs.messages()[0].text, kMunicipalBadRateMessage);
        EXPECT_EQ(w.shown->rate, "1.5") << bad;
        EXPECT_EQ(w.lblTax.caption, tax) << bad;
    }
    for (const char* bad : {"27", "20x7", "1989", "3000"}) {
        dialogs.clearRecord();
        w.setTxtRate("1.4");
        w.setTxtYear(bad);
        EXPECT_EQ(w.lblDate.caption, "") << bad;
        w.cmdShow_Click();
        ASSERT_EQ(dialogs.messages().size(), 1U) << bad;
        EXPECT_EQ(dialogs.messages()[0].text, kMunicipalBadYearMessage);
        EXPECT_EQ(w.shown->year, 2027) << bad;
    }
}

TEST_F(MunicipalWindowTest, AnotherYearShowsItsOwnReturn) {
    MunicipalWindowModel& w = opened();
    w.setTxtYear("2026");
    EXPECT_EQ(w.lblDate.caption, "令和8年1月1日現在");
    w.cmdShow_Click();
    ASSERT_EQ(w.shown->year, 2026);
    // On 1 January 2026 the 溶接機 was still held and last year's purchases
    // not yet made; nothing is coloured any more.
    EXPECT_EQ(column(w.Fxg, mcRecord), (std::vector<std::string>{"6", "1", "3"}));
    for (int r = 1; r < w.Fxg.rows(); ++r) EXPECT_EQ(w.Fxg.backColor(r, mcName), std::nullopt);
    EXPECT_FALSE(w.lblWarnings.visible);
    EXPECT_EQ(column(w.FxgExcluded, 2),
              (std::vector<std::string>{"賦課期日より後の取得", "対象外（建物）",
                                        "賦課期日より後の取得"}));
}

TEST(MunicipalWindowEmpty, NoRegisterAndNothingDeclaredAreSaidInTheWindow) {
    reg::ProgramState state;
    platform::ScriptedDialogs dialogs;
    MunicipalWindowModel empty(state, dialogs, {2026, 11});
    empty.Form_Load();
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(empty.lblHeading.caption, kMunicipalNoAssetsMessage);
    EXPECT_FALSE(empty.shown.has_value());
    EXPECT_FALSE(empty.cmdPrint.enabled);
    EXPECT_EQ(empty.Fxg.rows(), 1);
    EXPECT_FALSE(empty.lblTax.visible);
    EXPECT_FALSE(empty.FxgKindsVisible);
    EXPECT_TRUE(empty.click("cmdPrint"));

    state.assetRegister.row(1) =
        test::asset("事務所", "2", "3", "4", "0", "9000000", "22", "0.046", "5");
    state.recordCount = 1;
    MunicipalWindowModel buildings(state, dialogs, {2026, 11});
    buildings.Form_Load();
    EXPECT_EQ(buildings.lblHeading.caption,
              std::string("令和9年1月1日現在　") + kMunicipalNothingDeclared);
    EXPECT_EQ(buildings.Fxg.rows(), 1);
    EXPECT_EQ(buildings.FxgExcluded.rows(), 2);
    EXPECT_EQ(buildings.FxgKinds.text(7, kcNi), "0");
    EXPECT_TRUE(buildings.FxgKindsVisible);
    EXPECT_TRUE(buildings.lblExemption.visible);
}

TEST_F(MunicipalWindowTest, PrintingAsksThenPrintsWhatTheBoxesSay) {
    MunicipalWindowModel& w = opened();
    dialogs.queueAnswer(Answer::Cancel);
    EXPECT_TRUE(w.click("cmdPrint"));
    EXPECT_TRUE(device.documents().empty());
    ASSERT_EQ(dialogs.messages().size(), 1U);
    EXPECT_EQ(dialogs.messages()[0].text, kPrintMunicipalQuestion);

    // A rate typed but not yet shown is shown first, then printed.
    w.setTxtRate("2");
    dialogs.queueAnswer(Answer::Ok);
    dialogs.queuePrinter(true);
    w.click("cmdPrint");
    EXPECT_EQ(w.shown->rate, "2");
    ASSERT_EQ(device.documents().size(), 1U);
    const platform::RecordingPrinter& printed = device.documents()[0];
    EXPECT_TRUE(printed.ended());
    bool rateOnPaper = false;
    for (const auto& op : printed.onPage(printed.pageCount())) {
        rateOnPaper = rateOnPaper || op.text.find("税率2%") != std::string::npos;
    }
    EXPECT_TRUE(rateOnPaper);

    // A refused rate prints nothing.
    dialogs.clearRecord();
    w.setTxtRate("x");
    w.click("cmdPrint");
    EXPECT_EQ(device.documents().size(), 1U);
    ASSERT_EQ(dialogs.messages().size(), 1U);
    EXPECT_EQ(dialogs.messages()[0].text, kMunicipalBadRateMessage);
}

TEST_F(MunicipalWindowTest, ClosingShowsTheMainWindowOnce) {
    MunicipalWindowModel& w = opened();
    EXPECT_TRUE(w.click("cmdClose"));
    EXPECT_EQ(host.unloads, 1);
    EXPECT_EQ(host.shown, 0);
    w.unload();
    w.unload();
    EXPECT_EQ(host.shown, 1);
    EXPECT_FALSE(w.click("cmdNothing"));
}

}  // namespace
}  // namespace fenmark::yearend
