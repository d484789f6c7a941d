// close-year run in-process on copies of registers: what it writes into the
// file, and that a refused year, a failed write or a year already closed
// leaves the file byte for byte as it was.

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/close_year_command.h"
#include "platform/text_file.h"
#include "register/register_file.h"
#include "schedule/schedule_window.h"
#include "yearend/close_year.h"
#include "yearend/statement.h"

namespace fenmark::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string kCarried = std::string(FENMARK_TEST_DATA) + "/golden/carried_register.dat";

// A fresh folder, removed with what is in it.
class Folder {
  public:
    Folder() {
        static std::atomic<int> next{0};
        path_ = fs::temp_directory_path() /
                ("fenmark_close_year_" + std::to_string(::getpid()) + "_" + std::to_string(next++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    [[nodiscard]] std::string file(const std::string& name) const {
        return (path_ / name).string();
    }
    // The names of the files in the folder: a failed write leaves no
    // temporary file behind.
    [[nodiscard]] std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(path_)) {
            found.push_back(entry.path().filename().string());
        }
        return found;
    }

  private:
    fs::path path_;
};

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A copy of `source` in `folder`, its path.
std::string copyOf(const Folder& folder, const std::string& source) {
    const std::string path = folder.file("ledger.dat");
    writeBytes(path, bytesOf(source));
    return path;
}

struct Output {
    int status = 0;
    std::string out;
    std::string err;
};

CloseYearOptions optionsFor(const std::string& file, const std::string& year,
                            ReportFormat format = ReportFormat::Text) {
    CloseYearOptions options;
    options.file = file;
    options.year = year;
    options.closingMonth = 12;
    options.currentYear = 2026;
    options.format = format;
    return options;
}

Output run(const CloseYearOptions& options) {
    std::ostringstream out;
    std::ostringstream err;
    Output result;
    result.status = runCloseYear(options, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

const std::string& cell(const reg::Row& row, reg::Column column) {
    return row[static_cast<std::size_t>(column - 1)];
}

// Columns 23 to 26 of every record of a register file, "2027/62502//".
std::vector<std::string> carriedCells(const std::string& path) {
    const reg::LoadedRegister loaded = reg::readRegisterFile(path);
    std::vector<std::string> cells;
    for (int record = 1; record <= loaded.recordCount; ++record) {
        const reg::Row& row = loaded.assetRegister.row(record);
        cells.push_back(cell(row, reg::carriedYear) + "/" + cell(row, reg::carriedBookValue) + "/" +
                        cell(row, reg::carriedRevisedBase) + "/" + cell(row, reg::carriedChoice));
    }
    return cells;
}

TEST(CloseYear, WritesTheNextYearsOpeningOfEveryRecordedAssetAndNothingElse) {
    Folder folder;
    const std::string source = copyOf(folder, kCarried);
    const std::string before = bytesOf(source);
    CloseYearOptions options = optionsFor(source, "2026", ReportFormat::Json);
    options.output = folder.file("closed.dat");
    const Output result = run(options);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    // -o leaves the register it read alone.
    EXPECT_EQ(bytesOf(source), before);

    const json report = json::parse(result.out);
    const reg::LoadedRegister was = reg::readRegisterFile(source);
    const reg::LoadedRegister now = reg::readRegisterFile(*options.output);
    ASSERT_EQ(now.recordCount, was.recordCount);
    ASSERT_EQ(report["assets"].size(), static_cast<std::size_t>(was.recordCount));
    EXPECT_EQ(report["year"], 2026);
    EXPECT_EQ(report["recorded"], 4);
    for (int record = 1; record <= was.recordCount; ++record) {
        SCOPED_TRACE(record);
        const json& asset = report["assets"][static_cast<std::size_t>(record - 1)];
        EXPECT_EQ(asset["record"], record);
        reg::Row expected = was.assetRegister.row(record);
        if (asset["outcome"] == "recorded") {
            expected[reg::carriedYear - 1] = "2027";
            expected[reg::carriedBookValue - 1] = std::to_string(asset["bookValue"].get<long>());
            expected[reg::carriedRevisedBase - 1] =
                asset["revisedBase"].is_null() ? ""
                                               : std::to_string(asset["revisedBase"].get<long>());
            // The year's figure is now the filed one: no choice is left.
            expected[reg::carriedChoice - 1] = "";
        } else {
            EXPECT_TRUE(asset["bookValue"].is_null());
            EXPECT_TRUE(asset["revisedBase"].is_null());
        }
        EXPECT_EQ(now.assetRegister.row(record), expected);
    }
}

TEST(CloseYear, ASecondRunOfTheSameYearChangesNothingMore) {
    Folder folder;
    const std::string source = copyOf(folder, kCarried);
    ASSERT_EQ(run(optionsFor(source, "2026")).status, 0);
    // Without -o the file itself is rewritten, with nothing left beside it.
    EXPECT_EQ(folder.names(), std::vector<std::string>{"ledger.dat"});
    const std::string once = bytesOf(source);
    const std::vector<std::string> closed = carriedCells(source);
    ASSERT_NE(once, bytesOf(kCarried));
    // However the year is typed.
    for (const char* year : {"2026", "R8", "H38", "38"}) {
        SCOPED_TRACE(year);
        const Output again = run(optionsFor(source, year));
        EXPECT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(carriedCells(source), closed);
        EXPECT_TRUE(bytesOf(source) == once);
    }
}

TEST(CloseYear, ClosingTheYearBeforeAFiledOpeningKeepsTheFiledOpening) {
    // Records 1, 2 and 6 already hold the opening of 2026 as it was filed
    // (and record 6 the choice to continue from the computed figure);
    // closing 2025 must not put the program's own figures over them.
    Folder folder;
    const std::string source = copyOf(folder, kCarried);
    const std::vector<std::string> filed = carriedCells(source);
    const Output result = run(optionsFor(source, "2025"));
    EXPECT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> now = carriedCells(source);
    ASSERT_EQ(now.size(), filed.size());
    for (const std::size_t i : {0U, 1U, 5U}) EXPECT_EQ(now[i], filed[i]) << "record " << i + 1;
    // The others get the opening of 2026: the converted asset's last yen,
    // and the two that leave in 2026 their book value at the end of 2025.
    EXPECT_EQ(now[2], "2026/1//");
    EXPECT_EQ(now[3], "2026/75000//");
    EXPECT_EQ(now[4], "2026/250000//");
}

TEST(CloseYear, ARefusedYearLeavesTheFileByteForByte) {
    struct Case {
        const char* year;
        std::string message;
    };
    const Case cases[] = {
        {"2027", *yearend::closeYearRefusal(2027, 2026)},
        {"R9", *yearend::closeYearRefusal(2027, 2026)},
        {"R70", yearend::kBadYearMessage},
        {"1988", yearend::kBadYearMessage},
        {"S60", yearend::kBadYearMessage},
        {"", yearend::kNoYearMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        Folder folder;
        const std::string source = copyOf(folder, kCarried);
        for (const ReportFormat format : {ReportFormat::Text, ReportFormat::Json}) {
            const Output result = run(optionsFor(source, c.year, format));
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err, c.message + " (--year " + c.year + ")\n");
            EXPECT_EQ(bytesOf(source), bytesOf(kCarried));
            EXPECT_EQ(folder.names(), std::vector<std::string>{"ledger.dat"});
        }
    }
}

TEST(CloseYear, AFailedWriteLeavesTheFileAsItWasAndSaysSo) {
    Folder folder;
    const std::string source = copyOf(folder, kCarried);
    CloseYearOptions options = optionsFor(source, "2026");
    options.output = folder.file("missing/closed.dat");
    const Output toMissing = run(options);
    EXPECT_EQ(toMissing.status, 1);
    EXPECT_EQ(toMissing.out, "");
    EXPECT_TRUE(toMissing.err.starts_with(std::string(reg::kWriteFailedMessage) + " (" +
                                          *options.output + ": "))
        << toMissing.err;
    EXPECT_EQ(bytesOf(source), bytesOf(kCarried));

    // A name read from an unquoted field may hold a double quote, which the
    // file cannot store: the register is refused whole, in place too.
    const std::string quoted = folder.file("quoted.dat");
    const std::string bytes =
        "23\"inch,\"2020-01-4\",\"2\",\"2\",\"1\",\"\",\"4\",\"2020\",\"500000\",\"8\","
        "\"0.125\",\"3\",\"1\",\"100\",\"\",\"\",\"10\",\"95\",\"\"\r\n";
    writeBytes(quoted, bytes);
    const Output inPlace = run(optionsFor(quoted, "2026"));
    EXPECT_EQ(inPlace.status, 1);
    EXPECT_EQ(inPlace.out, "");
    EXPECT_TRUE(inPlace.err.starts_with(reg::kWriteFailedMessage)) << inPlace.err;
    EXPECT_EQ(bytesOf(quoted), bytes);
}

// One asset per outcome, in the file's own form (ASCII names are the same
// bytes in code page 932).
std::string outcomesRegister() {
    const std::string straight =
        R"("2020-01-4","2","2","1","","4","2020","500000","8","0.125","3",)"
        R"("1","100","","","10","95","")";
    return std::string(R"("recorded",)") + straight + "\r\n" +
           R"("later",)"
           R"("2027-03-4","2","9","3","","4","2027","500000","8","0.125","3","1","100","","","10",)"
           R"("95","")"
           "\r\n" +
           R"("scrapped",)" + straight + R"(,"2025-06","除却","")" + "\r\n" +
           R"("lump sum","2020-01-4","2","2","1","","4","2020","150000","3","0.333","2","1",)"
           R"("100","","","10","95","")"
           "\r\n" +
           R"("carried later",)" + straight + R"(,"","","","2028","100000","","","","","")" +
           "\r\n" +
           R"("too dear","2020-01-4","2","2","1","","4","2020","999999999999","8","0.125",)"
           R"("3","1","100","","","10","95","")"
           "\r\n";
}

TEST(CloseYear, EachOutcomeIsReportedAndAnAssetNotComputedEndsWithOne) {
    Folder folder;
    const std::string path = folder.file("outcomes.dat");
    writeBytes(path, platform::utf8ToCp932(outcomesRegister()));
    const Output result = run(optionsFor(path, "2026", ReportFormat::Json));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "記録 6: " + std::string(schedule::kCannotComputeMessage) + "\n");
    const json report = json::parse(result.out);
    const char* const outcomes[] = {"recorded", "notYetAcquired", "left",
                                    "lumpSum",  "laterCarried",   "notComputed"};
    ASSERT_EQ(report["assets"].size(), std::size(outcomes));
    for (std::size_t i = 0; i < std::size(outcomes); ++i) {
        SCOPED_TRACE(outcomes[i]);
        EXPECT_EQ(report["assets"][i]["outcome"], outcomes[i]);
        EXPECT_EQ(report["assets"][i]["bookValue"].is_null(), i != 0);
    }
    EXPECT_EQ(report["recorded"], 1);
    EXPECT_EQ(report["assets"][0]["bookValue"], 62500);
    // What could be recorded is saved all the same.
    const reg::LoadedRegister now = reg::readRegisterFile(path);
    EXPECT_EQ(cell(now.assetRegister.row(1), reg::carriedBookValue), "62500");
    EXPECT_EQ(cell(now.assetRegister.row(5), reg::carriedYear), "2028");
}

TEST(CloseYear, ARegisterThatClosingLeavesAsItWasIsNotRewritten) {
    // Unquoted fields and a line that stops at its 20th field: a rewrite
    // would change the bytes.
    const std::string bytes =
        "lump sum,2020-01-4,2,2,1,,4,2020,150000,3,0.333,2,1,100,,,10,95,\r\n"
        "\"later\",\"2027-03-4\",\"2\",\"9\",\"3\",\"\",\"4\",\"2027\",\"500000\",\"8\","
        "\"0.125\",\"3\",\"1\",\"100\",\"\",\"\",\"10\",\"95\",\"\",\"\"\r\n";
    Folder folder;
    const std::string path = folder.file("ledger.dat");
    writeBytes(path, bytes);
    const Output result = run(optionsFor(path, "2026"));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("記録した資産：0件"), std::string::npos) << result.out;
    EXPECT_EQ(bytesOf(path), bytes);
}

}  // namespace
}  // namespace fenmark::cli
