// The statement's table as the online return system and e-Tax take it, run
// in-process: every format says what the plain statement JSON of the same
// register says, the CSVs say what their JSON says, and the continuation,
// the limits and the encoding hold.

#include "cli/filing_formats.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/statement_command.h"
#include "platform/text_file.h"
#include "register/register_file.h"
#include "test_support.h"

namespace fenmark::cli {
namespace {

using nlohmann::json;
using Rows = std::vector<std::vector<std::string>>;

const std::string kSample = std::string(FENMARK_EXAMPLES) + "/sample.dat";
const std::string kGolden = std::string(FENMARK_TEST_DATA) + "/golden/";
const std::string kLongName = "ショーケース付き冷蔵陳列棚一式（本店用）";  // 20 characters

struct Output {
    int status = 0;
    std::string out;
    std::string err;
};

Output run(StatementOptions options, std::optional<FilingFormat> filing) {
    options.filing = filing;
    std::ostringstream out;
    std::ostringstream err;
    const int status = runStatement(options, out, err);
    return {status, out.str(), err.str()};
}

StatementOptions optionsFor(const std::string& file, const std::string& year,
                            yearend::ReturnForm form = yearend::ReturnForm::Blue) {
    StatementOptions options;
    options.file = file;
    options.year = year;
    options.closingMonth = 12;
    options.currentYear = 2026;
    options.form = form;
    return options;
}

// Ten 新定額法 assets of 令和6年4月 costing 300,000, 400,000 … 1,200,000;
// the third has a name too long for the online system, and `extra` follows.
std::string tenAssets(const test::TempDir& dir, const std::vector<reg::Row>& extra = {}) {
    reg::AssetRegister assets;
    int count = 0;
    for (int i = 1; i <= 10; ++i) {
        const std::string name = i == 3 ? kLongName : "備品" + std::to_string(i);
        assets.row(++count) = test::asset(name, "2", "6", "4", "4",
                                          std::to_string(100000 * (i + 2)), "5", "0.200", "3");
    }
    for (const reg::Row& row : extra) assets.row(++count) = row;
    const std::string path = dir.file("ten.dat");
    (void)reg::writeRegisterFile(path, assets, count);
    return path;
}

Rows csvRows(const std::string& text) {
    Rows rows(1);
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            cell += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ',' || c == '\n')) {
            rows.back().push_back(std::move(cell));
            cell.clear();
            if (c == '\n') rows.emplace_back();
        } else if (quoted || c != '\r') {
            cell += c;
        }
    }
    rows.pop_back();
    return rows;
}

// A value as the CSVs write it: digits, a share with two decimals, the text,
// はい/いいえ; null as "".
std::string typed(const json& value) {
    if (value.is_null()) return "";
    if (value.is_string()) return value.get<std::string>();
    if (value.is_boolean()) return value.get<bool>() ? "はい" : "いいえ";
    if (value.is_number_float()) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", value.get<double>());
        return text;
    }
    return value.dump();
}

// The period as both systems count it from the statement's n/m.
int periodOf(const json& period) {
    if (period.is_null()) return 0;
    return period["of"] == 12 ? period["months"].get<int>() : 12;
}

std::int64_t amount(const json& value) { return value.is_null() ? 0 : value.get<std::int64_t>(); }

// The field of each format and the statement's key it is taken from.
using Pairs = std::vector<std::pair<const char*, const char*>>;
const Pairs kOnlineFromStatement = {
    {"名称", "name"},          {"面積又は数量", "quantity"},          {"取得価額", "cost"},
    {"耐用年数", "life"},      {"償却の基礎になる金額", "base"},      {"摘要", "remark"},
    {"事業専用割合", "share"}, {"本年分の普通償却費", "depreciation"}};
const Pairs kEtaxFromStatement = {{"AMF01610", "name"},
                                  {"AMF01620", "quantity"},
                                  {"AMF01640", "cost"},
                                  {"AMF01645", "guaranteeAmount"},
                                  {"AMF01650", "base"},
                                  {"AMF01660", "method"},
                                  {"AMF01670", "life"},
                                  {"AMF01690", "rate"},
                                  {"AMF01730", "depreciation"},
                                  {"AMF01740", "special"},
                                  {"AMF01750", "depreciationTotal"},
                                  {"AMF01760", "share"},
                                  {"AMF01770", "expense"},
                                  {"AMF01780", "bookValue"},
                                  {"AMF01790", "remark"}};
// The statement's amounts in the order of e-Tax's two totals.
const char* const kSums[] = {"cost",    "depreciation", "special", "depreciationTotal",
                             "expense", "bookValue"};

struct Case {
    std::string file;
    const char* year;
    yearend::ReturnForm form;
};

TEST(FilingFormats, EveryFormatSaysWhatTheStatementSays) {
    const test::TempDir dir;
    const Case cases[] = {
        {kSample, "2026", yearend::ReturnForm::Blue},
        {kSample, "H30", yearend::ReturnForm::Income},
        {kGolden + "leaving_register.dat", "R8", yearend::ReturnForm::Blue},
        {kGolden + "carried_register.dat", "R8", yearend::ReturnForm::Income},
        {kGolden + "small_register.dat", "2026", yearend::ReturnForm::Blue},
        {tenAssets(dir), "2026", yearend::ReturnForm::Blue},
        {tenAssets(dir), "2026", yearend::ReturnForm::Income},
    };
    // Shares are written as numbers of exactly two decimals.
    const std::regex share(R"(("事業専用割合"|"AMF01760"):(null|-?\d+\.\d\d)[,}])");
    const auto count = [](const std::string& text, const std::string& key) {
        std::ptrdiff_t n = 0;
        for (auto at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) ++n;
        return n;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + " " + c.year);
        const StatementOptions options = optionsFor(c.file, c.year, c.form);
        const Output plain = run(options, std::nullopt);
        const Output online = run(options, FilingFormat::SakuseiJson);
        const Output etax = run(options, FilingFormat::EtaxJson);
        ASSERT_EQ(plain.status + online.status + etax.status, 0) << plain.err;
        for (const std::string* text : {&online.out, &etax.out}) {
            EXPECT_EQ(std::distance(std::sregex_iterator(text->begin(), text->end(), share),
                                    std::sregex_iterator()),
                      count(*text, "\"事業専用割合\"") + count(*text, "\"AMF01760\""));
        }
        const json statement = json::parse(plain.out);
        const json entries = json::parse(online.out);
        const json table = json::parse(etax.out);

        // The assets that belong in the return: unmarked, with something
        // of the year.
        std::vector<int> records;
        const json& rows = statement["rows"];
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const json& row = rows[i];
            if (statement["markings"][i] == "" &&
                (!row["depreciation"].is_null() || !row["bookValue"].is_null() ||
                 row.contains("leaving"))) {
                records.push_back(static_cast<int>(i) + 1);
            }
        }
        ASSERT_EQ(entries["assets"].size(), records.size());
        ASSERT_EQ(table["rows"].size(), records.size());

        const int formRows = c.form == yearend::ReturnForm::Income ? 6 : 7;
        std::array<std::int64_t, 6> all{};
        std::array<std::int64_t, 6> continuation{};
        for (std::size_t n = 0; n < records.size(); ++n) {
            SCOPED_TRACE(records[n]);
            const json& row = rows[static_cast<std::size_t>(records[n] - 1)];
            const json& entry = entries["assets"][n];
            const json& etaxRow = table["rows"][n];
            EXPECT_EQ(entry["record"], records[n]);
            EXPECT_EQ(etaxRow["record"], records[n]);
            for (const auto& [key, from] : kOnlineFromStatement)
                EXPECT_EQ(entry[key], row[from]) << key;
            for (const auto& [key, from] : kEtaxFromStatement)
                EXPECT_EQ(etaxRow[key], row[from]) << key;
            EXPECT_EQ(entry["本年中の償却期間"], periodOf(row["period"]));
            EXPECT_EQ(etaxRow["AMF01720"], periodOf(row["period"]));
            EXPECT_EQ(entry["除却・譲渡・廃棄"],
                      row.contains("leaving") && row["leaving"]["kind"] != "自家転用");
            // What was there at the start of the year went in the year.
            if (!entry["前年末未償却残高"].is_null()) {
                EXPECT_EQ(entry["前年末未償却残高"].get<std::int64_t>(),
                          amount(row["depreciation"]) + amount(row["bookValue"]) +
                              (row.contains("leaving") ? amount(row["leaving"]["bookValue"]) : 0));
            }
            const json& when = entry["取得年月"];
            const int era = when["era"] == "昭和" ? 3 : when["era"] == "平成" ? 4 : 5;
            EXPECT_EQ(etaxRow["AMF01630"],
                      json({{"era", era}, {"year", when["year"]}, {"month", when["month"]}}));
            for (std::size_t k = 0; k < 6; ++k) {
                all[k] += amount(row[kSums[k]]);
                if (static_cast<int>(n) >= formRows) continuation[k] += amount(row[kSums[k]]);
            }
        }
        const json& totals = statement["totals"];
        for (std::size_t k = 0; k < 6; ++k) {
            EXPECT_EQ(table["AMF01791"][yearend::kEtaxContinuationTags[k]], continuation[k]);
            EXPECT_EQ(table["AMF01800"][yearend::kEtaxTotalTags[k]],
                      k == 0 ? json(all[0]) : totals[kSums[k]]);
        }
        EXPECT_EQ(table["formRows"], formRows);
        EXPECT_EQ(table["form"], formRows == 6 ? "KOA110" : "KOA210");
        EXPECT_EQ(entries["form"], statement["form"]);
        for (const json* document : {&entries, &table}) {
            EXPECT_EQ((*document)["year"], statement["year"]);
            EXPECT_EQ((*document)["expense"]["total"], totals["expense"]);
            EXPECT_EQ((*document)["expense"]["destination"], yearend::expenseDestination(c.form));
        }
        for (const json& problem : table["problems"]) {
            EXPECT_EQ(table["rows"][problem["row"].get<std::size_t>() - 1]["record"],
                      problem["record"]);
        }

        // The CSVs are their JSON, a cell or a line a value.
        const Rows onlineCsv = csvRows(run(options, FilingFormat::SakuseiCsv).out);
        ASSERT_EQ(onlineCsv.size(), 1 + records.size() + entries["warnings"].size() + 1);
        EXPECT_EQ(onlineCsv.front(), sakuseiHeadings());
        const std::map<std::string, const char*> acquiredParts = {
            {"取得年月（元号）", "era"}, {"取得年月（年）", "year"}, {"取得年月（月）", "month"}};
        for (std::size_t n = 0; n < records.size(); ++n) {
            const json& entry = entries["assets"][n];
            std::vector<std::string> cells;
            for (const std::string& heading : sakuseiHeadings()) {
                if (heading == "No") {
                    cells.push_back(std::to_string(records[n]));
                } else if (heading == "注意") {
                    std::string notes;
                    for (const json& warning : entry["warnings"]) {
                        notes += (notes.empty() ? "" : "／") + warning.get<std::string>();
                    }
                    cells.push_back(notes);
                } else if (acquiredParts.contains(heading)) {
                    cells.push_back(typed(entry["取得年月"][acquiredParts.at(heading)]));
                } else {
                    cells.push_back(typed(entry[heading]));
                }
            }
            EXPECT_EQ(onlineCsv[n + 1], cells);
        }
        EXPECT_EQ(onlineCsv.back().front(), "計");
        EXPECT_EQ(onlineCsv.back().back(),
                  yearend::expenseDestinationLine(c.form, totals["expense"].get<std::int64_t>()));

        const Rows etaxCsv = csvRows(run(options, FilingFormat::EtaxCsv).out);
        ASSERT_EQ(etaxCsv.size(), 1 + records.size() * 20 + 12 + table["problems"].size() + 1);
        EXPECT_EQ(etaxCsv.front(), etaxHeadings());
        const auto items = etaxRowItems(c.form);
        Rows lines;
        for (std::size_t n = 0; n < records.size(); ++n) {
            const std::string row = std::to_string(n + 1);
            lines.push_back({row, "", "資産の番号", std::to_string(records[n])});
            // The object's keys come sorted, and so do the tags.
            for (const auto& [tag, value] : table["rows"][n].items()) {
                if (tag == "record") continue;
                for (const char* part : {"era", "year", "month"}) {
                    const bool acquired = tag == "AMF01630";
                    // The item by the line's place among the row's 20.
                    lines.push_back({row, tag, std::string(items[lines.size() % 20 - 1]),
                                     typed(acquired ? value[part] : value)});
                    if (!acquired) break;
                }
            }
        }
        for (const char* total : {"AMF01791", "AMF01800"}) {
            std::size_t k = 0;
            for (const auto& [tag, value] : table[total].items()) {
                lines.push_back({total == std::string("AMF01791") ? "次葉合計" : "計", tag,
                                 std::string(etaxTotalItems(c.form)[k++]), typed(value)});
            }
        }
        for (const json& problem : table["problems"]) {
            lines.push_back(
                {typed(problem["row"]), typed(problem["tag"]), "問題", typed(problem["message"])});
        }
        lines.push_back(
            {"減価償却費", "", yearend::expenseDestination(c.form), typed(totals["expense"])});
        EXPECT_EQ(Rows(etaxCsv.begin() + 1, etaxCsv.end()), lines);
    }
}

TEST(FilingFormats, RowsAfterTheFormsOwnMakeTheContinuationTotal) {
    const test::TempDir dir;
    const std::string file = tenAssets(dir);
    // 青色申告決算書: rows 8-10 (1,000,000 + 1,100,000 + 1,200,000);
    // 収支内訳書: rows 7-10.
    const std::pair<yearend::ReturnForm, std::int64_t> cases[] = {
        {yearend::ReturnForm::Blue, 3300000}, {yearend::ReturnForm::Income, 4200000}};
    for (const auto& [form, cost] : cases) {
        const json table =
            json::parse(run(optionsFor(file, "R8", form), FilingFormat::EtaxJson).out);
        EXPECT_EQ(table["rows"].size(), 10U);
        EXPECT_EQ(table["AMF01791"]["AMF01792"], cost);
        EXPECT_EQ(table["AMF01791"]["AMF01793"], cost / 5);
        EXPECT_EQ(table["AMF01800"]["AMF01820"], 7500000 / 5);
    }
}

TEST(FilingFormats, ALongNameIsWarnedOfWhereTheOnlineSystemTakesIt) {
    const test::TempDir dir;
    const StatementOptions options = optionsFor(tenAssets(dir), "2026");
    const json entries = json::parse(run(options, FilingFormat::SakuseiJson).out);
    const json& named = entries["assets"][2];
    ASSERT_EQ(named["名称"], kLongName);
    ASSERT_EQ(named["warnings"].size(), 1U);
    const std::string warning = named["warnings"][0];
    EXPECT_NE(warning.find("名称が20文字"), std::string::npos) << warning;
    EXPECT_EQ(entries["assets"][1]["warnings"], json::array());
    const Rows rows = csvRows(run(options, FilingFormat::SakuseiCsv).out);
    EXPECT_EQ(rows[3].back(), warning);
    EXPECT_EQ(rows[2].back(), "");
    // e-Tax has no such limit.
    const json table = json::parse(run(options, FilingFormat::EtaxJson).out);
    EXPECT_EQ(table["rows"][2]["AMF01610"], kLongName);
    EXPECT_EQ(table["problems"], json::array());
}

TEST(FilingFormats, TheEncodingApplies) {
    const test::TempDir dir;
    // The register holds only what code page 932 can, and so does what the
    // program adds (→, ⑱, ～).
    StatementOptions options = optionsFor(tenAssets(dir), "2026");
    for (const FilingFormat format : {FilingFormat::SakuseiCsv, FilingFormat::EtaxCsv,
                                      FilingFormat::SakuseiJson, FilingFormat::EtaxJson}) {
        options.encoding = Encoding::Utf8;
        const Output utf8 = run(options, format);
        options.encoding = Encoding::Cp932;
        const Output cp932 = run(options, format);
        ASSERT_EQ(cp932.status, 0) << cp932.err;
        EXPECT_EQ(cp932.out, platform::utf8ToCp932(utf8.out));
        EXPECT_NE(cp932.out, utf8.out);
    }
}

TEST(FilingFormats, AnUncomputedAssetIsLeftOutAndReported) {
    const test::TempDir dir;
    const StatementOptions options = optionsFor(
        tenAssets(dir,
                  {test::asset("加工機", "2", "6", "4", "2", "99999999999", "10", "0.100", "3")}),
        "2026");
    for (const FilingFormat format : {FilingFormat::SakuseiJson, FilingFormat::EtaxJson}) {
        const Output result = run(options, format);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err.rfind("記録 11: ", 0), 0U) << result.err;
        const json document = json::parse(result.out);
        const json& assets =
            format == FilingFormat::EtaxJson ? document["rows"] : document["assets"];
        EXPECT_EQ(assets.size(), 10U);
        if (format == FilingFormat::SakuseiJson) {
            EXPECT_EQ(document["warnings"],
                      json::array({"No.11は償却費を計算できないため載せていません。"}));
        }
    }
    // A refused year prints nothing, as the table does.
    const Output refused = run(optionsFor(kSample, "R70"), FilingFormat::EtaxCsv);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
}

}  // namespace
}  // namespace fenmark::cli
