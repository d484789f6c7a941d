// The commands run in-process on the sample register: what the JSON says in
// numbers is what the table says in texts, for every cell that has both, and
// a refused year ends the statement with the window's own message.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/schedule_command.h"
#include "cli/statement_command.h"
#include "common/number.h"
#include "yearend/statement.h"

namespace fenmark::cli {
namespace {

using nlohmann::json;

const std::string kSample = std::string(FENMARK_EXAMPLES) + "/sample.dat";
const std::string kLeaving = std::string(FENMARK_TEST_DATA) + "/golden/leaving_register.dat";
const std::string kCarried = std::string(FENMARK_TEST_DATA) + "/golden/carried_register.dat";

struct Output {
    int status = 0;
    std::string out;
    std::string err;
};

template <typename Options, typename Command>
Output run(Options options, Format format, Command command) {
    options.format = format;
    std::ostringstream out;
    std::ostringstream err;
    Output result;
    result.status = command(options, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// The TSV lines after the heading, split into cells.
std::vector<std::vector<std::string>> tsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::size_t start = 0;
        while (true) {
            const std::size_t tab = line.find('\t', start);
            cells.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

// An amount as the tables group it: "1,350,000"; null as the blank cell.
std::string grouped(const json& amount) {
    if (amount.is_null()) return "";
    const std::int64_t value = amount.get<std::int64_t>();
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return (value < 0 ? "-" : "") + digits;
}

// A number the register holds, as its text: 100 as "100"; null as "".
std::string plain(const json& number) { return number.is_null() ? "" : number.dump(); }

std::string months(const json& period) {
    if (period.is_null()) return "";
    return std::to_string(period["months"].get<int>()) + "/" +
           std::to_string(period["of"].get<int>());
}

std::string text(const json& value) { return value.is_null() ? "" : value.get<std::string>(); }

struct StatementCase {
    const char* file;
    const char* year;
    int closingMonth;
    Rounding rounding;
};

TEST(Export, StatementNumbersSayWhatTheTableSays) {
    const StatementCase cases[] = {
        {kSample.c_str(), "H20", 12, Rounding::Up},  {kSample.c_str(), "H30", 3, Rounding::Down},
        {kSample.c_str(), "R8", 12, Rounding::Up},   {kSample.c_str(), "2040", 6, Rounding::Up},
        {kSample.c_str(), "5", 12, Rounding::Down},  {kLeaving.c_str(), "R8", 12, Rounding::Up},
        {kLeaving.c_str(), "H22", 3, Rounding::Up},  {kCarried.c_str(), "R8", 12, Rounding::Up},
        {kCarried.c_str(), "R7", 3, Rounding::Down}, {kCarried.c_str(), "H22", 12, Rounding::Up},
    };
    for (const StatementCase& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.year);
        StatementOptions options;
        options.file = c.file;
        options.year = c.year;
        options.closingMonth = c.closingMonth;
        options.rounding = c.rounding;
        options.currentYear = 2026;
        const Output table = run(options, Format::Tsv, runStatement);
        const Output data = run(options, Format::Json, runStatement);
        ASSERT_EQ(table.status, 0) << table.err;
        ASSERT_EQ(data.status, 0) << data.err;
        const json statement = json::parse(data.out);
        const auto rows = tsvRows(table.out);
        const json& lines = statement["rows"];
        ASSERT_EQ(rows.size(), lines.size() + 1);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE(i);
            const json& line = lines[i];
            const auto& cells = rows[i];
            const std::string cost =
                grouped(line["cost"]) + (line["guaranteeAmount"].is_null()
                                             ? ""
                                             : "(" + grouped(line["guaranteeAmount"]) + ")");
            const std::string share = line["share"].is_null() ? "" : plain(line["share"]) + "%";
            const std::vector<std::string> expected{text(line["name"]),
                                                    plain(line["quantity"]),
                                                    text(line["acquiredEra"]),
                                                    cost,
                                                    grouped(line["base"]),
                                                    text(line["method"]),
                                                    plain(line["life"]),
                                                    text(line["rate"]),
                                                    months(line["period"]),
                                                    grouped(line["depreciation"]),
                                                    grouped(line["special"]),
                                                    grouped(line["depreciationTotal"]),
                                                    share,
                                                    grouped(line["expense"]),
                                                    grouped(line["bookValue"]),
                                                    text(line["remark"]),
                                                    text(statement["markings"][i])};
            // The register writes some rates with a blank after them.
            std::vector<std::string> shown = cells;
            shown[yearend::colRate] = std::string(common::trimBlanks(shown[yearend::colRate]));
            EXPECT_EQ(shown, expected);
        }
        const auto& totals = rows.back();
        const json& sums = statement["totals"];
        // A total of 0 is a blank cell of the totals row.
        const auto total = [](const json& sum) { return sum == 0 ? "" : grouped(sum); };
        EXPECT_EQ(totals[yearend::colDepreciation], total(sums["depreciation"]));
        EXPECT_EQ(totals[yearend::colSpecial], total(sums["special"]));
        EXPECT_EQ(totals[yearend::colExpense], total(sums["expense"]));
        EXPECT_EQ(totals[yearend::colBookValue], total(sums["bookValue"]));
        EXPECT_EQ(statement["year"].get<int>(),
                  1988 + yearend::readStatementYearArgument(c.year).year);
    }
}

TEST(Export, ScheduleNumbersSayWhatTheTableSays) {
    ScheduleOptions options;
    options.file = kSample;
    options.all = true;
    options.closingMonth = 3;
    options.currentYear = 2026;
    const Output table = run(options, Format::Tsv, runSchedule);
    const Output data = run(options, Format::Json, runSchedule);
    ASSERT_EQ(table.status, 0) << table.err;
    ASSERT_EQ(data.status, 0) << data.err;
    const json assets = json::parse(data.out);
    const auto rows = tsvRows(table.out);
    std::size_t next = 0;
    for (const json& asset : assets) {
        EXPECT_EQ(asset["closingMonth"], 3);
        EXPECT_EQ(asset["rounding"], "up");
        for (const json& year : asset["rows"]) {
            ASSERT_LT(next, rows.size());
            const std::vector<std::string> expected{std::to_string(asset["record"].get<int>()),
                                                    plain(year["elapsedYears"]),
                                                    text(year["label"]),
                                                    plain(year["settleYear"]),
                                                    months(year["months"]),
                                                    grouped(year["amount"]),
                                                    grouped(year["expense"]),
                                                    grouped(year["bookValue"]),
                                                    text(year["remark"])};
            EXPECT_EQ(rows[next++], expected);
        }
    }
    EXPECT_EQ(next, rows.size());
}

TEST(Export, ListNumbersSayWhatTheTableSays) {
    ListOptions options;
    options.file = kLeaving;
    const Output table = run(options, Format::Tsv, runList);
    const Output data = run(options, Format::Json, runList);
    ASSERT_EQ(data.status, 0) << data.err;
    const json list = json::parse(data.out);
    const auto rows = tsvRows(table.out);
    ASSERT_EQ(rows.size(), list["rows"].size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const json& asset = list["rows"][i];
        const auto& cells = rows[i];
        EXPECT_EQ(cells[0], plain(asset["no"]));
        EXPECT_TRUE(cells[1].starts_with(text(asset["name"])));
        EXPECT_EQ(cells[3], plain(asset["quantity"]));
        EXPECT_EQ(cells[4], text(asset["acquiredEra"]));
        EXPECT_EQ(cells[5], grouped(asset["cost"]));
        EXPECT_EQ(cells[6], grouped(asset["base"]));
        EXPECT_EQ(cells[7], text(asset["method"]));
        EXPECT_EQ(cells[10], plain(asset["ratio"]) + "％");
        EXPECT_EQ(cells[11], text(asset["code"]));
        // An asset that left says so after its name, and in the JSON.
        EXPECT_EQ(cells[1] != text(asset["name"]), asset.contains("leaving"));
    }
    const json& sold = list["rows"][1]["leaving"];
    EXPECT_EQ(sold["kind"], "売却");
    EXPECT_EQ(sold["month"], "2026-06");
    EXPECT_EQ(sold["salePrice"], 300000);
}

TEST(Export, ARefusedYearEndsWithTheWindowsMessageAndPrintsNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"", yearend::kNoYearMessage},
        {"abc", yearend::kBadYearMessage},
        {"R70", yearend::kBadYearMessage},
        {"1988", yearend::kBadYearMessage},
    };
    for (const auto& [year, message] : cases) {
        StatementOptions options;
        options.file = kSample;
        options.year = year;
        options.closingMonth = 12;
        const Output result = run(options, Format::Json, runStatement);
        EXPECT_EQ(result.status, 1) << year;
        EXPECT_EQ(result.out, "") << year;
        EXPECT_EQ(result.err, std::string(message) + " (--year " + year + ")\n");
    }
}

}  // namespace
}  // namespace fenmark::cli
