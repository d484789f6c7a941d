// The schedule window's model: loading, paging, messages, failures.

#include "schedule/schedule_window.h"

#include <gtest/gtest.h>

#include "schedule/schedule_fixture.h"

namespace fenmark::schedule {
namespace {

using fenmark::test::asset;
using testing::open;
using testing::with;

reg::Row oldDeclining() { return asset("旋盤", "1", "2", "1", "2", "1000000", "10", "0.206", "0"); }

TEST(ScheduleWindow, LoadsOnTheFirstAsset) {
    auto shown = open({oldDeclining(), testing::newDeclining()});
    shown->state.currentRecord = 2;
    ScheduleWindowModel& w = *shown->window;
    w.Form_Load();
    EXPECT_EQ(shown->state.currentRecord, 1);
    EXPECT_EQ(w.lblNum.caption, "1/2");
    EXPECT_EQ(w.txtName.text, "旋盤");
    EXPECT_EQ(w.Caption.caption, "償却費シュミレーション");
    EXPECT_EQ(w.cmdCancel.toolTip, "メインフォームに戻る");
    EXPECT_EQ(w.cmdPrint.caption, "印刷");
}

TEST(ScheduleWindow, PrintPrintsTheAssetOnShow) {
    reg::ProgramState state;
    state.assetRegister.row(1) = oldDeclining();
    state.recordCount = 1;
    platform::ScriptedDialogs dialogs;
    platform::RecordingPrintDevice device;
    ScheduleWindowModel w(state, dialogs, {"12", "0", 2024}, nullptr, &device);
    w.Form_Load();
    dialogs.queuePrinter(true);
    EXPECT_TRUE(w.click("cmdPrint"));
    ASSERT_EQ(device.documents().size(), 1u);
    EXPECT_TRUE(device.documents()[0].ended());
    // Without a device (the statement's unseen window) the button does nothing.
    ScheduleWindowModel unseen(state, dialogs, {"12", "0", 2024});
    unseen.Form_Load();
    EXPECT_TRUE(unseen.click("cmdPrint"));
}

TEST(ScheduleWindow, OneAssetTellsFirstAndLastPage) {
    auto shown = open({oldDeclining()});
    ScheduleWindowModel& w = *shown->window;
    w.cmdFF_Click();
    w.cmdRew_Click();
    ASSERT_EQ(shown->dialogs.messages().size(), 2u);
    EXPECT_EQ(shown->dialogs.messages()[0].text, kLastPageMessage);
    EXPECT_EQ(shown->dialogs.messages()[0].text, "最後のページです。");
    EXPECT_EQ(shown->dialogs.messages()[1].text, "1ページ目です。");
    EXPECT_EQ(shown->dialogs.messages()[1].buttons, platform::Buttons::Ok);
    EXPECT_EQ(shown->state.currentRecord, 1);
}

TEST(ScheduleWindow, PagesForwardAndBack) {
    auto shown = open({oldDeclining(), testing::newDeclining()});
    ScheduleWindowModel& w = *shown->window;
    EXPECT_EQ(w.Text2.text, "");
    EXPECT_TRUE(w.click("cmdFF"));
    EXPECT_EQ(shown->state.currentRecord, 2);
    EXPECT_EQ(w.lblNum.caption, "2/2");
    // The rates are cut out before the schedule needs them.
    EXPECT_EQ(w.Text2.text, "0.04448");
    EXPECT_EQ(w.Text3.text, "0.334");
    EXPECT_EQ(w.Fxg2.text(8, colRemark), "改定償却");
    EXPECT_TRUE(w.click("cmdRew"));
    EXPECT_EQ(w.lblNum.caption, "1/2");
    EXPECT_EQ(w.lblSHou.caption, "旧定率法");
    EXPECT_EQ(w.Fxg2.text(1, colAmount), "206,000");
    EXPECT_EQ(w.Text2.text, "");
    EXPECT_TRUE(shown->dialogs.messages().empty());
}

// The last page of a full register is a last page like any other: "＞"
// tells so and stays, "＜" still goes back; the statement's paging stops.
TEST(ScheduleWindow, AFullRegistersLastPageIsTheLastPage) {
    std::vector<reg::Row> rows(reg::kMaxRecords, oldDeclining());
    rows.back() = with(testing::newDeclining(), {{reg::assetName, "最後の資産"}});
    auto shown = open(rows);
    ScheduleWindowModel& w = *shown->window;
    for (int i = 1; i < reg::kMaxRecords; ++i) EXPECT_TRUE(w.click("cmdFF"));
    EXPECT_EQ(w.lblNum.caption, "1000/1000");
    EXPECT_EQ(w.txtName.text, "最後の資産");
    EXPECT_TRUE(shown->dialogs.messages().empty());
    for (int press = 1; press <= 2; ++press) {
        EXPECT_TRUE(w.click("cmdFF"));
        ASSERT_EQ(shown->dialogs.messages().size(), static_cast<std::size_t>(press));
        EXPECT_EQ(shown->dialogs.messages().back().text, "最後のページです。");
        EXPECT_EQ(shown->state.currentRecord, 1000);
        EXPECT_EQ(w.lblNum.caption, "1000/1000");
        EXPECT_EQ(w.txtName.text, "最後の資産");
    }
    w.Pageup();
    EXPECT_EQ(shown->state.currentRecord, 1000);
    EXPECT_TRUE(w.click("cmdRew"));
    EXPECT_EQ(w.lblNum.caption, "999/1000");
    EXPECT_EQ(shown->dialogs.messages().size(), 2u);
}

// Short of the capacity the last asset says so too, whatever the count.
TEST(ScheduleWindow, NextOnTheLastAssetSaysSoForAnyCount) {
    for (const int count : {2, 60, 999}) {
        SCOPED_TRACE(count);
        auto shown = open(std::vector<reg::Row>(static_cast<std::size_t>(count), oldDeclining()));
        ScheduleWindowModel& w = *shown->window;
        shown->state.currentRecord = static_cast<std::int16_t>(count - 1);
        w.cmdFF_Click();
        EXPECT_EQ(w.lblNum.caption, std::to_string(count) + "/" + std::to_string(count));
        EXPECT_TRUE(shown->dialogs.messages().empty());
        w.cmdFF_Click();
        ASSERT_EQ(shown->dialogs.messages().size(), 1u);
        EXPECT_EQ(shown->dialogs.messages()[0].text, kLastPageMessage);
        EXPECT_EQ(shown->state.currentRecord, count);
    }
}

// The statement pages as far as it likes; a row past the record count is
// what the register holds there.
TEST(ScheduleWindow, PageupHasNoBoundTest) {
    auto shown = open({oldDeclining(), testing::newDeclining()});
    shown->state.recordCount = 1;
    ScheduleWindowModel& w = *shown->window;
    w.Pageup();
    EXPECT_EQ(w.lblNum.caption, "2/1");
    EXPECT_EQ(w.lblSHou.caption, "新定率法");
    w.Pageup();
    EXPECT_EQ(w.Fxg2.rows(), 1);
}

TEST(ScheduleWindow, AnAssetWithoutAProcedureLeavesNothingOfThePreviousOne) {
    auto shown = open(
        {testing::newDeclining(), asset("謎", "1", "20", "1", "2", "100000", "5", "0.200", "5")});
    ScheduleWindowModel& w = *shown->window;
    w.cmdFF_Click();
    EXPECT_EQ(w.Fxg2.rows(), 1);
    EXPECT_EQ(w.gridRowCount, 1);
    EXPECT_EQ(w.lblHo.caption, "");
    EXPECT_EQ(w.lblSHou.caption, "");
}

struct FailureCase {
    const char* name;
    reg::Column column;
    const char* text;
};

class ScheduleFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ScheduleFailureTest, TellsTheUserAndShowsNoSchedule) {
    const reg::Row bad = with(testing::newDeclining(), {{GetParam().column, GetParam().text}});
    auto shown = open({oldDeclining(), bad, oldDeclining()});
    ScheduleWindowModel& w = *shown->window;
    w.cmdFF_Click();
    EXPECT_TRUE(w.scheduleFailed());
    ASSERT_EQ(shown->dialogs.messages().size(), 1u);
    EXPECT_EQ(shown->dialogs.messages()[0].text,
              "この資産の償却費を計算できません。登録内容を確認してください。");
    EXPECT_EQ(shown->dialogs.messages()[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(w.Fxg2.rows(), 1);
    EXPECT_EQ(w.gridRowCount, 1);
    EXPECT_TRUE(w.Fxg2Visible);
    EXPECT_EQ(w.txtName.text, "パソコン");
    EXPECT_EQ(w.lblNum.caption, "2/3");
    w.cmdFF_Click();
    EXPECT_FALSE(w.scheduleFailed());
    EXPECT_EQ(w.Fxg2.text(1, colAmount), "206,000");
}

INSTANTIATE_TEST_SUITE_P(
    Values, ScheduleFailureTest,
    ::testing::Values(FailureCase{"costBeyond32Bits", reg::acquisitionCost, "3000000000"},
                      FailureCase{"lifeBeyond16Bits", reg::usefulLife, "40000"},
                      FailureCase{"lifeBeyondTheGridIndex", reg::usefulLife, "5000"},
                      FailureCase{"yearBeyond16Bits", reg::westernYear, "99999"},
                      FailureCase{"rateBeyondSingle", reg::depreciationRate,
                                  "1000000000000000000000000000000000000000"}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(ScheduleWindow, EveryMethodReportsItsOverflow) {
    for (const char* method : {"0", "1", "2", "3", "4"}) {
        auto shown = open({with(
            oldDeclining(), {{reg::acquisitionCost, "9999999999"}, {reg::methodCode, method}})});
        SCOPED_TRACE(method);
        EXPECT_TRUE(shown->window->scheduleFailed());
        EXPECT_EQ(shown->dialogs.messages().size(), 1u);
    }
}

TEST(ScheduleWindow, RoundingAndClosingMonthComeFromTheSettings) {
    auto down = open({testing::newDeclining()}, {"3", "1", 2012});
    EXPECT_EQ(down->window->Label3.caption, "計算方法：切捨て");
    EXPECT_EQ(down->window->Text4.text, "1");
    EXPECT_EQ(down->window->roundingFlag, 1);
    EXPECT_EQ(down->window->closingMonth, 3);
    EXPECT_EQ(down->window->lblkeki.caption, "決算月　3月");
    auto up = open({testing::newDeclining()}, {"12", "0", 2012});
    EXPECT_EQ(up->window->Label3.caption, "計算方法：切上げ");
    EXPECT_EQ(up->window->roundingFlag, 0);
    // the elapsed years count to the year given
    auto later = open({testing::newDeclining()}, {"12", "1", 2030});
    EXPECT_EQ(later->window->elapsedYears, 22);
    EXPECT_EQ(later->window->Fxg2.rows(), 30);  // elapsed + 8
}

class RecordingHost : public ScheduleWindowHost {
  public:
    void showMain() override { calls.push_back("showMain"); }
    void unloadSchedule() override { calls.push_back("unload"); }
    std::vector<std::string> calls;
};

TEST(ScheduleWindow, BackReturnsToTheMainWindow) {
    reg::ProgramState state;
    state.assetRegister.row(1) = oldDeclining();
    state.recordCount = 1;
    platform::ScriptedDialogs dialogs;
    RecordingHost host;
    ScheduleWindowModel w(state, dialogs, {"12", "0", 2012}, &host);
    w.Form_Load();
    EXPECT_TRUE(w.click("cmdCancel"));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"unload", "showMain"}));
    w.Form_Unload();
    EXPECT_EQ(host.calls.back(), "showMain");
}

}  // namespace
}  // namespace fenmark::schedule
