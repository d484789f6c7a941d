#include "register/display_order.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <vector>

#include "platform/text_file.h"
#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

struct RecordingOwner : DisplayOrderOwner {
    void rebuildList() override { calls.push_back("rebuildList"); }
    void showMain() override { calls.push_back("showMain"); }
    std::vector<std::string> calls;
};

class DisplayOrderTest : public ::testing::Test {
  protected:
    // A register of `count` assets in use from its file, as after Open.
    void openRegister(int count) {
        AssetRegister reg;
        for (int i = 1; i <= count; ++i) {
            reg.row(i) = test::asset("資産" + std::to_string(i), "1", std::to_string(10 + i), "4",
                                     "4", "100000", "5", "0.200", "3");
        }
        path_ = dir_.file("register.dat");
        writeRegisterFile(path_, reg, count);
        state_.assetRegister = reg;
        state_.recordCount = static_cast<std::int16_t>(count);
        state_.currentFilePath = path_;
        state_.chosenFilePath = path_;
    }

    // The row numbers of the original register, in the order a register
    // now holds them ("資産5" is original row 5).
    static std::vector<int> originalRows(const AssetRegister& reg, int count) {
        std::vector<int> out;
        for (int row = 1; row <= count; ++row) {
            out.push_back(std::stoi(reg.at(row, assetName).substr(std::string("資産").size())));
        }
        return out;
    }

    std::vector<int> fileOrder() const {
        const LoadedRegister loaded = readRegisterFile(path_);
        return originalRows(loaded.assetRegister, loaded.recordCount);
    }

    void choose(int row) { model_.lstName_Click(row - 1); }

    test::TempDir dir_;
    std::string path_;
    ProgramState state_;
    platform::ScriptedDialogs dialogs_;
    RecordingOwner owner_;
    DisplayOrderModel model_{state_, dialogs_, owner_};
};

TEST_F(DisplayOrderTest, ListsTheRecordsOfTheFileInUse) {
    openRegister(3);
    model_.Form_Load();
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(model_.Caption.caption, "表示順変更");
    EXPECT_EQ(model_.Label1.caption, "移動をするリストをクリックしてください");
    EXPECT_EQ(model_.Label2.caption, "を");
    EXPECT_EQ(model_.Label3.caption, "番に挿入します。");
    EXPECT_EQ(model_.Command1.caption, "実行");
    EXPECT_EQ(model_.Command2.caption, "戻る");
    EXPECT_EQ(model_.lstName.items, (std::vector<std::string>{"1  資産1", "2  資産2", "3  資産3"}));
    EXPECT_EQ(model_.Text4.text, "3");
    EXPECT_EQ(model_.orderCount, 3);
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
        ASSERT_NE(model_.textBox(name), nullptr);
        EXPECT_FALSE(model_.textBox(name)->visible) << name;
    }

    choose(2);
    EXPECT_EQ(model_.Text1.text, "2  資産2");
    EXPECT_EQ(model_.Text3.text, "2");
    EXPECT_TRUE(model_.Text1.visible);
    EXPECT_TRUE(model_.Text2.visible);
}

struct MoveCase {
    std::string name;
    int count;
    int source;
    int target;
    std::vector<int> order;
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }

class MoveTest : public DisplayOrderTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveTest, RewritesTheFileInTheNewOrderAndReadsItBack) {
    const MoveCase& c = GetParam();
    openRegister(c.count);
    model_.Form_Load();
    choose(c.source);
    model_.setText2(std::to_string(c.target));
    model_.click("Command1");
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(fileOrder(), c.order);
    EXPECT_EQ(originalRows(state_.assetRegister, c.count), c.order);
    EXPECT_EQ(state_.recordCount, c.count);
    // The list shows the new order, numbered afresh.
    ASSERT_EQ(model_.lstName.items.size(), static_cast<std::size_t>(c.count));
    for (int i = 0; i < c.count; ++i) {
        EXPECT_EQ(model_.lstName.items[static_cast<std::size_t>(i)],
                  std::to_string(i + 1) + "  資産" +
                      std::to_string(c.order[static_cast<std::size_t>(i)]));
    }
    EXPECT_EQ(model_.Text1.text, "");
    EXPECT_EQ(model_.Text2.text, "");
    EXPECT_FALSE(model_.Text1.visible);
    EXPECT_FALSE(model_.Text2.visible);
    // Nothing is chosen any more, so another press moves nothing.
    const std::string bytes = test::readBytes(path_);
    model_.click("Command1");
    EXPECT_EQ(test::readBytes(path_), bytes);
    EXPECT_TRUE(dialogs_.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveTest,
    ::testing::Values(MoveCase{"FiveToFirst", 6, 5, 1, {5, 1, 2, 3, 4, 6}},
                      MoveCase{"TwoToFourOfSix", 6, 2, 4, {1, 3, 4, 2, 5, 6}},
                      MoveCase{"TwoToLast", 6, 2, 6, {1, 3, 4, 5, 6, 2}},
                      MoveCase{"LastToFirst", 6, 6, 1, {6, 1, 2, 3, 4, 5}},
                      MoveCase{"FourToTwo", 6, 4, 2, {1, 4, 2, 3, 5, 6}},
                      MoveCase{"FirstToLastOfTwo", 2, 1, 2, {2, 1}},
                      MoveCase{
                          "TwelveToTenth", 12, 12, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 10, 11}}),
    [](const ::testing::TestParamInfo<MoveCase>& param) { return param.param.name; });

struct RefusalCase {
    std::string name;
    std::string typed;
    std::string message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name << " \"" << c.typed << '"'; }

class RefusalTest : public DisplayOrderTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, EmptiesTheTargetAndLeavesTheFile) {
    openRegister(6);
    model_.Form_Load();
    const std::string bytes = test::readBytes(path_);
    choose(2);
    model_.setText2(GetParam().typed);
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, GetParam().message);
    EXPECT_EQ(dialogs_.messages()[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(model_.Text2.text, "");
    model_.click("Command1");
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[1].text, "移動先が指定されていません");
    EXPECT_EQ(test::readBytes(path_), bytes);
    EXPECT_EQ(originalRows(state_.assetRegister, 6), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, RefusalTest,
    ::testing::Values(RefusalCase{"Source", "2", "移動元と移動先が同じです！"},
                      RefusalCase{"SourceWithLeadingZero", "02", "移動元と移動先が同じです！"},
                      RefusalCase{"BeyondTheEnd", "7", "指定に誤りがあります。"},
                      RefusalCase{"Zero", "0", "指定に誤りがあります。"},
                      RefusalCase{"Negative", "-1", "指定に誤りがあります。"},
                      RefusalCase{"Fraction", "2.5", "指定に誤りがあります。"},
                      RefusalCase{"NotANumber", "a", "指定に誤りがあります。"},
                      RefusalCase{"FullWidthDigit", "３", "指定に誤りがあります。"},
                      RefusalCase{"Huge", "99999999999", "指定に誤りがあります。"}),
    [](const ::testing::TestParamInfo<RefusalCase>& param) { return param.param.name; });

TEST_F(DisplayOrderTest, TheSourceTypedAsTheFirstDigitOfALongerTargetWaitsForTheNext) {
    openRegister(12);
    model_.Form_Load();
    const std::string bytes = test::readBytes(path_);
    choose(1);
    // Typed key by key: "1" could still become 10, 11 or 12.
    model_.setText2("1");
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(model_.Text2.text, "1");
    // Left at "1", it is the source after all.
    model_.click("Command1");
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, kSamePositionMessage);
    EXPECT_EQ(model_.Text2.text, "");
    EXPECT_EQ(test::readBytes(path_), bytes);

    model_.setText2("1");
    model_.setText2("11");
    model_.click("Command1");
    EXPECT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(fileOrder(), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1, 12}));
}

TEST_F(DisplayOrderTest, MovesAcrossAThousandAssets) {
    openRegister(kMaxRecords);
    model_.Form_Load();
    ASSERT_EQ(model_.lstName.items.size(), 1000u);
    choose(1000);
    model_.setText2("1");
    model_.click("Command1");
    choose(2);  // asset 1 now
    model_.setText2("1000");
    model_.click("Command1");
    EXPECT_TRUE(dialogs_.messages().empty());
    const std::vector<int> order = fileOrder();
    ASSERT_EQ(order.size(), 1000u);
    EXPECT_EQ(order.front(), 1000);
    EXPECT_EQ(order[1], 2);
    EXPECT_EQ(order.back(), 1);
}

TEST_F(DisplayOrderTest, ExecuteBeforeAnItemIsChosenDoesNothing) {
    openRegister(4);
    model_.Form_Load();
    const std::string bytes = test::readBytes(path_);
    model_.setText2("3");
    model_.click("Command1");
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(test::readBytes(path_), bytes);
}

TEST_F(DisplayOrderTest, ASourceChosenAfterTheTargetIsCheckedAgainOnExecute) {
    openRegister(5);
    model_.Form_Load();
    const std::string bytes = test::readBytes(path_);
    choose(2);
    model_.setText2("4");
    EXPECT_TRUE(dialogs_.messages().empty());
    choose(4);
    model_.click("Command1");
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, kSamePositionMessage);
    EXPECT_EQ(model_.Text2.text, "");
    EXPECT_EQ(test::readBytes(path_), bytes);
}

TEST_F(DisplayOrderTest, AFailedWriteLeavesTheFileAndTheRegister) {
    openRegister(4);
    model_.Form_Load();
    const std::string bytes = test::readBytes(path_);
    // A cell the file layout cannot hold makes the rewrite fail before the
    // file is touched.
    state_.assetRegister.at(3, quantity) = "1\"";
    const AssetRegister before = state_.assetRegister;
    choose(1);
    model_.setText2("4");
    model_.click("Command1");
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, "ファイルの書き込みに失敗しました。");
    EXPECT_EQ(test::readBytes(path_), bytes);
    EXPECT_EQ(state_.assetRegister, before);
    EXPECT_EQ(model_.lstName.items[0], "1  資産1");
    EXPECT_EQ(model_.Text2.text, "4");
}

TEST_F(DisplayOrderTest, WithoutARegisterFileInUseNothingIsListed) {
    // A new register not yet saved, while the last chosen file still exists:
    // reading that file would replace the register shown.
    openRegister(3);
    state_.currentFilePath.clear();
    state_.assetRegister.at(1, assetName) = "未保存";
    const AssetRegister before = state_.assetRegister;
    model_.Form_Load();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, "指定ファイルがありません。");
    EXPECT_TRUE(model_.lstName.items.empty());
    EXPECT_EQ(model_.Text4.text, "0");
    EXPECT_EQ(state_.assetRegister, before);
    EXPECT_EQ(state_.currentFilePath, "");
    model_.lstName_Click(0);
    model_.click("Command1");
    EXPECT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_FALSE(displayOrderAvailable(state_));
}

TEST_F(DisplayOrderTest, AVanishedOrDamagedFileChangesNothing) {
    openRegister(3);
    const AssetRegister before = state_.assetRegister;
    std::filesystem::remove(path_);
    model_.Form_Load();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, kNoFileMessage);

    dialogs_.clearRecord();
    test::writeBytes(path_, "\"short\",\"record\"\r\n");
    model_.Form_Load();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, kReadFailedMessage);
    EXPECT_TRUE(model_.lstName.items.empty());
    EXPECT_EQ(state_.assetRegister, before);
    EXPECT_EQ(state_.recordCount, 3);
}

TEST_F(DisplayOrderTest, TheRegisterTakesWhatTheFileHolds) {
    openRegister(5);
    AssetRegister shorter;
    shorter.row(1) = state_.assetRegister.row(4);
    shorter.row(2) = state_.assetRegister.row(2);
    writeRegisterFile(path_, shorter, 2);
    model_.Form_Load();
    EXPECT_EQ(model_.orderCount, 2);
    EXPECT_EQ(state_.recordCount, 2);
    EXPECT_EQ(originalRows(state_.assetRegister, 2), (std::vector<int>{4, 2}));
    EXPECT_EQ(model_.lstName.items, (std::vector<std::string>{"1  資産4", "2  資産2"}));
    // The main list no longer matches, so closing in any way rebuilds it.
    model_.Form_Unload();
    EXPECT_EQ(owner_.calls, (std::vector<std::string>{"rebuildList", "showMain"}));
}

TEST_F(DisplayOrderTest, BackRebuildsTheListAndTheCloseBoxDoesOnlyAfterAMove) {
    openRegister(3);
    model_.Form_Load();
    model_.click("Command2");
    EXPECT_TRUE(model_.closeRequested());
    model_.Form_Unload();
    EXPECT_EQ(owner_.calls, (std::vector<std::string>{"rebuildList", "showMain"}));

    owner_.calls.clear();
    model_.Form_Load();
    model_.Form_Unload();
    EXPECT_EQ(owner_.calls, (std::vector<std::string>{"showMain"}));

    owner_.calls.clear();
    model_.Form_Load();
    choose(3);
    model_.setText2("1");
    model_.click("Command1");
    model_.Form_Unload();
    EXPECT_EQ(owner_.calls, (std::vector<std::string>{"rebuildList", "showMain"}));
}

}  // namespace
}  // namespace fenmark::reg
