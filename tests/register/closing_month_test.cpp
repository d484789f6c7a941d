#include "register/closing_month.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

struct NoHelp : platform::HelpViewer {
    void showHelp(const std::string&, int) override {}
};

struct NoHost : MainWindowHost {
    bool openWindow(Window) override { return true; }
    void hideMain() override {}
    void quit() override {}
};

class ClosingMonthTest : public ::testing::Test {
  protected:
    ClosingMonthTest() { load(); }

    // Opens the dialog afresh, as the main window's command does.
    void load(Environment environment = {}) {
        if (environment.programFolder.empty()) {
            environment = {program_.path(), user_.file("config/fenmark")};
        }
        environment_ = environment;
        model_.emplace(state_, dialogs_, environment_, ClosingMonthTexts{Text1_, Label3_});
        model_->Form_Load();
    }

    void store(int month) {
        model_->Combo1_Click(month - 1);
        model_->click("Command1");
    }

    // The main window of the next start, after its Form_Load.
    std::string nextStartLabel3() {
        ProgramState fresh;
        platform::ScriptedDialogs dialogs;
        NoHelp help;
        NoHost host;
        platform::RecordingPrintDevice printDevice;
        MainWindowModel main(fresh, dialogs, help, host, printDevice, environment_);
        main.Form_Load();
        return main.Label3.caption;
    }

    test::TempDir program_;
    test::TempDir user_;
    Environment environment_;
    ProgramState state_;
    platform::ScriptedDialogs dialogs_;
    platform::TextBox Text1_{"Text1", false};
    platform::Control Label3_{"Label3", "12月です。"};
    std::optional<ClosingMonthModel> model_;
};

TEST_F(ClosingMonthTest, OpensOnTheMonthInForceWithNothingSelected) {
    EXPECT_EQ(model_->Caption.caption, "決算月変更");
    EXPECT_EQ(model_->Label1.caption, "現在の設定は");
    EXPECT_EQ(model_->Label2.caption, "12月です");
    EXPECT_EQ(model_->Label3.caption, "月");
    EXPECT_EQ(model_->Command1.caption, "変更");
    EXPECT_EQ(model_->Command2.caption, "戻る");
    EXPECT_EQ(model_->Combo1.items, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7",
                                                              "8", "9", "10", "11", "12"}));
    EXPECT_EQ(model_->Combo1.listIndex, -1);
    for (const char* name : {"Label1", "Label2", "Label3", "Command1", "Command2"}) {
        ASSERT_NE(model_->control(name), nullptr) << name;
        EXPECT_EQ(model_->control(name)->name, name);
    }

    test::writeBytes(program_.file("Fenmark.ini"), "\"\",\"\",\"\",\"6\"\r\n");
    load();
    EXPECT_EQ(model_->Label2.caption, "6月です");
    EXPECT_EQ(state_.closingMonth, "6");
}

TEST_F(ClosingMonthTest, StoredMonthIsInForceAndReadAtTheNextStartWithReservedFieldsKept) {
    // Reserved fields with blanks, commas and full-width text, in code page 932.
    const std::string line = "\" 甲 \",\"a,b\",\"ｶﾅ　全角\",\"12\"\r\n";
    test::writeBytes(program_.file("Fenmark.ini"), platform::utf8ToCp932(line));
    load();
    store(3);
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(model_->Label2.caption, "3月です");
    EXPECT_EQ(state_.closingMonth, "3");
    EXPECT_EQ(test::readBytes(program_.file("Fenmark.ini")),
              platform::utf8ToCp932("\" 甲 \",\"a,b\",\"ｶﾅ　全角\",\"3\"\r\n"));
    EXPECT_EQ(model_->settingsRecord().closingMonth, "3");
    EXPECT_EQ(nextStartLabel3(), "3月です。");

    model_->click("Command2");
    EXPECT_TRUE(model_->closeRequested());
    EXPECT_EQ(Text1_.text, "3");
    EXPECT_EQ(Label3_.caption, "3月です。");
}

TEST_F(ClosingMonthTest, WithoutAFileTheStoredRecordHasEmptyReservedFields) {
    store(11);
    EXPECT_EQ(test::readBytes(program_.file("Fenmark.ini")), "\"\",\"\",\"\",\"11\"\r\n");
    EXPECT_EQ(nextStartLabel3(), "11月です。");
}

TEST_F(ClosingMonthTest, LeavingWithoutStoringShowsTheMonthInForce) {
    test::writeBytes(program_.file("Fenmark.ini"), "\"\",\"\",\"\",\"9\"\r\n");
    load();
    // Picked but never stored: the main window must not show it.
    model_->Combo1_Click(4);
    model_->Command2_Click();
    EXPECT_EQ(state_.closingMonth, "9");
    EXPECT_EQ(Text1_.text, "9");
    EXPECT_EQ(Label3_.caption, "9月です。");
    EXPECT_EQ(test::readBytes(program_.file("Fenmark.ini")), "\"\",\"\",\"\",\"9\"\r\n");
}

TEST_F(ClosingMonthTest, ChangeWithNoMonthSelectedDoesNothing) {
    model_->click("Command1");
    model_->Combo1_Click(2);
    model_->Combo1_Click(-1);
    model_->click("Command1");
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(state_.closingMonth, "12");
    EXPECT_EQ(model_->Label2.caption, "12月です");
    EXPECT_FALSE(platform::fileExists(program_.file("Fenmark.ini")));
}

TEST_F(ClosingMonthTest, ClosingWithTheCloseBoxAfterStoringStillUpdatesTheMainWindow) {
    store(4);
    model_->Form_Unload();
    EXPECT_EQ(Text1_.text, "4");
    EXPECT_EQ(Label3_.caption, "4月です。");
}

TEST_F(ClosingMonthTest, UnwritableSettingsAreReportedAndTheOldMonthStays) {
    // No writable program folder, and a user folder that cannot be made
    // (its parent is a file).
    test::writeBytes(user_.file("plain"), "x");
    load({program_.file("missing"), user_.file("plain/fenmark")});
    store(5);
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, "設定ファイルの書き込みに失敗しました。");
    EXPECT_EQ(dialogs_.messages()[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(state_.closingMonth, "12");
    EXPECT_EQ(model_->Label2.caption, "12月です");
    EXPECT_EQ(model_->settingsRecord().closingMonth, "12");
    model_->Command2_Click();
    EXPECT_EQ(Label3_.caption, "12月です。");
}

TEST_F(ClosingMonthTest, AnUnwritableProgramFolderStoresInANewUserFolder) {
    const std::string userFolder = user_.file("deep/config/fenmark");
    load({program_.file("missing"), userFolder});
    store(7);
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(test::readBytes(userFolder + "/Fenmark.ini"), "\"\",\"\",\"\",\"7\"\r\n");
    EXPECT_EQ(nextStartLabel3(), "7月です。");
}

TEST_F(ClosingMonthTest, AUserFileInForceIsTheOneRewritten) {
    // The user's file is read before the program folder's, so storing into
    // the (writable) program folder would be lost at the next start.
    const std::string userFolder = user_.file("fenmark");
    ASSERT_TRUE(platform::makeFolders(userFolder));
    test::writeBytes(userFolder + "/Fenmark.ini", "\"u\",\"\",\"\",\"2\"\r\n");
    load({program_.path(), userFolder});
    EXPECT_EQ(model_->Label2.caption, "2月です");
    store(8);
    EXPECT_EQ(test::readBytes(userFolder + "/Fenmark.ini"), "\"u\",\"\",\"\",\"8\"\r\n");
    EXPECT_FALSE(platform::fileExists(program_.file("Fenmark.ini")));
    EXPECT_EQ(nextStartLabel3(), "8月です。");
}

}  // namespace
}  // namespace fenmark::reg
