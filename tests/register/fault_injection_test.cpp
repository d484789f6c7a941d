// Saves and opens through the main window while the file system works
// against them: a read-only folder, a full file system, a file size limit,
// a folder that goes away, a file that vanishes or is replaced after it was
// chosen, and another program replacing the file while it is read. A failed
// save ends in the write-failure message with the old file and the register
// in memory as they were; a failed open ends in the read-failure message
// with the previous register, paths and list kept.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/printer.h"
#include "platform/text_file.h"
#include "register/main_window.h"
#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

namespace fs = std::filesystem;

struct NoHelp : platform::HelpViewer {
    void showHelp(const std::string&, int) override {}
};

struct NoWindows : MainWindowHost {
    bool openWindow(Window) override { return false; }
    void hideMain() override {}
    void quit() override {}
};

// Dialogs whose open dialog lets something happen to the chosen file after
// the user chose it and before the program reads it.
class ChoosingDialogs : public platform::ScriptedDialogs {
  public:
    std::function<void()> afterChoice;

    std::optional<std::string> openFile(const platform::FileDialogOptions& options) override {
        auto chosen = ScriptedDialogs::openFile(options);
        if (afterChoice) afterChoice();
        afterChoice = nullptr;
        return chosen;
    }
};

AssetRegister registerOf(int count, const std::string& prefix) {
    AssetRegister reg;
    for (int row = 1; row <= count; ++row) {
        std::string name = prefix + std::to_string(row) + "：";
        for (int i = 0; i < 12; ++i) name += "事務用机と椅子の一式，";
        reg.row(row) =
            test::asset(name, "1", "20", "4", "4", std::to_string(10000 * row), "10", "0.250", "4");
    }
    return reg;
}

std::string fileBytes(const AssetRegister& reg, int count) {
    return platform::utf8ToCp932(formatRegister(reg, count));
}

// Everything a failed command must leave as it was.
struct Snapshot {
    AssetRegister assetRegister;
    std::int16_t recordCount = 0;
    std::string currentFilePath;
    std::string chosenFilePath;
    bool listVisible = false;
    std::vector<std::string> list;
    std::vector<bool> enabled;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

std::vector<fs::path> entries(const std::string& folder) {
    std::vector<fs::path> out;
    for (const auto& entry : fs::directory_iterator(folder)) out.push_back(entry.path());
    return out;
}

// Runs `body` in a child process, as the unprivileged user when the tests run
// as root (root writes into read-only folders), and returns its exit status:
// 0 when every check in it held, else the number of the first that failed.
int inChild(bool unprivileged, const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        if (unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(100);
        }
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -2;
    return WEXITSTATUS(status);
}

class FaultInjection : public ::testing::Test {
  protected:
    FaultInjection() : model_(state_, dialogs_, help_, host_, printDevice_, {dir_.path(), ""}) {}

    void SetUp() override {
        // Other users may pass through the test folder (the read-only case).
        ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
        model_.Form_Load();
    }

    // Writes a register of `count` records to `path` and opens it.
    void openNew(const std::string& path, int count, const std::string& prefix = "資産") {
        writeRegisterFile(path, registerOf(count, prefix), count);
        dialogs_.queueOpen(path);
        model_.cmdOpen_Click();
        ASSERT_TRUE(dialogs_.messages().empty());
        ASSERT_EQ(state_.currentFilePath, path);
        dialogs_.clearRecord();
    }

    // What the entry card leaves after an edit: a changed register in memory.
    void edit(int count) {
        state_.assetRegister = registerOf(count, "修正後");
        state_.recordCount = static_cast<std::int16_t>(count);
    }

    Snapshot snapshot() {
        Snapshot s{state_.assetRegister,
                   state_.recordCount,
                   state_.currentFilePath,
                   state_.chosenFilePath,
                   model_.Fxg1Visible,
                   {},
                   {}};
        for (int r = 0; r < model_.Fxg1.rows(); ++r) {
            for (int c = 0; c < model_.Fxg1.cols(); ++c) s.list.push_back(model_.Fxg1.text(r, c));
        }
        for (platform::Control* c : model_.buttons()) s.enabled.push_back(c->enabled);
        for (auto& [menu, items] : model_.menus()) {
            for (platform::Control* c : items) s.enabled.push_back(c->enabled);
        }
        return s;
    }

    bool toldOnly(const char* message) const {
        return dialogs_.messages().size() == 1 && dialogs_.messages()[0].text == message &&
               dialogs_.messages()[0].buttons == platform::Buttons::Ok;
    }

    // The checks after a save that must fail, as a child's exit status.
    int failedSave(const std::function<void()>& save) {
        const Snapshot before = snapshot();
        save();
        if (!toldOnly(kWriteFailedMessage)) return 1;
        if (!(snapshot() == before)) return 2;
        return 0;
    }

    test::TempDir dir_;
    ProgramState state_;
    ChoosingDialogs dialogs_;
    NoHelp help_;
    NoWindows host_;
    platform::RecordingPrintDevice printDevice_;
    MainWindowModel model_;
};

// --- Saves -----------------------------------------------------------------

TEST_F(FaultInjection, SaveIntoAReadOnlyFolder) {
    const std::string folder = dir_.file("readonly");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const std::string path = folder + "/register.dat";
    openNew(path, 3);
    const std::string old = test::readBytes(path);
    // Even a file anyone may write cannot be replaced whole in a folder that
    // takes no new files.
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    edit(5);

    EXPECT_EQ(inChild(true, [&] { return failedSave([&] { model_.cmdSave_Click(); }); }), 0)
        << "1: not the write-failure message alone, 2: the register or paths changed";
    dialogs_.queueSave(folder + "/other.dat");
    EXPECT_EQ(inChild(true, [&] { return failedSave([&] { model_.mnuSave_Click(); }); }), 0)
        << "Save As: 1: not the write-failure message alone, 2: the register or paths changed";

    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(test::readBytes(path), old);
    EXPECT_EQ(entries(folder), std::vector<fs::path>{path});
}

// A tmpfs of a few blocks, mounted for one test; root alone may mount.
class SmallFileSystem {
  public:
    explicit SmallFileSystem(std::string where) : where_(std::move(where)) {
        ::mkdir(where_.c_str(), 0755);
        mounted_ = ::mount("tmpfs", where_.c_str(), "tmpfs", 0, "size=2m") == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount(where_.c_str());
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    [[nodiscard]] bool mounted() const { return mounted_; }

  private:
    std::string where_;
    bool mounted_ = false;
};

TEST_F(FaultInjection, SaveOntoAFullFileSystem) {
    const std::string folder = dir_.file("full");
    SmallFileSystem small(folder);
    if (!small.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    const std::string path = folder + "/register.dat";
    openNew(path, 2);
    const std::string old = test::readBytes(path);

    // Fill the file system to within a few kilobytes.
    struct statvfs vfs {};
    ASSERT_EQ(::statvfs(folder.c_str(), &vfs), 0);
    const std::size_t freeBytes = vfs.f_bavail * vfs.f_frsize;
    ASSERT_GT(freeBytes, 16384u);
    const std::string filler = folder + "/filler";
    test::writeBytes(filler, std::string(freeBytes - 8192, 'f'));
    edit(kMaxRecords);
    ASSERT_GT(fileBytes(state_.assetRegister, kMaxRecords).size(), 16384u);

    EXPECT_EQ(failedSave([&] { model_.cmdSave_Click(); }), 0)
        << "1: not the write-failure message alone, 2: the register or paths changed";
    EXPECT_EQ(test::readBytes(path), old);
    // The partial temporary file is gone again.
    EXPECT_EQ(entries(folder).size(), 2u);

    // With room again the same save goes through.
    fs::remove(filler);
    dialogs_.clearRecord();
    model_.cmdSave_Click();
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(test::readBytes(path), fileBytes(state_.assetRegister, kMaxRecords));
}

TEST_F(FaultInjection, SaveBeyondTheFileSizeLimit) {
    // A write that stops part-way, as on a full disk, on any file system:
    // the process may write no file beyond 4 KB.
    const std::string path = dir_.file("register.dat");
    openNew(path, 2);
    const std::string old = test::readBytes(path);
    edit(kMaxRecords);
    const int status = inChild(false, [&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
        return failedSave([&] { model_.cmdSave_Click(); });
    });
    EXPECT_EQ(status, 0) << "1: not the write-failure message alone, 2: the register changed";
    EXPECT_EQ(test::readBytes(path), old);
    EXPECT_EQ(entries(dir_.path()), std::vector<fs::path>{path});
}

TEST_F(FaultInjection, SaveToAFolderThatWasMovedAwayOrReplaced) {
    const std::string folder = dir_.file("sub");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const std::string path = folder + "/register.dat";
    openNew(path, 3);
    const std::string old = test::readBytes(path);
    edit(4);

    // The folder moved (a renamed or unplugged drive): the file must not
    // come back in a new folder of the old name.
    fs::rename(folder, dir_.file("moved"));
    EXPECT_EQ(failedSave([&] { model_.cmdSave_Click(); }), 0)
        << "1: not the write-failure message alone, 2: the register or paths changed";
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(test::readBytes(dir_.file("moved/register.dat")), old);

    // A file now stands where the folder was.
    test::writeBytes(folder, "not a folder");
    dialogs_.clearRecord();
    EXPECT_EQ(failedSave([&] { model_.cmdSave_Click(); }), 0);
    EXPECT_EQ(test::readBytes(folder), "not a folder");

    // Save As into a folder that is gone keeps the file in use.
    dialogs_.clearRecord();
    dialogs_.queueSave(dir_.file("gone/register.dat"));
    EXPECT_EQ(failedSave([&] { model_.mnuSave_Click(); }), 0);
    EXPECT_EQ(state_.currentFilePath, path);
}

// --- Opens -----------------------------------------------------------------

class ReplacedFile : public FaultInjection {
  protected:
    // Opens a register, then tries to open `chosen` while `change` happens
    // to it after the choice; the second open must fail and keep the first.
    void openFails(const std::string& chosen, const std::function<void()>& change) {
        const Snapshot before = snapshot();
        dialogs_.clearRecord();
        dialogs_.queueOpen(chosen);
        dialogs_.afterChoice = change;
        model_.cmdOpen_Click();
        EXPECT_TRUE(toldOnly(kReadFailedMessage));
        EXPECT_TRUE(snapshot() == before) << "the previous register, paths or list changed";
    }

    void SetUp() override {
        FaultInjection::SetUp();
        openNew(dir_.file("first.dat"), 3);
        second_ = dir_.file("second.dat");
        writeRegisterFile(second_, registerOf(5, "二番目"), 5);
    }

    std::string second_;
};

TEST_F(ReplacedFile, VanishedAfterItWasChosen) {
    openFails(second_, [&] { fs::remove(second_); });
}

TEST_F(ReplacedFile, ReplacedByAFolder) {
    openFails(second_, [&] {
        fs::remove(second_);
        fs::create_directory(second_);
    });
}

TEST_F(ReplacedFile, ReplacedByAPipe) {
    // Opening a pipe for reading can wait for a writer that never comes; the
    // open runs in a child with an alarm, so that a hang fails the test.
    fs::remove(second_);
    ASSERT_EQ(::mkfifo(second_.c_str(), 0644), 0);
    const Snapshot before = snapshot();
    const int status = inChild(false, [&] {
        ::alarm(10);
        dialogs_.clearRecord();
        dialogs_.queueOpen(second_);
        model_.cmdOpen_Click();
        if (!toldOnly(kReadFailedMessage)) return 1;
        if (!(snapshot() == before)) return 2;
        return 0;
    });
    EXPECT_EQ(status, 0) << "-2: the open hung; 1: not the read-failure message alone; 2: the "
                            "previous register, paths or list changed";
}

TEST_F(ReplacedFile, CutShortInTheMiddleOfARecord) {
    const std::string whole = test::readBytes(second_);
    openFails(second_, [&] { fs::resize_file(second_, whole.size() / 2 + 7); });
}

TEST_F(ReplacedFile, OverwrittenWithBytesThatAreNoText) {
    openFails(second_, [&] { test::writeBytes(second_, "\"\x81\x7f\",\"\xfd\"\r\n"); });
}

TEST_F(ReplacedFile, GrownToSixtyOneRecords) {
    openFails(second_, [&] {
        const AssetRegister sixty = registerOf(kMaxRecords, "多い");
        test::writeBytes(second_, fileBytes(sixty, kMaxRecords) + fileBytes(sixty, 1));
    });
}

TEST_F(FaultInjection, ReLoadOfAFileThatVanishedKeepsTheRegister) {
    const std::string path = dir_.file("register.dat");
    openNew(path, 3);
    const Snapshot before = snapshot();
    fs::remove(path);
    model_.ReLoad();
    EXPECT_TRUE(toldOnly(kReadFailedMessage));
    EXPECT_TRUE(snapshot() == before);
}

TEST_F(FaultInjection, OpenWhileAnotherProgramKeepsReplacingTheFile) {
    // Another copy of the program saves two registers in turn while this one
    // opens the file again and again: a save replaces the file whole, so
    // each open sees one register complete, never a mixture.
    const std::string path = dir_.file("shared.dat");
    const AssetRegister many = registerOf(kMaxRecords, "六十件");
    const AssetRegister few = registerOf(30, "三十件");
    writeRegisterFile(path, many, kMaxRecords);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        for (std::size_t n = 0;; ++n) {
            try {
                if (n % 2 == 0) {
                    writeRegisterFile(path, few, 30);
                } else {
                    writeRegisterFile(path, many, kMaxRecords);
                }
            } catch (const platform::WriteError&) {
                ::_exit(2);
            }
        }
    }
    int sawMany = 0;
    int sawFew = 0;
    for (int i = 0; i < 200; ++i) {
        dialogs_.clearRecord();
        dialogs_.queueOpen(path);
        model_.cmdOpen_Click();
        if (!dialogs_.messages().empty()) {
            ADD_FAILURE() << "open " << i << " failed: " << dialogs_.messages()[0].text;
            break;
        }
        const bool isMany = state_.recordCount == kMaxRecords && state_.assetRegister == many;
        const bool isFew = state_.recordCount == 30 && state_.assetRegister == few;
        if (!isMany && !isFew) {
            ADD_FAILURE() << "open " << i << " gave a register that was never saved";
            break;
        }
        sawMany += isMany ? 1 : 0;
        sawFew += isFew ? 1 : 0;
        EXPECT_EQ(model_.Fxg1.rows(), state_.recordCount + 1);
    }
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    EXPECT_GT(sawMany + sawFew, 0);
}

}  // namespace
}  // namespace fenmark::reg
