// A save killed at any moment leaves the register file as it was before the
// save or as the save meant it to be, byte for byte, never anything between.
// A writer process saves two large registers in turn and is killed with
// SIGKILL after delays spread over the time one save takes.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/text_file.h"
#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

using Clock = std::chrono::steady_clock;

// Sixty records with every cell filled; `variant` changes the texts and
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

// Saves `first` and `second` in turn until killed.
[[noreturn]] void saveForever(const std::string& path, const AssetRegister& first,
                              const AssetRegister& second) {
    for (std::size_t n = 0;; ++n) {
        try {
            writeRegisterFile(path, n % 2 == 0 ? second : first, kMaxRecords);
        } catch (const platform::WriteError&) {
            ::_exit(2);
        }
    }
}

TEST(CrashConsistency, KilledSavesLeaveTheOldOrTheNewRegisterWhole) {
    test::TempDir dir;
    const std::string path = dir.file("register.dat");
    const AssetRegister first = largeRegister(0);
    const AssetRegister second = largeRegister(1);
    const std::string firstBytes = platform::utf8ToCp932(formatRegister(first, kMaxRecords));
    const std::string secondBytes = platform::utf8ToCp932(formatRegister(second, kMaxRecords));
    ASSERT_GT(firstBytes.size(), 50000u);
    ASSERT_NE(firstBytes.size(), secondBytes.size());

    // How long one save takes here sets the range of the kill delays.
    const auto start = Clock::now();
    for (int i = 0; i < 5; ++i) writeRegisterFile(path, first, kMaxRecords);
    const auto perSave =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start) / 5;
    const long range = std::max<long>(static_cast<long>(perSave.count()) * 3, 2000);

    std::mt19937 random(8);
    std::uniform_int_distribution<long> delay(0, range);
    constexpr int kKills = 200;
    int sawFirst = 0;
    int sawSecond = 0;
    int killedWithTemporary = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) saveForever(path, first, second);
        // A few kills land before the first save has even begun.
        if (kill % 20 != 0) std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself, status " << status;

        const std::string bytes = test::readBytes(path);
        const bool isFirst = bytes == firstBytes;
        const bool isSecond = bytes == secondBytes;
        ASSERT_TRUE(isFirst || isSecond)
            << "kill " << kill << " left " << bytes.size() << " bytes that are neither register";
        sawFirst += isFirst ? 1 : 0;
        sawSecond += isSecond ? 1 : 0;
        const LoadedRegister loaded = readRegisterFile(path);
        ASSERT_EQ(loaded.recordCount, kMaxRecords);
        ASSERT_EQ(loaded.assetRegister, isFirst ? first : second);

        // A save killed before its rename leaves its temporary file; the
        // register file itself is whole, and the next save is not hindered.
        // They are left where they are: the next save that succeeds removes them.
        const auto stray = leftovers(path);
        if (!stray.empty()) ++killedWithTemporary;
        for (const auto& file : stray) {
            EXPECT_EQ(file.filename().string().rfind("register.dat.tmp", 0), 0u) << file;
        }
    }
    // The kills fell on both sides of the saves' renames.
    EXPECT_GT(sawFirst, 0);
    EXPECT_GT(sawSecond, 0);
    EXPECT_GT(killedWithTemporary, 0) << "no kill fell inside a save";
    RecordProperty("kills_leaving_a_temporary_file", killedWithTemporary);

    // After all that, a save still replaces the file and leaves nothing else.
    writeRegisterFile(path, second, kMaxRecords);
    EXPECT_EQ(test::readBytes(path), secondBytes);
    EXPECT_TRUE(leftovers(path).empty());
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
