#include "register/register_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/text_file.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

using platform::ReadError;
using platform::WriteError;
using test::TempDir;

// One record line of 19 quoted cells.
std::string line(std::initializer_list<std::string> cells, const std::string& end = "\r\n") {
    std::string out;
    int n = 0;
    for (const auto& c : cells) {
        if (n++) out += ',';
        out += '"' + c + '"';
    }
    for (; n < kBaseColumns; ++n) out += ",\"\"";
    return out + end;
}

TEST(RegisterReader, ReadsQuotedFieldsWithCommasInside) {
    const auto loaded = parseRegister(line({"机,椅子", "0704-4", "1"}) + line({"車"}));
    ASSERT_EQ(loaded.recordCount, 2);
    EXPECT_EQ(loaded.assetRegister.at(1, assetName), "机,椅子");
    EXPECT_EQ(loaded.assetRegister.at(1, assetCode), "0704-4");
    EXPECT_EQ(loaded.assetRegister.at(1, eraCode), "1");
    EXPECT_EQ(loaded.assetRegister.at(1, newRuleRates), "");
    EXPECT_EQ(loaded.assetRegister.at(2, assetName), "車");
}

TEST(RegisterReader, UnquotedFieldsLoseSurroundingBlanksQuotedKeepThem) {
    std::string text = "  abc ,\" x \" junk,3";
    for (int i = 3; i < kBaseColumns; ++i) text += ",";
    text += "\r\n";
    const auto loaded = parseRegister(text);
    ASSERT_EQ(loaded.recordCount, 1);
    EXPECT_EQ(loaded.assetRegister.at(1, 1), "abc");
    EXPECT_EQ(loaded.assetRegister.at(1, 2), " x ");
    EXPECT_EQ(loaded.assetRegister.at(1, 3), "3");
}

TEST(RegisterReader, TakesNineteenFieldsPerRecordWhateverTheLineBreaks) {
    // Ten fields on one line, nine on the next, LF endings, then a record in
    // one line with a lone CR.
    std::string text;
    for (int i = 1; i <= 19; ++i)
        text += "\"" + std::to_string(i) + "\"" + (i == 10 ? "\n" : i == 19 ? "\n" : ",");
    text += line({"second"}, "\r");
    const auto loaded = parseRegister(text);
    ASSERT_EQ(loaded.recordCount, 2);
    EXPECT_EQ(loaded.assetRegister.at(1, 10), "10");
    EXPECT_EQ(loaded.assetRegister.at(1, 11), "11");
    EXPECT_EQ(loaded.assetRegister.at(1, 19), "19");
    EXPECT_EQ(loaded.assetRegister.at(2, 1), "second");
}

TEST(RegisterReader, EmptyFileAndTrailingBlankLinesAreNoRecords) {
    EXPECT_EQ(parseRegister("").recordCount, 0);
    EXPECT_EQ(parseRegister("\r\n\r\n  \n").recordCount, 0);
    EXPECT_EQ(parseRegister(line({"a"}) + "\r\n\r\n").recordCount, 1);
    // The last record may end without a line end.
    EXPECT_EQ(parseRegister(line({"a"}, "")).recordCount, 1);
}

TEST(RegisterReader, AThousandRecordsLoadAThousandAndOneDoNot) {
    std::string full;
    for (int i = 1; i <= kMaxRecords; ++i) full += line({"asset" + std::to_string(i)});
    const auto loaded = parseRegister(full);
    EXPECT_EQ(loaded.recordCount, 1000);
    EXPECT_EQ(loaded.assetRegister.at(61, assetName), "asset61");
    EXPECT_EQ(loaded.assetRegister.at(1000, assetName), "asset1000");
    try {
        (void)parseRegister(full + line({"one too many"}));
        ADD_FAILURE() << "1,001 records were read";
    } catch (const ReadError& e) {
        EXPECT_STREQ(e.what(), "1000件を超えるレコードがあります。");
    }
}

TEST(RegisterReader, TruncatedRecordsAndOpenQuotesFail) {
    EXPECT_THROW((void)parseRegister(line({"a"}) + "\"b\",\"c\"\r\n"), ReadError);
    EXPECT_THROW((void)parseRegister("\"a\",\"b"), ReadError);
    std::string eighteen = line({"a"});
    eighteen.erase(eighteen.rfind(",\"\""), 3);
    EXPECT_THROW((void)parseRegister(eighteen), ReadError);
}

// A record that holds the asset's leaving has 22 fields on its line; the
// others keep their 19, and both are written back as they were read.
TEST(RegisterReader, RecordsWithTheAssetsLeavingHaveTwentyTwoFields) {
    std::string leaving = line({"陳列棚", "2013-05-5"});
    leaving.insert(leaving.size() - 2, ",\"2026-06\",\"売却\",\"50000\"");
    const std::string text = line({"机"}) + leaving + line({"椅子"});
    const auto loaded = parseRegister(text);
    ASSERT_EQ(loaded.recordCount, 3);
    EXPECT_EQ(loaded.assetRegister.at(2, disposalMonth), "2026-06");
    EXPECT_EQ(loaded.assetRegister.at(2, disposalKind), "売却");
    EXPECT_EQ(loaded.assetRegister.at(2, salePrice), "50000");
    EXPECT_EQ(loaded.assetRegister.at(3, assetName), "椅子");
    EXPECT_EQ(loaded.assetRegister.at(3, disposalMonth), "");
    EXPECT_EQ(formatRegister(loaded.assetRegister, 3), text);

    // Twenty fields are read too; more than twenty-two are not a record.
    std::string twenty = line({"机"});
    twenty.insert(twenty.size() - 2, ",\"2026-06\"");
    EXPECT_EQ(parseRegister(twenty).assetRegister.at(1, disposalMonth), "2026-06");
    std::string longer = leaving;
    longer.insert(longer.size() - 2, ",\"x\"");
    EXPECT_THROW((void)parseRegister(longer), ReadError);
}

TEST(RegisterWriter, WritesQuotedCellsCommasAndCrLf) {
    AssetRegister reg;
    reg.at(1, assetName) = "机";
    reg.at(1, assetCode) = "0704-4";
    reg.at(2, assetName) = "椅子";
    EXPECT_EQ(formatRegister(reg, 1), line({"机", "0704-4"}));
    EXPECT_EQ(formatRegister(reg, 0), "");
    EXPECT_EQ(formatRegister(reg, 2), line({"机", "0704-4"}) + line({"椅子"}));
}

TEST(RegisterWriter, RefusesWhatTheLayoutCannotHold) {
    AssetRegister reg;
    reg.at(1, assetName) = "23\"モニター";
    EXPECT_THROW((void)formatRegister(reg, 1), WriteError);
    TempDir dir;
    reg.at(1, assetName) = "\xF0\x9F\x98\x80";  // an emoji: no code page 932 form
    EXPECT_THROW(writeRegisterFile(dir.file("a.dat"), reg, 1), WriteError);
    EXPECT_FALSE(platform::fileExists(dir.file("a.dat")));
}

TEST(RegisterFile, RoundTripKeepsEveryCell) {
    TempDir dir;
    AssetRegister reg;
    const std::vector<std::string> names = {
        "",           "机,椅子", "応接セット　一式",   "ｶﾒﾗ", "倉庫 10㎡",
        "工具～一式", "①号機",   " 先頭と末尾の空白 ", "表示"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        reg.at(row, assetName) = names[i];
        reg.at(row, acquisitionCost) = std::to_string(100000 * row);
        reg.at(row, newRuleRates) = row % 2 ? "" : "0.3340.04448";
    }
    const std::string path = dir.file("round.dat");
    writeRegisterFile(path, reg, static_cast<int>(names.size()));
    const auto loaded = readRegisterFile(path);
    ASSERT_EQ(loaded.recordCount, static_cast<int>(names.size()));
    EXPECT_EQ(loaded.assetRegister, reg);
    // On disk it is code page 932: 机 is 8A F7, ｶ is B6.
    const std::string bytes = test::readBytes(path);
    EXPECT_NE(bytes.find("\x8A\xF7"), std::string::npos);
    EXPECT_NE(bytes.find("\"\xB6"), std::string::npos);
}

TEST(RegisterFile, EmptyRegisterIsAnEmptyFile) {
    TempDir dir;
    writeRegisterFile(dir.file("e.dat"), AssetRegister{}, 0);
    EXPECT_EQ(test::readBytes(dir.file("e.dat")), "");
    EXPECT_EQ(readRegisterFile(dir.file("e.dat")).recordCount, 0);
}

TEST(RegisterFile, InvalidBytesAndMissingFilesFailToRead) {
    TempDir dir;
    test::writeBytes(dir.file("bad.dat"), line({"\x81"}));  // a lead byte with no trail
    EXPECT_THROW((void)readRegisterFile(dir.file("bad.dat")), ReadError);
    test::writeBytes(dir.file("nul.dat"), line({std::string("a\0b", 3)}));
    EXPECT_THROW((void)readRegisterFile(dir.file("nul.dat")), ReadError);
    EXPECT_THROW((void)readRegisterFile(dir.file("missing.dat")), ReadError);
    EXPECT_THROW((void)readRegisterFile(dir.path()), ReadError);
}

TEST(RegisterFile, FailedWriteIntoAReadOnlyFolderLeavesTheOldFile) {
    TempDir dir;
    AssetRegister reg;
    reg.at(1, assetName) = "old";
    const std::string path = dir.file("keep.dat");
    writeRegisterFile(path, reg, 1);
    const std::string before = test::readBytes(path);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    reg.at(1, assetName) = "new";
    // Root writes into read-only folders, so the write is tried as an
    // ordinary user in a child process; its exit status says what happened.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        try {
            writeRegisterFile(path, reg, 1);
        } catch (const WriteError&) {
            ::_exit(0);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(dir.path().c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write did not fail with WriteError";
    EXPECT_EQ(test::readBytes(path), before);
}

TEST(RegisterFile, WriteIntoAMissingFolderFails) {
    TempDir dir;
    EXPECT_THROW(writeRegisterFile(dir.file("no/such/x.dat"), AssetRegister{}, 0), WriteError);
    EXPECT_THROW(writeRegisterFile("", AssetRegister{}, 0), WriteError);
}

TEST(RegisterFile, ReplacingKeepsPermissionsAndLeavesNoTemporaryFiles) {
    TempDir dir;
    const std::string path = dir.file("perm.dat");
    test::writeBytes(path, "");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    AssetRegister reg;
    reg.at(1, assetName) = "x";
    writeRegisterFile(path, reg, 1);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace fenmark::reg
