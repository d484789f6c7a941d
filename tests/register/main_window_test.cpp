#include "register/main_window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "platform/text_file.h"
#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

using platform::Answer;

struct RecordingHelp : platform::HelpViewer {
    void showHelp(const std::string& file, int command) override {
        calls.emplace_back(file, command);
    }
    std::vector<std::pair<std::string, int>> calls;
};

struct RecordingHost : MainWindowHost {
    bool openWindow(Window window) override {
        opened.push_back(window);
        return available;
    }
    void hideMain() override { ++hidden; }
    void quit() override { ++quits; }
    std::vector<Window> opened;
    bool available = true;
    int hidden = 0;
    int quits = 0;
};

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest()
        : model_(state_, dialogs_, help_, host_, printDevice_, {program_.path(), user_.path()}) {}

    void SetUp() override { model_.Form_Load(); }

    std::string writeRegister(int count, const std::string& name = "register.dat") {
        AssetRegister reg;
        for (int i = 1; i <= count; ++i) {
            reg.row(i) = test::asset("資産" + std::to_string(i), "1", "20", "4", "4", "100000", "5",
                                     "0.200", "3");
        }
        const std::string path = program_.file(name);
        writeRegisterFile(path, reg, count);
        return path;
    }

    void open(const std::string& path) {
        dialogs_.queueOpen(path);
        model_.cmdOpen_Click();
    }

    // Every command's enabled state, by name.
    std::map<std::string, bool> states() {
        std::map<std::string, bool> out;
        for (auto* c : model_.buttons()) out[c->name] = c->enabled;
        for (auto& [menu, items] : model_.menus()) {
            for (auto* c : items) out[c->name] = c->enabled;
        }
        return out;
    }

    test::TempDir program_;
    test::TempDir user_;
    ProgramState state_;
    platform::ScriptedDialogs dialogs_;
    RecordingHelp help_;
    RecordingHost host_;
    platform::RecordingPrintDevice printDevice_;
    MainWindowModel model_;
};

const std::vector<std::string> kRegisterCommands = {
    "cmdCallRec", "mnuRecData", "cmdSave",  "mnuSave",  "cmdPrint", "mnuPrint", "cmdSort1",
    "cmdSort2",   "cmdView1",   "cmdView3", "mnuSort1", "mnuSort2", "mnuView1", "mnuView2"};

TEST_F(MainWindowTest, StartUpWithoutSettingsShowsDecemberAndNoRegister) {
    EXPECT_EQ(model_.Caption.caption, "固定資産台帳   Ver.4.00");
    EXPECT_EQ(state_.closingMonth, "12");
    EXPECT_EQ(model_.Text1.text, "12");
    EXPECT_EQ(model_.Label3.caption, "12月です。");
    EXPECT_EQ(model_.Combo1.items, (std::vector<std::string>{"切上げ", "切捨て"}));
    EXPECT_EQ(model_.Combo1.listIndex, 0);
    EXPECT_EQ(model_.Text2.text, "0");
    EXPECT_FALSE(model_.Combo1.visible);
    EXPECT_FALSE(model_.Label4.visible);  // no caption without its list
    EXPECT_FALSE(model_.Fxg1Visible);
    EXPECT_EQ(model_.helpFile, program_.file("Fenmark3.CHM"));
    auto s = states();
    for (const char* on : {"cmdNew", "mnuNew", "cmdOpen", "mnuOpen", "cmdExit", "mnuExit",
                           "Command1", "mnuMhelp", "mnuVer", "Command2", "mnuhenkou"}) {
        EXPECT_TRUE(s[on]) << on;
    }
    for (const auto& off : kRegisterCommands) EXPECT_FALSE(s[off]) << off;
    for (const char* off : {"mnuOrd", "cmdOrd", "cmdRsort", "mnuRsort"})
        EXPECT_FALSE(s[off]) << off;
}

TEST_F(MainWindowTest, StartUpReadsTheClosingMonthFromTheSettingsFile) {
    test::writeBytes(program_.file("Fenmark.ini"), "\"\",\"\",\"\",\"3\"\r\n");
    model_.Form_Load();
    EXPECT_EQ(model_.Label3.caption, "3月です。");
    EXPECT_EQ(model_.Text1.text, "3");
}

TEST_F(MainWindowTest, MenusAndButtonsCarryTheirCaptions) {
    auto menus = model_.menus();
    ASSERT_EQ(menus.size(), 5u);
    EXPECT_EQ(menus[0].first->caption, "ﾌｧｲﾙ  (&F)");
    EXPECT_EQ(menus[1].first->caption, "編集  (&E)　");
    EXPECT_EQ(menus[4].first->caption, "ﾍﾙﾌﾟ (&H)");
    std::vector<std::string> edit;
    for (auto* c : menus[1].second) edit.push_back(c->caption);
    EXPECT_EQ(edit,
              (std::vector<std::string>{"データ登録 (&R)", "ｿｰﾄ：種別   (&S)", "ｿｰﾄ：日付   (&D)",
                                        "ﾘ・ｿｰﾄ        (&Q)", "順序入れ替え(&O)"}));
    EXPECT_EQ(model_.cmdSort1.toolTip, "ソート：種別");
    EXPECT_EQ(model_.cmdRsort.toolTip, "Undo-Sort");
    EXPECT_EQ(model_.mnuVer.caption, "ﾊﾞｰｼﾞｮﾝ情報          (&A)");
}

TEST_F(MainWindowTest, OpenLoadsTheRegisterListsItAndEnablesCommands) {
    const std::string path = writeRegister(3);
    open(path);
    EXPECT_TRUE(dialogs_.messages().empty());
    ASSERT_EQ(dialogs_.fileDialogs().size(), 1u);
    EXPECT_EQ(dialogs_.fileDialogs()[0].filter, "Fenmarkデータファイル(*.dat)|*.dat");
    EXPECT_EQ(dialogs_.fileDialogs()[0].initialDir, program_.path());
    EXPECT_EQ(state_.recordCount, 3);
    EXPECT_EQ(state_.currentFilePath, path);
    EXPECT_EQ(state_.chosenFilePath, path);
    EXPECT_TRUE(model_.Fxg1Visible);
    EXPECT_EQ(model_.Fxg1.rows(), 4);
    EXPECT_EQ(model_.Fxg1.fixedCols(), 2);
    EXPECT_EQ(model_.Fxg1.fixedRows(), 1);
    EXPECT_EQ(model_.Fxg1.text(3, 1), "資産3");
    EXPECT_TRUE(model_.Combo1.visible);
    EXPECT_TRUE(model_.Label4.visible);
    auto s = states();
    for (const auto& on : kRegisterCommands) EXPECT_TRUE(s[on]) << on;
    EXPECT_TRUE(s["cmdOrd"]);
    EXPECT_FALSE(s["cmdRsort"]);
}

TEST_F(MainWindowTest, OpenFromTheMenuAlsoEnablesTheDisplayOrderCommands) {
    dialogs_.queueOpen(writeRegister(1));
    model_.mnuOpen_Click();
    EXPECT_TRUE(model_.cmdOrd.enabled);
    EXPECT_TRUE(model_.mnuOrd.enabled);
}

// A register of a thousand assets lists, sorts, sorts back and prints.
TEST_F(MainWindowTest, AThousandAssetsListSortAndPrint) {
    AssetRegister reg;
    for (int i = 1; i <= kMaxRecords; ++i) {
        reg.row(i) = test::asset("資産" + std::to_string(i), "1", std::to_string(1 + i % 30), "4",
                                 "4", "100000", "5", "0.200", "3");
    }
    const std::string path = program_.file("thousand.dat");
    writeRegisterFile(path, reg, kMaxRecords);
    open(path);
    ASSERT_EQ(state_.recordCount, 1000);
    ASSERT_EQ(model_.Fxg1.rows(), 1001);
    EXPECT_EQ(model_.Fxg1.text(1000, 1), "資産1000");

    model_.cmdSort2_Click();
    EXPECT_NE(model_.Fxg1.text(1, 1), "資産1");
    model_.cmdRsort_Click();
    EXPECT_EQ(model_.Fxg1.text(1000, 1), "資産1000");
    EXPECT_EQ(state_.assetRegister, reg);

    dialogs_.queueAnswer(platform::Answer::Ok);
    dialogs_.queuePrinter(true);
    model_.cmdPrint_Click();
    ASSERT_EQ(printDevice_.documents().size(), 1u);
    // Twenty to a page, and the heading page after the last full one.
    EXPECT_EQ(printDevice_.documents()[0].pageCount(), 51);
    EXPECT_EQ(dialogs_.messages().size(), 1u);  // the question before printing
}

TEST_F(MainWindowTest, FailedOpenKeepsEverythingAsItWas) {
    const std::string good = writeRegister(2);
    open(good);
    const AssetRegister before = state_.assetRegister;
    test::writeBytes(program_.file("bad.dat"), "\"truncated\",\"record\"\r\n");
    std::string tooMany;
    for (int i = 0; i <= kMaxRecords; ++i) tooMany += formatRegister(before, 1);
    test::writeBytes(program_.file("1001.dat"), tooMany);
    for (const std::string& bad :
         {program_.file("bad.dat"), program_.file("1001.dat"), program_.file("missing.dat")}) {
        dialogs_.clearRecord();
        open(bad);
        ASSERT_EQ(dialogs_.messages().size(), 1u) << bad;
        EXPECT_EQ(dialogs_.messages()[0].text,
                  "ファイルの読み込みに失敗しました。ファイルを確認してください");
        EXPECT_EQ(dialogs_.messages()[0].buttons, platform::Buttons::Ok);
        EXPECT_EQ(state_.recordCount, 2);
        EXPECT_EQ(state_.assetRegister, before);
        EXPECT_EQ(state_.currentFilePath, good);
        EXPECT_EQ(state_.chosenFilePath, good);
        EXPECT_EQ(model_.Fxg1.rows(), 3);
        EXPECT_EQ(model_.Fxg1.text(2, 1), "資産2");
    }
}

TEST_F(MainWindowTest, FailedOpenAtStartUpLeavesTheCommandsDisabled) {
    test::writeBytes(program_.file("bad.dat"), "\"\x81\"");
    open(program_.file("bad.dat"));
    EXPECT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_FALSE(model_.Fxg1Visible);
    EXPECT_FALSE(model_.cmdSave.enabled);
    EXPECT_EQ(state_.currentFilePath, "");
}

TEST_F(MainWindowTest, CancelledOpenIsReportedAndChangesNothing) {
    model_.cmdOpen_Click();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, kReadFailedMessage);
    EXPECT_FALSE(model_.cmdSave.enabled);
}

TEST_F(MainWindowTest, SaveWritesTheFileInUseAndSaveAsTheChosenOne) {
    const std::string path = writeRegister(2);
    open(path);
    state_.assetRegister.at(1, assetName) = "変更後";
    model_.cmdSave_Click();
    EXPECT_EQ(readRegisterFile(path).assetRegister.at(1, assetName), "変更後");

    const std::string other = program_.file("other.dat");
    dialogs_.queueSave(other);
    model_.mnuSave_Click();
    EXPECT_TRUE(dialogs_.fileDialogs().back().confirmOverwrite);
    EXPECT_EQ(state_.currentFilePath, other);
    EXPECT_EQ(state_.chosenFilePath, other);
    EXPECT_EQ(readRegisterFile(other).recordCount, 2);
    state_.assetRegister.at(2, assetName) = "再保存";
    model_.cmdSave_Click();
    EXPECT_EQ(readRegisterFile(other).assetRegister.at(2, assetName), "再保存");
}

TEST_F(MainWindowTest, CancelledSaveAsWritesNothingAndSaveWithoutAFileAsks) {
    model_.mnuSave_Click();
    EXPECT_EQ(state_.currentFilePath, "");
    EXPECT_EQ(state_.chosenFilePath, "");
    // Save with no file in use goes through the save dialog.
    const std::string path = program_.file("new.dat");
    dialogs_.queueSave(path);
    model_.cmdSave_Click();
    EXPECT_EQ(state_.currentFilePath, path);
    EXPECT_TRUE(platform::fileExists(path));
    EXPECT_EQ(test::readBytes(path), "");
}

TEST_F(MainWindowTest, FailedSaveTellsTheUserAndKeepsThePaths) {
    const std::string path = writeRegister(1);
    open(path);
    dialogs_.queueSave(program_.file("no/such/folder/x.dat"));
    model_.mnuSave_Click();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, "ファイルの書き込みに失敗しました。");
    EXPECT_EQ(state_.currentFilePath, path);
    EXPECT_EQ(state_.chosenFilePath, path);

    dialogs_.clearRecord();
    state_.assetRegister.at(1, assetName) = "引用符\"入り";
    model_.cmdSave_Click();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, kWriteFailedMessage);
    EXPECT_EQ(readRegisterFile(path).assetRegister.at(1, assetName), "資産1");
}

TEST_F(MainWindowTest, ReLoadRereadsWithOneFrozenColumnAndReLoad2HidesTheList) {
    const std::string path = writeRegister(3);
    open(path);
    writeRegister(2);
    model_.ReLoad();
    EXPECT_EQ(state_.recordCount, 2);
    EXPECT_EQ(model_.Fxg1.rows(), 3);
    EXPECT_EQ(model_.Fxg1.fixedCols(), 1);
    // Row 3 keeps what it held: ReLoad does not clear first.
    EXPECT_EQ(state_.assetRegister.at(3, assetName), "資産3");

    model_.ReLoad2();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, "表示するデータがありません。");
    EXPECT_EQ(dialogs_.messages()[0].title, "Fenmark");
    EXPECT_EQ(dialogs_.messages()[0].icon, platform::Icon::Error);
    EXPECT_FALSE(model_.Fxg1Visible);
    EXPECT_FALSE(model_.cmdCallRec.enabled);
    EXPECT_TRUE(model_.cmdSave.enabled);
}

TEST_F(MainWindowTest, ReLoadOfAVanishedFileKeepsTheRegister) {
    const std::string path = writeRegister(2);
    open(path);
    std::remove(path.c_str());
    model_.ReLoad();
    EXPECT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(state_.recordCount, 2);
    EXPECT_EQ(model_.Fxg1.rows(), 3);
}

TEST_F(MainWindowTest, NewClearsTheRegisterAndOpensTheCard) {
    open(writeRegister(2));
    model_.cmdNew_Click();
    EXPECT_EQ(state_.currentFilePath, "");
    EXPECT_EQ(state_.assetRegister, AssetRegister{});
    EXPECT_EQ(host_.opened.back(), Window::EntryCardNew);
    EXPECT_EQ(host_.hidden, 1);
}

// A register the card saved for the first time offers what an opened one
// does, the rounding choice with its caption included, but the display
// order.
TEST_F(MainWindowTest, TheCardsFirstSaveShowsTheRoundingListWithItsCaption) {
    model_.Form_Load();
    model_.cmdNew_Click();
    model_.registerSaved();
    auto s = states();
    for (const auto& on : kRegisterCommands) EXPECT_TRUE(s[on]) << on;
    for (const char* off : {"mnuOrd", "cmdOrd", "cmdRsort", "mnuRsort"}) {
        EXPECT_FALSE(s[off]) << off;
    }
    EXPECT_TRUE(model_.Combo1.visible);
    EXPECT_TRUE(model_.Label4.visible);
    model_.Combo1_Click(1);
    EXPECT_EQ(model_.roundingMode(), "1");
}

TEST_F(MainWindowTest, CommandsOpenTheirWindowsAndHideTheMainWindow) {
    open(writeRegister(1));
    for (const char* name : {"cmdCallRec", "cmdView1", "mnuView2", "cmdOrd"}) {
        EXPECT_TRUE(model_.click(name)) << name;
    }
    EXPECT_EQ(host_.opened, (std::vector<Window>{Window::EntryCard, Window::Schedule,
                                                 Window::Statement, Window::DisplayOrder}));
    EXPECT_EQ(host_.hidden, 4);
    host_.available = false;
    model_.click("cmdView1");
    EXPECT_EQ(host_.hidden, 4);
    model_.mnuVer_Click();
    EXPECT_EQ(host_.opened.back(), Window::About);
    model_.Command1_Click();
    ASSERT_EQ(help_.calls.size(), 1u);
    EXPECT_EQ(help_.calls[0], std::make_pair(program_.file("Fenmark3.CHM"), 0));
    model_.cmdExit_Click();
    EXPECT_EQ(host_.quits, 1);
}

TEST_F(MainWindowTest, DisabledCommandsDoNothing) {
    EXPECT_TRUE(model_.click("cmdView1"));
    EXPECT_TRUE(host_.opened.empty());
    EXPECT_FALSE(model_.click("noSuchCommand"));
}

TEST_F(MainWindowTest, RoundingChoiceSetsText2) {
    model_.Combo1_Click(1);
    EXPECT_EQ(model_.Text2.text, "1");
    EXPECT_EQ(model_.roundingMode(), "1");
    model_.Combo1_Click(0);
    EXPECT_EQ(model_.Text2.text, "0");
}

TEST_F(MainWindowTest, ResizePlacesTheList) {
    model_.Form_Resize(15000, 9000, false);
    EXPECT_EQ(model_.Fxg1Geometry.left, 480);
    EXPECT_EQ(model_.Fxg1Geometry.top, 1200);
    EXPECT_EQ(model_.Fxg1Geometry.width, 14100);
    EXPECT_EQ(model_.Fxg1Geometry.height, 7500);
    model_.Form_Resize(200000, 9000, false);
    EXPECT_EQ(model_.Fxg1Geometry.width, 10770);
    model_.Form_Resize(100, 100, true);
    EXPECT_EQ(model_.Fxg1Geometry.width, 10770);
}

TEST_F(MainWindowTest, ClosingMonthCommandRereadsTheSettings) {
    test::writeBytes(program_.file("Fenmark.ini"), "\"\",\"\",\"\",\"6\"\r\n");
    model_.Command2_Click();
    EXPECT_EQ(model_.Label3.caption, "6月です。");
    EXPECT_EQ(host_.opened.back(), Window::ClosingMonth);
}

}  // namespace
}  // namespace fenmark::reg
