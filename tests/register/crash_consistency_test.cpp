// A save killed at any point leaves the register file as it was before the
// save or as the save meant it to be, byte for byte, never anything between.
// The copy of the old file a save keeps is made first: a save killed while
// making it leaves the register untouched and at most a temporary file
// among the copies.
// A writer process announces every step of its save over a pipe and waits
// at the step chosen for it; the test kills it there with SIGKILL, so every
// kill falls exactly where it is meant to, however slow the machine.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "register/backups.h"
#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

using platform::WriteStep;

// A full register with every cell filled; `variant` changes the texts and
// their lengths, so that a torn file can never pass for either register.
AssetRegister largeRegister(int variant) {
    AssetRegister reg;
    for (int row = 1; row <= kMaxRecords; ++row) {
        std::string name = "資産" + std::to_string(variant) + "-" + std::to_string(row) + "：";
        for (int i = 0; i < 40 + variant * 7; ++i) name += "応接セット一式，";
        reg.row(row) = test::asset(name, "1", "20", "4", "4",
                                   std::to_string(100000 * row + variant), "10", "0.250", "4");
        reg.at(row, newRuleRates) = "0.3340.04448";
        reg.at(row, acquisitionDay) = std::string(static_cast<std::size_t>(200 + variant), 'x');
    }
    return reg;
}

// The temporary files a save leaves beside `path` when it is killed.
std::vector<std::filesystem::path> leftovers(const std::string& path) {
    const std::filesystem::path target(path);
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path())) {
        if (entry.path() != target) found.push_back(entry.path());
    }
    return found;
}

// Where a writer is stopped: the `occurrence`-th announcement of `step`
// (counted from 0; only Written is announced more than once) while writing
// the copy of the old file (inBackup) or the register itself.
struct KillPoint {
    WriteStep step;
    int occurrence = 0;
    bool inBackup = false;
};

// What the writer announces: the step, the bytes written so far, and
// whether it is writing the copy of the old file.
struct Announcement {
    WriteStep step;
    std::size_t written;
    bool inBackup;
};

// The writer's side, set in the child after the fork.
int announceFd = -1;
int holdFd = -1;
KillPoint target{WriteStep::BeforeTemporary, 0};
int seen = 0;
// A save over an existing file writes the copy first, then the register.
bool writingBackup = true;

void announceAndMaybeWait(WriteStep step, std::size_t written) {
    const Announcement a{step, written, writingBackup};
    if (::write(announceFd, &a, sizeof a) != static_cast<ssize_t>(sizeof a)) ::_exit(3);
    const bool inTargetWrite = writingBackup == target.inBackup;
    if (step == WriteStep::FolderSynced) writingBackup = false;
    if (!inTargetWrite || step != target.step || seen++ != target.occurrence) return;
    // Wait here until killed: nothing is ever written to this pipe.
    char byte = 0;
    static_cast<void>(::read(holdFd, &byte, 1));
    ::_exit(4);
}

struct Outcome {
    std::vector<Announcement> announced;
    std::string bytes;
    std::vector<std::filesystem::path> stray;
    // Everything in the backup folder.
    std::vector<std::filesystem::path> backups;
};

std::vector<std::filesystem::path> filesIn(const std::string& folder) {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        found.push_back(it->path());
    }
    return found;
}

// Saves `next` over the file at `path` in a child process, keeping copies
// in `backupFolder`, kills the child at `point` and returns what it
// announced and what the folders hold then.
Outcome saveAndKillAt(const std::string& path, const AssetRegister& next, KillPoint point,
                      const std::string& backupFolder) {
    int announcePipe[2];
    int holdPipe[2];
    EXPECT_EQ(::pipe(announcePipe), 0);
    EXPECT_EQ(::pipe(holdPipe), 0);
    const pid_t child = ::fork();
    EXPECT_GE(child, 0);
    if (child == 0) {
        ::close(announcePipe[0]);
        ::close(holdPipe[1]);
        announceFd = announcePipe[1];
        holdFd = holdPipe[0];
        target = point;
        seen = 0;
        writingBackup = platform::fileExists(path);
        platform::setWriteStepHook(announceAndMaybeWait);
        try {
            const BackupStore store{backupFolder, [] { return std::time_t{1796731812}; }};
            writeRegisterFile(path, next, kMaxRecords, store);
        } catch (const platform::WriteError&) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    ::close(announcePipe[1]);
    ::close(holdPipe[0]);

    // Read announcements until the writer reaches the point (it then waits).
    Outcome outcome;
    int count = 0;
    while (true) {
        Announcement a{};
        const ssize_t n = ::read(announcePipe[0], &a, sizeof a);
        if (n != static_cast<ssize_t>(sizeof a)) break;
        outcome.announced.push_back(a);
        if (a.inBackup == point.inBackup && a.step == point.step && count++ == point.occurrence) {
            break;
        }
    }
    EXPECT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the writer did not reach its kill point; status " << status;
    ::close(announcePipe[0]);
    ::close(holdPipe[1]);
    outcome.bytes = test::readBytes(path);
    outcome.stray = leftovers(path);
    outcome.backups = filesIn(backupFolder);
    return outcome;
}

class KilledSave : public ::testing::Test {
  protected:
    void SetUp() override {
        path = dir.file("register.dat");
        backupFolder = backupDir.file("backups");
        firstBytes = platform::utf8ToCp932(formatRegister(first, kMaxRecords));
        secondBytes = platform::utf8ToCp932(formatRegister(second, kMaxRecords));
        ASSERT_GT(secondBytes.size(), 4 * platform::kWritePiece);
        ASSERT_NE(firstBytes.size(), secondBytes.size());
    }

    // The register file holds `before` and no copy is kept yet.
    void startFrom(const AssetRegister& before) {
        std::filesystem::remove(path);
        std::filesystem::remove_all(backupFolder);
        writeRegisterFile(path, before, kMaxRecords, {backupFolder, [] { return std::time_t{}; }});
        ASSERT_TRUE(filesIn(backupFolder).empty());
    }

    // Kills a save of one register over the other at `point` and checks the
    // file: the old register before the rename, the new one from it on, and
    // it reads back whole either way. Returns whether the new one is there.
    bool killAndCheck(KillPoint point, bool towardsSecond) {
        const AssetRegister& before = towardsSecond ? first : second;
        const AssetRegister& after = towardsSecond ? second : first;
        const std::string& beforeBytes = towardsSecond ? firstBytes : secondBytes;
        const std::string& afterBytes = towardsSecond ? secondBytes : firstBytes;
        startFrom(before);

        const Outcome outcome = saveAndKillAt(path, after, point, backupFolder);
        EXPECT_FALSE(outcome.announced.empty());
        checkBackups(outcome, point, beforeBytes);
        const bool renamed = !point.inBackup && point.step >= WriteStep::Renamed;
        EXPECT_EQ(outcome.bytes, renamed ? afterBytes : beforeBytes)
            << "killed at step " << static_cast<int>(point.step) << " #" << point.occurrence << ": "
            << outcome.bytes.size() << " bytes";
        const LoadedRegister loaded = readRegisterFile(path);
        EXPECT_EQ(loaded.recordCount, kMaxRecords);
        EXPECT_TRUE(loaded.assetRegister == (renamed ? after : before));

        // Killed while its temporary file existed, the save leaves it, and
        // only it; the next save that succeeds removes it.
        const bool temporaryExists = !point.inBackup && point.step >= WriteStep::TemporaryCreated &&
                                     point.step < WriteStep::Renamed;
        EXPECT_EQ(outcome.stray.size(), temporaryExists ? 1u : 0u);
        for (const auto& file : outcome.stray) {
            EXPECT_EQ(file.filename().string().rfind("register.dat.tmp", 0), 0u) << file;
            if (point.step == WriteStep::TemporaryCreated) {
                EXPECT_EQ(std::filesystem::file_size(file), 0u);
            }
        }
        return renamed;
    }

    // Killed while copying the old file, the save leaves no copy, or only
    // its temporary file, or the whole copy; killed later, the whole copy.
    void checkBackups(const Outcome& outcome, KillPoint point, const std::string& beforeBytes) {
        const bool copied = !point.inBackup || point.step >= WriteStep::Renamed;
        const bool temporary = point.inBackup && point.step >= WriteStep::TemporaryCreated &&
                               point.step < WriteStep::Renamed;
        EXPECT_EQ(outcome.backups.size(), copied || temporary ? 1u : 0u);
        const std::vector<BackupVersion> kept = listBackups(backupFolder);
        ASSERT_EQ(kept.size(), copied ? 1u : 0u);
        if (copied) {
            EXPECT_EQ(test::readBytes(kept[0].path), beforeBytes);
        }
        for (const auto& file : outcome.backups) {
            if (temporary) {
                EXPECT_NE(file.filename().string().find(".dat.tmp"), std::string::npos) << file;
            }
        }
    }

    test::TempDir dir;
    test::TempDir backupDir;
    std::string backupFolder;
    std::string path;
    const AssetRegister first = largeRegister(0);
    const AssetRegister second = largeRegister(1);
    std::string firstBytes;
    std::string secondBytes;
};

int piecesOf(const std::string& bytes) {
    return static_cast<int>((bytes.size() + platform::kWritePiece - 1) / platform::kWritePiece);
}

TEST_F(KilledSave, ASaveKilledAtEachStepLeavesTheOldOrTheNewRegisterWhole) {
    // The copy holds the first register, the save writes the second.
    for (const bool inBackup : {true, false}) {
        const int pieces = piecesOf(inBackup ? firstBytes : secondBytes);
        const std::vector<KillPoint> points = {
            {WriteStep::BeforeTemporary, 0, inBackup},  {WriteStep::TemporaryCreated, 0, inBackup},
            {WriteStep::Written, 0, inBackup},          {WriteStep::Written, 1, inBackup},
            {WriteStep::Written, pieces / 2, inBackup}, {WriteStep::Written, pieces - 2, inBackup},
            {WriteStep::Written, pieces - 1, inBackup}, {WriteStep::Synced, 0, inBackup},
            {WriteStep::Closed, 0, inBackup},           {WriteStep::Renamed, 0, inBackup},
            {WriteStep::FolderSyncing, 0, inBackup},    {WriteStep::FolderSynced, 0, inBackup}};
        for (const KillPoint& point : points) {
            SCOPED_TRACE(inBackup ? "copying" : "saving");
            SCOPED_TRACE(static_cast<int>(point.step));
            SCOPED_TRACE(point.occurrence);
            killAndCheck(point, true);
        }
    }

    // The pieces the writer announced are the whole copy and the whole
    // file, in order: the copy is complete before the register is touched.
    startFrom(first);
    const Outcome whole =
        saveAndKillAt(path, second, {WriteStep::FolderSynced, 0, false}, backupFolder);
    std::vector<std::size_t> copied;
    std::vector<std::size_t> written;
    bool registerBegun = false;
    for (const Announcement& a : whole.announced) {
        if (!a.inBackup) registerBegun = true;
        EXPECT_FALSE(registerBegun && a.inBackup) << "the copy went on after the save began";
        if (a.step == WriteStep::Written) (a.inBackup ? copied : written).push_back(a.written);
    }
    ASSERT_EQ(static_cast<int>(copied.size()), piecesOf(firstBytes));
    EXPECT_EQ(copied.back(), firstBytes.size());
    ASSERT_EQ(static_cast<int>(written.size()), piecesOf(secondBytes));
    EXPECT_EQ(written.back(), secondBytes.size());
    EXPECT_EQ(whole.announced.back().step, WriteStep::FolderSynced);

    // After all that, a save still replaces the file and leaves nothing else.
    writeRegisterFile(path, second, kMaxRecords, {backupFolder, [] { return std::time_t{}; }});
    EXPECT_EQ(test::readBytes(path), secondBytes);
    EXPECT_TRUE(leftovers(path).empty());
}

// The same at points drawn at random (from a fixed seed), in both
// directions, with leftovers of earlier kills in the folder.
TEST_F(KilledSave, KillsAtRandomPointsOfSavesLeaveAWholeRegister) {
    const int pieces = std::min(piecesOf(firstBytes), piecesOf(secondBytes));
    std::mt19937 random(8);
    std::uniform_int_distribution<int> stepOf(0, static_cast<int>(WriteStep::FolderSynced));
    std::uniform_int_distribution<int> pieceOf(0, pieces - 1);
    std::bernoulli_distribution whileCopying(0.3);
    int renamed = 0;
    constexpr int kKills = 24;
    for (int kill = 0; kill < kKills; ++kill) {
        const auto step = static_cast<WriteStep>(stepOf(random));
        const int occurrence = step == WriteStep::Written ? pieceOf(random) : 0;
        const KillPoint point{step, occurrence, whileCopying(random)};
        SCOPED_TRACE(kill);
        renamed += killAndCheck(point, kill % 2 == 0) ? 1 : 0;
    }
    EXPECT_GT(renamed, 0);
    EXPECT_LT(renamed, kKills);
}

TEST(CrashConsistency, ASaveRemovesOnlyItsOwnLeftoverTemporaryFiles) {
    test::TempDir dir;
    const std::string path = dir.file("台帳.dat");
    const auto plant = [&](const std::string& name) {
        test::writeBytes(dir.file(name), "left behind");
        return std::filesystem::path(dir.file(name));
    };
    const std::vector<std::filesystem::path> own = {plant("台帳.dat.tmpAb12Cd"),
                                                    plant("台帳.dat.tmp000000")};
    // Names that only resemble them: another file's, other lengths, other
    // characters, and a folder of the same shape.
    const std::vector<std::filesystem::path> kept = {
        plant("帳簿.dat.tmpAb12Cd"), plant("台帳.dat.tmpAb12C"),   plant("台帳.dat.tmpAb12Cd7"),
        plant("台帳.dat.tmp-b12Cd"), plant("x台帳.dat.tmpAb12Cd"), plant("台帳.dat.bak")};
    std::filesystem::create_directory(dir.file("台帳.dat.tmpFolder"));

    writeRegisterFile(path, largeRegister(0), 3);
    for (const auto& file : own) EXPECT_FALSE(std::filesystem::exists(file)) << file;
    for (const auto& file : kept) EXPECT_TRUE(std::filesystem::exists(file)) << file;
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("台帳.dat.tmpFolder")));

    // A save that fails removes nothing.
    const auto again = plant("blocked.dat.tmpZZZZZZ");
    std::filesystem::create_directory(dir.file("blocked.dat"));
    EXPECT_THROW(writeRegisterFile(dir.file("blocked.dat"), largeRegister(0), 3),
                 platform::WriteError);
    EXPECT_TRUE(std::filesystem::exists(again));
}

}  // namespace
}  // namespace fenmark::reg
