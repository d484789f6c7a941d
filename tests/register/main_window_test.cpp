#include "register/main_window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <optional>

#include "platform/text_file.h"
#include "register/extended_columns.h"
#include "register/register_file.h"
#include "schedule/schedule.h"
#include "test_support.h"
#include "yearend/close_year.h"

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
    std::optional<int> askYear(const YearQuestion& question) override {
        questions.push_back(question);
        return year;
    }
    std::vector<Window> opened;
    std::vector<YearQuestion> questions;
    // What the user types when asked for a year; nothing cancels.
    std::optional<int> year;
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
    "cmdCallRec", "mnuRecData", "cmdSave",      "mnuSave",      "cmdPrint",    "mnuPrint",
    "cmdSort1",   "cmdSort2",   "cmdView1",     "cmdView3",     "mnuSort1",    "mnuSort2",
    "mnuView1",   "mnuView2",   "mnuCloseYear", "mnuCsvExport", "mnuMunicipal"};

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
    EXPECT_EQ(edit, (std::vector<std::string>{"データ登録 (&R)", "ｿｰﾄ：種別   (&S)",
                                              "ｿｰﾄ：日付   (&D)", "ﾘ・ｿｰﾄ        (&Q)",
                                              "順序入れ替え(&O)", "年度締め (&Y)"}));
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
    for (const char* name : {"cmdCallRec", "cmdView1", "mnuView2", "cmdOrd", "mnuMunicipal"}) {
        EXPECT_TRUE(model_.click(name)) << name;
    }
    EXPECT_EQ(host_.opened,
              (std::vector<Window>{Window::EntryCard, Window::Schedule, Window::Statement,
                                   Window::DisplayOrder, Window::Municipal}));
    EXPECT_EQ(host_.hidden, 5);
    host_.available = false;
    model_.click("cmdView1");
    EXPECT_EQ(host_.hidden, 5);
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

// --- 年度締め ---------------------------------------------------------------

// A declining-balance asset whose book values depend on the rounding (its
// fourth year's amount is 105,468.75), a straight-line one, and a 一括償却
// asset, which carries nothing.
AssetRegister closingRegister() {
    AssetRegister reg;
    reg.row(1) = test::asset("パソコン", "1", "20", "1", "4", "1000000", "10", "0.250", "4");
    reg.row(1)[newRuleRates - 1] = "0.3340.04448";
    reg.row(2) = test::asset("複合機", "2", "3", "7", "4", "600000", "5", "0.200", "3");
    reg.row(3) = test::asset("タブレット", "2", "5", "4", "4", "150000", "3", "0.333", "2");
    return reg;
}

class CloseYearTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        model_.currentYear = 2027;
        model_.currentMonth = 2;
    }

    // Opens a file of closingRegister() and forgets the dialogs of opening.
    std::string openClosingRegister(const std::string& name = "締め.dat") {
        const std::string path = program_.file(name);
        writeRegisterFile(path, closingRegister(), 3);
        open(path);
        dialogs_.clearRecord();
        return path;
    }

    // Closes `year`, answering the question with `answer`.
    void closeYear(int year, Answer answer) {
        host_.year = year;
        dialogs_.queueAnswer(answer);
        model_.mnuCloseYear_Click();
    }
};

TEST_F(CloseYearTest, NeedsARegisterWithAnAsset) {
    host_.year = 2026;
    model_.mnuCloseYear_Click();
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, kNothingToShowMessage);
    EXPECT_EQ(dialogs_.messages()[0].icon, platform::Icon::Error);
    EXPECT_TRUE(host_.questions.empty());
    // Disabled until a register is open; the click then does nothing.
    EXPECT_TRUE(model_.click("mnuCloseYear"));
    EXPECT_EQ(dialogs_.messages().size(), 1u);
}

// The year offered is the year being filed: until March the one before.
TEST_F(CloseYearTest, OffersTheYearBeingFiled) {
    openClosingRegister();
    struct Case {
        int month;
        int offered;
        const char* prompt;
    };
    for (const Case& c :
         {Case{1, 2026, "締める年分を西暦で入力してください。（令和8年分なら2026）"},
          Case{3, 2026, "締める年分を西暦で入力してください。（令和8年分なら2026）"},
          Case{4, 2027, "締める年分を西暦で入力してください。（令和9年分なら2027）"},
          Case{12, 2027, "締める年分を西暦で入力してください。（令和9年分なら2027）"}}) {
        model_.currentMonth = c.month;
        host_.questions.clear();
        EXPECT_TRUE(model_.click("mnuCloseYear"));
        ASSERT_EQ(host_.questions.size(), 1u) << c.month;
        EXPECT_EQ(host_.questions[0].proposed, c.offered) << c.month;
        EXPECT_EQ(host_.questions[0].prompt, c.prompt) << c.month;
        EXPECT_EQ(host_.questions[0].title, "年度締め");
    }
    // Cancelling the year asks nothing more.
    EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(CloseYearTest, RefusesAYearThatCannotBeClosedAndChangesNothing) {
    const std::string path = openClosingRegister();
    const std::string bytes = test::readBytes(path);
    const AssetRegister before = state_.assetRegister;
    for (int year : {1988, 2028}) {
        dialogs_.clearRecord();
        closeYear(year, Answer::Yes);
        ASSERT_EQ(dialogs_.messages().size(), 1u) << year;
        EXPECT_EQ(dialogs_.messages()[0].text, *yearend::closeYearRefusal(year, 2027)) << year;
        EXPECT_EQ(dialogs_.messages()[0].title, "年度締め");
    }
    EXPECT_EQ(state_.assetRegister, before);
    EXPECT_EQ(test::readBytes(path), bytes);
}

TEST_F(CloseYearTest, AnsweringNoChangesNeitherRegisterNorFile) {
    const std::string path = openClosingRegister();
    const std::string bytes = test::readBytes(path);
    const AssetRegister before = state_.assetRegister;
    closeYear(2026, Answer::No);
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    const platform::Message& question = dialogs_.messages()[0];
    EXPECT_EQ(question.text,
              "令和8年分の期末の未償却残高を、各資産の令和9年分の前年末未償却残高（引継ぎ）"
              "として記録し、ファイルに保存します。よろしいですか？");
    EXPECT_EQ(question.buttons, platform::Buttons::YesNo);
    EXPECT_EQ(question.title, "年度締め");
    EXPECT_EQ(state_.assetRegister, before);
    EXPECT_EQ(test::readBytes(path), bytes);
}

// Yes writes each asset's book value at the end of the year, as the
// schedule computes it with the main window's closing month and rounding,
// into the file as the next year's opening.
TEST_F(CloseYearTest, YesRecordsTheYearEndBookValuesAndSavesThem) {
    struct Case {
        const char* closingMonth;
        int rounding;
        int year;
    };
    for (const Case& c :
         {Case{"12", 0, 2011}, Case{"12", 1, 2011}, Case{"6", 1, 2011}, Case{"12", 0, 2026}}) {
        SCOPED_TRACE(std::string(c.closingMonth) + "/" + std::to_string(c.rounding) + "/" +
                     std::to_string(c.year));
        const std::string path = openClosingRegister();
        state_.closingMonth = c.closingMonth;
        model_.Combo1_Click(c.rounding);
        closeYear(c.year, Answer::Yes);

        const LoadedRegister saved = readRegisterFile(path);
        ASSERT_EQ(saved.recordCount, 3);
        EXPECT_EQ(saved.assetRegister, state_.assetRegister);
        const schedule::Options options{static_cast<std::int16_t>(std::stoi(c.closingMonth)),
                                        static_cast<std::int16_t>(c.rounding), 2027};
        const schedule::Schedule pc = schedule::computeSchedule(closingRegister().row(1), options);
        const auto opening = carriedOpeningOf(saved.assetRegister.row(1));
        ASSERT_TRUE(opening.has_value());
        EXPECT_EQ(opening->year, c.year + 1);
        EXPECT_EQ(opening->bookValue, pc.year(pc.rowOfYear(c.year)).bookValue.value);
        EXPECT_FALSE(opening->fromComputed);
        // A 一括償却 asset carries nothing, and stays a record of 19 fields.
        EXPECT_FALSE(carriedOpeningOf(saved.assetRegister.row(3)).has_value());
        EXPECT_FALSE(usesExtendedColumns(saved.assetRegister.row(3)));

        ASSERT_EQ(dialogs_.messages().size(), 2u);
        const platform::Message& summary = dialogs_.messages()[1];
        EXPECT_EQ(summary.title, "年度締め");
        EXPECT_NE(summary.text.find("記録した資産："), std::string::npos) << summary.text;
    }
}

TEST_F(CloseYearTest, TheRoundingChoiceDecidesTheFiguresCarried) {
    const std::string up = openClosingRegister("up.dat");
    closeYear(2011, Answer::Yes);
    const std::string down = openClosingRegister("down.dat");
    model_.Combo1_Click(1);
    closeYear(2011, Answer::Yes);
    // 1,000,000 x 0.25 for three years, then 105,468.75 rounded either way.
    EXPECT_EQ(readRegisterFile(up).assetRegister.at(1, carriedBookValue), "316406");
    EXPECT_EQ(readRegisterFile(down).assetRegister.at(1, carriedBookValue), "316407");
    EXPECT_EQ(readRegisterFile(down).assetRegister.at(1, carriedYear), "2012");
}

// A failed save leaves the file as it was and puts the register back,
// whatever made it fail.
TEST_F(CloseYearTest, AFailedSaveRestoresTheRegisterAndLeavesTheFile) {
    struct Case {
        const char* name;
        std::function<void(const std::string& path)> breakIt;
    };
    const Case cases[] = {
        {"a cell the file cannot hold",
         [this](const std::string&) { state_.assetRegister.at(2, assetName) = "引用符\"入り"; }},
        {"the folder gone",
         [this](const std::string& path) {
             std::remove(path.c_str());
             state_.currentFilePath = program_.file("gone/締め.dat");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = openClosingRegister();
        const std::string bytes = test::readBytes(path);
        c.breakIt(path);
        const AssetRegister before = state_.assetRegister;
        const std::string file = state_.currentFilePath;
        closeYear(2026, Answer::Yes);
        ASSERT_EQ(dialogs_.messages().size(), 2u);
        EXPECT_EQ(dialogs_.messages()[1].text, kWriteFailedMessage);
        EXPECT_EQ(state_.assetRegister, before);
        EXPECT_EQ(state_.currentFilePath, file);
        if (platform::fileExists(path)) {
            EXPECT_EQ(test::readBytes(path), bytes);
        }
        EXPECT_FALSE(platform::fileExists(program_.file("gone/締め.dat")));
    }
}

// A register never saved is saved as Save would: through the save dialog.
TEST_F(CloseYearTest, AnUnsavedRegisterAsksForAFile) {
    state_.assetRegister = closingRegister();
    state_.recordCount = 3;
    model_.enableRegisterCommands(false, true);

    closeYear(2026, Answer::Yes);
    EXPECT_EQ(dialogs_.fileDialogs().size(), 1u);  // cancelled
    EXPECT_EQ(state_.assetRegister, closingRegister());
    EXPECT_EQ(dialogs_.messages().size(), 1u);  // the question alone

    const std::string path = program_.file("新しい台帳.dat");
    dialogs_.queueSave(path);
    closeYear(2026, Answer::Yes);
    EXPECT_TRUE(dialogs_.fileDialogs().back().confirmOverwrite);
    EXPECT_EQ(state_.currentFilePath, path);
    EXPECT_EQ(readRegisterFile(path).assetRegister, state_.assetRegister);
    EXPECT_EQ(state_.assetRegister.at(1, carriedYear), "2027");
}

// Closing that records nothing writes nothing: no file is asked for.
TEST_F(CloseYearTest, NothingRecordedSavesNothing) {
    state_.assetRegister.row(1) = closingRegister().row(3);
    state_.recordCount = 1;
    model_.enableRegisterCommands(false, true);
    closeYear(2026, Answer::Yes);
    EXPECT_TRUE(dialogs_.fileDialogs().empty());
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_NE(dialogs_.messages()[1].text.find("記録した資産：0件"), std::string::npos);
}

TEST_F(CloseYearTest, TheListComesBackInRegisterOrder) {
    AssetRegister reg = closingRegister();
    reg.at(1, assetCode) = "9901-4";  // sorts last by code
    const std::string path = program_.file("並べ替え.dat");
    writeRegisterFile(path, reg, 3);
    open(path);
    model_.cmdSort2_Click();
    ASSERT_TRUE(model_.cmdRsort.enabled);
    ASSERT_NE(model_.Fxg1.text(1, 1), "パソコン");
    closeYear(2026, Answer::Yes);
    EXPECT_EQ(model_.Fxg1.text(1, 1), "パソコン");
    EXPECT_EQ(model_.Fxg1.text(3, 1), "タブレット");
    EXPECT_FALSE(model_.cmdRsort.enabled);
    EXPECT_TRUE(model_.cmdSort2.enabled);
}

}  // namespace
}  // namespace fenmark::reg
