// Kept copies of saved registers: their names, their number, what a save
// does when no copy can be made, and the dialog that lists them.

#include "register/backups.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/text_file.h"
#include "register/earlier_versions.h"
#include "register/main_window.h"
#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

namespace fs = std::filesystem;

AssetRegister registerNamed(const std::string& name, int count = 1) {
    AssetRegister reg;
    for (int i = 1; i <= count; ++i) {
        reg.row(i) =
            test::asset(name + std::to_string(i), "1", "20", "4", "4", "100000", "5", "0.200", "3");
    }
    return reg;
}

// A store in a temporary folder whose clock the test moves by hand.
class BackupsTest : public ::testing::Test {
  protected:
    BackupStore store() {
        return {backups_.path(), [this] { return now_; }};
    }
    // Saves a register whose only asset is called `name` + "1".
    SaveReport save(const std::string& path, const std::string& name) {
        return writeRegisterFile(path, registerNamed(name), 1, store());
    }
    std::vector<std::string> namesOf(const std::vector<BackupVersion>& versions) {
        std::vector<std::string> names;
        for (const auto& v : versions) names.push_back(fs::path(v.path).filename().string());
        return names;
    }

    test::TempDir work_;
    test::TempDir backups_;
    // 2026-12-08 in any time zone; the tests read local times back.
    std::time_t now_ = 1796731812;
};

std::string localStamp(std::time_t when) {
    std::tm local{};
    ::localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

TEST_F(BackupsTest, NamesHoldTheRegisterTheTimeAndAHashOfTheFullPath) {
    const std::string a = work_.file("台帳.dat");
    fs::create_directory(work_.file("other"));
    const std::string b = work_.file("other/台帳.dat");
    const std::string name = backupFileName(a, now_);
    EXPECT_EQ(name.rfind("台帳_", 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - 20), "_" + localStamp(now_) + ".dat");
    EXPECT_EQ(backupFileName(a, now_, 3), name.substr(0, name.size() - 4) + "-3.dat");
    // Same file name, other folder: another key. The same file reached by
    // another spelling of its path: the same key.
    EXPECT_NE(backupKey(a), backupKey(b));
    EXPECT_EQ(backupKey(a), backupKey(work_.path() + "/other/../台帳.dat"));
    EXPECT_EQ(backupKey(a).size(), std::string("台帳").size() + 9);
    // A very long name is cut on a character boundary.
    std::string longName;
    for (int i = 0; i < 100; ++i) longName += "資";
    const std::string cut = backupKey(work_.file(longName + ".dat"));
    EXPECT_LE(cut.size(), 130u);
    EXPECT_EQ(cut.substr(0, 3), "資");
    EXPECT_EQ((cut.size() - 9) % 3, 0u);
}

TEST_F(BackupsTest, ASaveKeepsTheFileItReplacesAndNothingForANewFile) {
    const std::string path = work_.file("台帳.dat");
    EXPECT_EQ(save(path, "一回目").backupPath, "");
    EXPECT_TRUE(listBackups(backups_.path()).empty());
    const std::string firstBytes = test::readBytes(path);

    const SaveReport second = save(path, "二回目");
    EXPECT_FALSE(second.backupFailure);
    ASSERT_FALSE(second.backupPath.empty());
    EXPECT_EQ(test::readBytes(second.backupPath), firstBytes);
    EXPECT_EQ(readRegisterFile(path).assetRegister.at(1, assetName), "二回目1");

    const auto versions = listBackups(backups_.path(), path);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].registerName, "台帳");
    EXPECT_EQ(versions[0].size, firstBytes.size());
    EXPECT_EQ(versions[0].path, second.backupPath);
    EXPECT_EQ(versions[0].dateText.size(), 19u);
}

TEST_F(BackupsTest, SavesWithinOneSecondGetNamesOfTheirOwnAndListNewestFirst) {
    const std::string path = work_.file("a.dat");
    save(path, "v");
    std::vector<std::string> kept;
    for (int i = 0; i < 4; ++i) kept.push_back(save(path, "v" + std::to_string(i)).backupPath);
    now_ += 61;
    kept.push_back(save(path, "later").backupPath);
    const auto versions = listBackups(backups_.path(), path);
    ASSERT_EQ(versions.size(), 5u);
    for (std::size_t i = 0; i < versions.size(); ++i) {
        EXPECT_EQ(versions[i].path, kept[kept.size() - 1 - i]) << i;
    }
    EXPECT_EQ(fs::path(versions[1].path).filename().string(), backupFileName(path, now_ - 61, 4));
    // Each holds the register the save after it replaced.
    EXPECT_EQ(readRegisterFile(versions[1].path).assetRegister.at(1, assetName), "v21");
}

TEST_F(BackupsTest, OnlyTheLastTenOfEachRegisterStayAndOthersAreNotTouched) {
    const std::string mine = work_.file("台帳.dat");
    fs::create_directory(work_.file("elsewhere"));
    const std::string sameName = work_.file("elsewhere/台帳.dat");
    const std::string other = work_.file("別.dat");
    for (const std::string& p : {mine, sameName, other}) save(p, "start");
    for (int i = 0; i < 3; ++i) {
        save(sameName, "s" + std::to_string(i));
        save(other, "o" + std::to_string(i));
        now_ += 1;
    }
    // Files that only look like copies, and a stray file, stay.
    test::writeBytes(backups_.file("メモ.txt"), "x");
    test::writeBytes(backups_.file("台帳_zzzzzzzz_20200101-000000.dat"), "x");
    for (int i = 0; i < 15; ++i) {
        save(mine, "m" + std::to_string(i));
        now_ += 1;
    }
    const auto versions = listBackups(backups_.path(), mine);
    ASSERT_EQ(versions.size(), static_cast<std::size_t>(kBackupsKept));
    // The ten newest: what saves 6 to 15 replaced.
    EXPECT_EQ(readRegisterFile(versions.front().path).assetRegister.at(1, assetName), "m131");
    EXPECT_EQ(readRegisterFile(versions.back().path).assetRegister.at(1, assetName), "m41");
    EXPECT_EQ(listBackups(backups_.path(), sameName).size(), 3u);
    EXPECT_EQ(listBackups(backups_.path(), other).size(), 3u);
    EXPECT_EQ(listBackups(backups_.path()).size(), 16u);
    EXPECT_TRUE(fs::exists(backups_.file("メモ.txt")));
    EXPECT_TRUE(fs::exists(backups_.file("台帳_zzzzzzzz_20200101-000000.dat")));
}

TEST_F(BackupsTest, AnUnchangedFileIsNotKeptTwice) {
    const std::string path = work_.file("a.dat");
    save(path, "same");
    EXPECT_FALSE(save(path, "same").backupPath.empty());
    // Pressing save again and again does not push real versions out.
    EXPECT_TRUE(save(path, "same").backupPath.empty());
    EXPECT_TRUE(save(path, "changed").backupPath.empty());
    EXPECT_EQ(listBackups(backups_.path(), path).size(), 1u);
    EXPECT_FALSE(save(path, "changed again").backupPath.empty());
    EXPECT_EQ(listBackups(backups_.path(), path).size(), 2u);
}

TEST_F(BackupsTest, ACopyThatCannotBeMadeIsReportedAndTheSaveStillHappens) {
    const std::string path = work_.file("a.dat");
    save(path, "old");
    // A file where the folder should be: no copy, whoever runs the test.
    test::writeBytes(work_.file("blocker"), "");
    const std::vector<BackupStore> broken = {
        {work_.file("blocker"), [] { return std::time_t{0}; }},
        {work_.file("blocker/backups"), [] { return std::time_t{0}; }},
        {"", [] { return std::time_t{0}; }},
    };
    int round = 0;
    for (const BackupStore& bad : broken) {
        SCOPED_TRACE(bad.folder);
        const std::string name = "new" + std::to_string(round++);
        SaveReport report;
        ASSERT_NO_THROW(report = writeRegisterFile(path, registerNamed(name), 1, bad));
        ASSERT_TRUE(report.backupFailure.has_value());
        EXPECT_FALSE(report.backupFailure->empty());
        EXPECT_TRUE(report.backupPath.empty());
        EXPECT_EQ(readRegisterFile(path).assetRegister.at(1, assetName), name + "1");
    }
    // A register that cannot be written makes no copy either.
    AssetRegister quote = registerNamed("x");
    quote.at(1, assetName) = "\"";
    EXPECT_THROW(writeRegisterFile(path, quote, 1, store()), platform::WriteError);
    EXPECT_TRUE(listBackups(backups_.path()).empty());
}

TEST(BackupFolder, FollowsXdgDataHomeThenHome) {
    test::TempDir dir;
    {
        const test::ScopedDataHome home(dir.path());
        EXPECT_EQ(defaultBackupFolder(), dir.path() + "/fenmark/backups");
    }
    {
        // A relative XDG_DATA_HOME is ignored, as the base-directory rules say.
        const test::ScopedDataHome relative("relative/data");
        const char* home = std::getenv("HOME");
        if (home != nullptr) {
            EXPECT_EQ(defaultBackupFolder(), std::string(home) + "/.local/share/fenmark/backups");
        }
    }
    // Every test process saves into its own temporary folder.
    EXPECT_EQ(defaultBackupFolder(), test::testBackupFolder());
    EXPECT_NE(defaultBackupFolder().find(fs::temp_directory_path().string()), std::string::npos);
}

// The dialog's model over a folder of copies of two registers.
class EarlierVersionsTest : public BackupsTest {
  protected:
    void SetUp() override {
        mine_ = work_.file("台帳.dat");
        other_ = work_.file("別の台帳.dat");
        save(mine_, "m0");
        save(other_, "o0");
        for (int i = 1; i <= 3; ++i) {
            now_ += 10;
            save(mine_, "m" + std::to_string(i));
        }
        now_ += 10;
        save(other_, "o1");
    }
    std::string mine_;
    std::string other_;
};

TEST_F(EarlierVersionsTest, ListsTheOpenRegistersVersionsFirstOrAll) {
    EarlierVersionsModel model(backups_.path(), mine_);
    model.Form_Load();
    EXPECT_FALSE(model.showingAll());
    EXPECT_TRUE(model.chkAll.enabled);
    ASSERT_EQ(model.rows().size(), 3u);
    EXPECT_EQ(model.Label1.caption, kEarlierVersionsOfRegister);
    EXPECT_EQ(model.rows()[0].registerName, "台帳");
    EXPECT_GT(model.rows()[0].dateText, model.rows()[1].dateText);
    EXPECT_EQ(model.rows()[0].sizeText, byteSizeText(fs::file_size(model.rows()[0].path)));
    EXPECT_EQ(model.selected(), 0);

    model.chkAll_Click(true);
    ASSERT_EQ(model.rows().size(), 4u);
    EXPECT_EQ(model.rows()[0].registerName, "別の台帳");
    EXPECT_EQ(model.Label1.caption, kEarlierVersionsOfAll);

    // Nothing open, or an open register without copies: every register's.
    for (const std::string& path : {std::string(), work_.file("新しい.dat")}) {
        EarlierVersionsModel all(backups_.path(), path);
        all.Form_Load();
        EXPECT_TRUE(all.showingAll());
        EXPECT_EQ(all.rows().size(), 4u);
        EXPECT_EQ(all.chkAll.enabled, !path.empty());
    }
}

TEST_F(EarlierVersionsTest, OpenAnswersTheChosenCopyAndCancelNothing) {
    EarlierVersionsModel model(backups_.path(), mine_);
    model.Form_Load();
    model.select(2);
    model.cmdOpen_Click();
    EXPECT_TRUE(model.closeRequested());
    ASSERT_TRUE(model.chosen());
    EXPECT_EQ(readRegisterFile(*model.chosen()).assetRegister.at(1, assetName), "m01");

    EarlierVersionsModel cancelled(backups_.path(), mine_);
    cancelled.Form_Load();
    cancelled.cmdCancel_Click();
    EXPECT_TRUE(cancelled.closeRequested());
    EXPECT_FALSE(cancelled.chosen());

    EarlierVersionsModel empty(work_.file("nowhere"), "");
    empty.Form_Load();
    EXPECT_TRUE(empty.rows().empty());
    EXPECT_EQ(empty.Label1.caption, kNoEarlierVersions);
    EXPECT_FALSE(empty.cmdOpen.enabled);
    empty.cmdOpen_Click();
    EXPECT_FALSE(empty.closeRequested());
}

TEST(ByteSize, GroupsThousands) {
    const std::vector<std::pair<std::uintmax_t, std::string>> cases = {
        {0, "0 バイト"},
        {999, "999 バイト"},
        {1000, "1,000 バイト"},
        {1234567, "1,234,567 バイト"}};
    for (const auto& [bytes, text] : cases) EXPECT_EQ(byteSizeText(bytes), text);
}

// The main window with a host whose dialog answers what the test says.
struct VersionHost : MainWindowHost {
    bool openWindow(Window) override { return true; }
    void hideMain() override {}
    void quit() override {}
    std::optional<std::string> chooseEarlierVersion(const std::string& folder,
                                                    const std::string& registerPath) override {
        asked.emplace_back(folder, registerPath);
        return answer;
    }
    std::vector<std::pair<std::string, std::string>> asked;
    std::optional<std::string> answer;
};

struct NoHelp : platform::HelpViewer {
    void showHelp(const std::string&, int) override {}
};

class MainWindowVersionsTest : public ::testing::Test {
  protected:
    MainWindowVersionsTest()
        : model_(state_, dialogs_, help_, host_, printDevice_, {program_.path(), user_.path()}) {}
    void SetUp() override { model_.Form_Load(); }

    std::string saveAndOpen(const std::string& name) {
        const std::string path = program_.file("台帳.dat");
        writeRegisterFile(path, registerNamed(name, 2), 2);
        dialogs_.queueOpen(path);
        model_.cmdOpen_Click();
        return path;
    }

    test::TempDir program_;
    test::TempDir user_;
    test::TempDir data_;
    test::ScopedDataHome home_{data_.path()};
    ProgramState state_;
    platform::ScriptedDialogs dialogs_;
    NoHelp help_;
    VersionHost host_;
    platform::RecordingPrintDevice printDevice_;
    MainWindowModel model_;
};

TEST_F(MainWindowVersionsTest, SavingKeepsTheOldFileAndAFailedCopyIsToldAfterTheSave) {
    const std::string path = saveAndOpen("古い");
    state_.assetRegister.at(1, assetName) = "新しい";
    model_.cmdSave_Click();
    EXPECT_TRUE(dialogs_.messages().empty());
    const std::string folder = data_.path() + "/fenmark/backups";
    ASSERT_EQ(listBackups(folder, path).size(), 1u);
    EXPECT_EQ(readRegisterFile(listBackups(folder, path)[0].path).assetRegister.at(1, assetName),
              "古い1");

    // The data folder becomes a file: the copy fails, the save does not.
    fs::remove_all(data_.path() + "/fenmark");
    test::writeBytes(data_.path() + "/fenmark", "");
    state_.assetRegister.at(1, assetName) = "もっと新しい";
    model_.cmdSave_Click();
    EXPECT_EQ(readRegisterFile(path).assetRegister.at(1, assetName), "もっと新しい");
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, kBackupFailedMessage);
    EXPECT_EQ(state_.currentFilePath, path);
}

TEST_F(MainWindowVersionsTest, AnEarlierVersionOpensAsARegisterWithoutAFile) {
    const std::string path = saveAndOpen("一版");
    state_.assetRegister.at(1, assetName) = "二版";
    model_.cmdSave_Click();
    const std::string folder = data_.path() + "/fenmark/backups";
    const auto versions = listBackups(folder, path);
    ASSERT_EQ(versions.size(), 1u);

    host_.answer = versions[0].path;
    ASSERT_TRUE(model_.click("mnuOpenBackup"));
    ASSERT_EQ(host_.asked.size(), 1u);
    EXPECT_EQ(host_.asked[0], std::make_pair(folder, path));
    EXPECT_EQ(state_.assetRegister.at(1, assetName), "一版1");
    EXPECT_EQ(state_.recordCount, 2);
    EXPECT_TRUE(state_.currentFilePath.empty());
    EXPECT_TRUE(state_.chosenFilePath.empty());
    EXPECT_TRUE(model_.Fxg1Visible);
    EXPECT_TRUE(model_.cmdSave.enabled);
    EXPECT_FALSE(model_.cmdOrd.enabled);

    // Saving it is a Save As: it asks for a file and leaves the copy alone.
    const std::string copyBytes = test::readBytes(versions[0].path);
    const std::string target = program_.file("戻した.dat");
    dialogs_.queueSave(target);
    model_.cmdSave_Click();
    EXPECT_EQ(dialogs_.fileDialogs().size(), 2u);
    EXPECT_EQ(readRegisterFile(target).assetRegister.at(1, assetName), "一版1");
    EXPECT_EQ(test::readBytes(versions[0].path), copyBytes);
    EXPECT_EQ(readRegisterFile(path).assetRegister.at(1, assetName), "二版");
}

TEST_F(MainWindowVersionsTest, AnUnreadableCopyOrACancelChangesNothing) {
    const std::string path = saveAndOpen("そのまま");
    const AssetRegister before = state_.assetRegister;
    model_.click("mnuOpenBackup");  // cancelled
    EXPECT_TRUE(dialogs_.messages().empty());
    test::writeBytes(data_.file("bad.dat"), "\"only\",\"three\",\"fields\"\r\n");
    host_.answer = data_.file("bad.dat");
    model_.click("mnuOpenBackup");
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, kReadFailedMessage);
    EXPECT_TRUE(state_.assetRegister == before);
    EXPECT_EQ(state_.currentFilePath, path);
}

}  // namespace
}  // namespace fenmark::reg
