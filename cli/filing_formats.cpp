#include "cli/filing_formats.h"

#include <optional>

#include "cli/json_writer.h"
#include "law/era.h"

namespace fenmark::cli {

namespace {

using yearend::EtaxRow;
using yearend::EtaxTable;
using yearend::EtaxTotals;
using yearend::OnlineEntries;
using yearend::OnlineEntry;
using yearend::OnlineField;
using yearend::ReturnForm;

// 取得年月 is one object in the JSON, three entries in the online system.
constexpr const char* kAcquiredKey = "取得年月";

// The first column of the tables' lines that are no asset: a warning and
// the total of the sakusei table, the two totals of e-Tax's.
constexpr const char* kWarningMark = "注意";
constexpr const char* kTotalMark = "計";
constexpr const char* kContinuationMark = "次葉合計";
constexpr const char* kProblemSeparator = "／";

// The item of e-Tax's lines of a problem, of the asset's number and of the
// expense.
constexpr const char* kProblemItem = "問題";
constexpr const char* kRecordItem = "資産の番号";
constexpr const char* kExpenseMark = "減価償却費";

std::string_view formName(ReturnForm form) {
    return form == ReturnForm::Income ? yearend::kIncomeFormName : yearend::kBlueFormName;
}

// ㋬ as the form heads it.
std::string_view specialItem(ReturnForm form) {
    return yearend::statementHeadings(form)[yearend::colSpecial];
}

void textOrNull(JsonWriter& json, const std::string& text) {
    if (text.empty()) {
        json.null();
    } else {
        json.string(text);
    }
}

void intOrNull(JsonWriter& json, const std::optional<int>& value) {
    if (value) {
        json.integer(*value);
    } else {
        json.null();
    }
}

// A number where the text is one, the text where it is not, null where it
// is empty: a quantity ("1", "120㎡"), or a share the register does not
// hold as a number.
void numberOrText(JsonWriter& json, const std::string& text) {
    if (text.empty()) {
        json.null();
    } else if (const std::optional<std::string> number = jsonNumber(text)) {
        json.number(*number);
    } else {
        json.string(text);
    }
}

std::string digits(const std::optional<std::int64_t>& amount) {
    return amount ? std::to_string(*amount) : std::string();
}

std::string digits(const std::optional<int>& value) {
    return value ? std::to_string(*value) : std::string();
}

void writeOnlineEntry(JsonWriter& json, const OnlineEntry& entry) {
    const auto key = [&json](OnlineField field) -> JsonWriter& {
        return json.key(yearend::onlineFieldLabel(field));
    };
    json.beginObject();
    key(OnlineField::Kind).string(entry.kind);
    key(OnlineField::Detail);
    textOrNull(json, entry.detail);
    key(OnlineField::Name).string(entry.name);
    key(OnlineField::Quantity);
    numberOrText(json, entry.quantity);
    json.key(kAcquiredKey);
    if (entry.acquired) {
        json.beginObject();
        json.key("era").string(law::eraName(entry.acquired->era));
        json.key("year").integer(entry.acquired->year);
        json.key("month").integer(entry.acquired->month);
        json.endObject();
    } else {
        json.null();
    }
    key(OnlineField::Cost).integerOrNull(entry.cost);
    key(OnlineField::OpeningBook).integerOrNull(entry.openingBook);
    key(OnlineField::Base).integerOrNull(entry.base);
    key(OnlineField::Life);
    intOrNull(json, entry.life);
    key(OnlineField::RevisedBase).integerOrNull(entry.revisedBase);
    key(OnlineField::Period);
    intOrNull(json, entry.months);
    key(OnlineField::Left).boolean(entry.left);
    key(OnlineField::Depreciation).integerOrNull(entry.depreciation);
    key(OnlineField::Ratio);
    numberOrText(json, entry.ratio);
    key(OnlineField::Remark);
    textOrNull(json, entry.remark);
    json.key("record").integer(entry.record);
    json.key("kindToChoose").boolean(entry.kindToChoose);
    json.key("detailToChoose").boolean(entry.detailToChoose);
    json.key("warnings").beginArray();
    for (const yearend::FieldProblem& problem : entry.problems) json.string(problem.message);
    json.endArray();
    json.endObject();
}

void writeExpense(JsonWriter& json, ReturnForm form, std::int64_t total) {
    json.key("expense").beginObject();
    json.key("total").integer(total);
    json.key("destination").string(yearend::expenseDestination(form));
    json.endObject();
}

constexpr std::size_t kAcquiredTagIndex = 2;

void writeEtaxRow(JsonWriter& json, const EtaxRow& row) {
    const auto key = [&json](std::size_t index) -> JsonWriter& {
        return json.key(yearend::kEtaxRowTags[index]);
    };
    json.beginObject();
    json.key("record").integer(row.record);
    key(0);
    textOrNull(json, row.name);
    key(1);
    numberOrText(json, row.quantity);
    key(kAcquiredTagIndex);
    if (row.acquired) {
        json.beginObject();
        json.key("era").integer(yearend::etaxEraCode(row.acquired->era));
        json.key("year").integer(row.acquired->year);
        json.key("month").integer(row.acquired->month);
        json.endObject();
    } else {
        json.null();
    }
    key(3).integerOrNull(row.cost);
    key(4).integerOrNull(row.guarantee);
    key(5).integerOrNull(row.base);
    key(6);
    textOrNull(json, row.method);
    key(7);
    intOrNull(json, row.life);
    key(8);
    textOrNull(json, row.rate);
    key(9);
    intOrNull(json, row.months);
    key(10).integerOrNull(row.depreciation);
    key(11).integerOrNull(row.special);
    key(12).integerOrNull(row.depreciationTotal);
    key(13);
    numberOrText(json, row.ratio);
    key(14).integerOrNull(row.expense);
    key(15).integerOrNull(row.bookValue);
    key(16);
    textOrNull(json, row.remark);
    json.endObject();
}

std::array<std::int64_t, 6> sums(const EtaxTotals& totals) {
    return {totals.cost,    totals.depreciation, totals.special, totals.depreciationTotal,
            totals.expense, totals.bookValue};
}

void writeTotals(JsonWriter& json, const char* tag, const std::array<std::string_view, 6>& tags,
                 const EtaxTotals& totals) {
    const std::array<std::int64_t, 6> values = sums(totals);
    json.key(tag).beginObject();
    for (std::size_t i = 0; i < tags.size(); ++i) json.key(tags[i]).integer(values[i]);
    json.endObject();
}

// A row's values in the order of etaxRowItems.
std::array<std::string, 19> etaxValues(const EtaxRow& row) {
    const auto era = [&row] {
        return row.acquired ? std::to_string(yearend::etaxEraCode(row.acquired->era))
                            : std::string();
    };
    return {row.name,
            row.quantity,
            era(),
            row.acquired ? std::to_string(row.acquired->year) : std::string(),
            row.acquired ? std::to_string(row.acquired->month) : std::string(),
            digits(row.cost),
            digits(row.guarantee),
            digits(row.base),
            row.method,
            digits(row.life),
            row.rate,
            digits(row.months),
            digits(row.depreciation),
            digits(row.special),
            digits(row.depreciationTotal),
            row.ratio,
            digits(row.expense),
            digits(row.bookValue),
            row.remark};
}

// The tags of etaxRowItems' lines: AMF01630 three times.
std::array<std::string_view, 19> etaxItemTags() {
    std::array<std::string_view, 19> tags{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < yearend::kEtaxRowTags.size(); ++i) {
        const int times = i == kAcquiredTagIndex ? 3 : 1;
        for (int k = 0; k < times; ++k) tags[at++] = yearend::kEtaxRowTags[i];
    }
    return tags;
}

}  // namespace

std::string sakuseiJson(const OnlineEntries& entries, ReturnForm form) {
    std::string text;
    text.reserve(1024 + entries.assets.size() * 720);
    JsonWriter json(text);
    json.beginObject();
    json.key("year").integer(entries.westernYear);
    json.key("form").string(formName(form));
    json.key("assets").beginArray();
    for (const OnlineEntry& entry : entries.assets) writeOnlineEntry(json, entry);
    json.endArray();
    json.key("warnings").beginArray();
    for (const std::string& warning : entries.warnings) json.string(warning);
    json.endArray();
    writeExpense(json, form, entries.expenseTotal);
    json.endObject();
    text += '\n';
    return text;
}

std::vector<std::string> sakuseiHeadings() {
    std::vector<std::string> headings{"No"};
    for (int f = 0; f < yearend::kOnlineFields; ++f) {
        headings.emplace_back(yearend::onlineFieldLabel(static_cast<OnlineField>(f)));
    }
    headings.emplace_back(kWarningMark);
    return headings;
}

std::vector<std::vector<std::string>> sakuseiRows(const OnlineEntries& entries, ReturnForm form) {
    constexpr std::size_t kWidth = 1 + yearend::kOnlineFields + 1;
    std::vector<std::vector<std::string>> rows;
    rows.reserve(entries.assets.size() + entries.warnings.size() + 1);
    for (const OnlineEntry& entry : entries.assets) {
        std::vector<std::string> cells{std::to_string(entry.record)};
        for (int f = 0; f < yearend::kOnlineFields; ++f) {
            cells.push_back(yearend::onlineTypedText(entry, static_cast<OnlineField>(f)));
        }
        std::string notes;
        for (const yearend::FieldProblem& problem : entry.problems) {
            if (!notes.empty()) notes += kProblemSeparator;
            notes += problem.message;
        }
        cells.push_back(std::move(notes));
        rows.push_back(std::move(cells));
    }
    const auto note = [&rows](const char* mark, std::string text) {
        std::vector<std::string> cells(kWidth);
        cells.front() = mark;
        cells.back() = std::move(text);
        rows.push_back(std::move(cells));
    };
    for (const std::string& warning : entries.warnings) note(kWarningMark, warning);
    note(kTotalMark, yearend::expenseDestinationLine(form, entries.expenseTotal));
    return rows;
}

std::string etaxJson(const EtaxTable& table, ReturnForm form, std::int64_t expenseTotal) {
    std::string text;
    text.reserve(1024 + table.rows.size() * 560);
    JsonWriter json(text);
    json.beginObject();
    json.key("form").string(table.form);
    json.key("year").integer(table.westernYear);
    json.key("formRows").integer(table.formRows);
    json.key("rows").beginArray();
    for (const EtaxRow& row : table.rows) writeEtaxRow(json, row);
    json.endArray();
    writeTotals(json, yearend::kEtaxContinuationTag, yearend::kEtaxContinuationTags,
                table.continuation);
    writeTotals(json, yearend::kEtaxTotalTag, yearend::kEtaxTotalTags, table.total);
    json.key("problems").beginArray();
    for (const yearend::EtaxProblem& problem : table.problems) {
        json.beginObject();
        json.key("row").integer(problem.row);
        json.key("record").integer(problem.record);
        json.key("tag").string(problem.field);
        json.key("message").string(problem.message);
        json.endObject();
    }
    json.endArray();
    writeExpense(json, form, expenseTotal);
    json.endObject();
    text += '\n';
    return text;
}

std::array<std::string_view, 19> etaxRowItems(ReturnForm form) {
    return {"名称等",
            "数量",
            "取得年月（元号コード）",
            "取得年月（年）",
            "取得年月（月）",
            "取得価額",
            "償却保証額",
            "償却の基礎になる金額",
            "償却方法",
            "耐用年数",
            "償却率又は改定償却率",
            "本年中の償却期間",
            "普通償却費",
            specialItem(form),
            "償却費合計",
            "事業専用割合",
            "必要経費算入額",
            "未償却残高",
            "摘要"};
}

std::array<std::string_view, 6> etaxTotalItems(ReturnForm form) {
    return {"取得価額",   "普通償却費",     specialItem(form),
            "償却費合計", "必要経費算入額", "未償却残高"};
}

std::vector<std::string> etaxHeadings() { return {"行", "タグ", "項目", "値"}; }

std::vector<std::vector<std::string>> etaxRows(const EtaxTable& table, ReturnForm form,
                                               std::int64_t expenseTotal) {
    const std::array<std::string_view, 19> items = etaxRowItems(form);
    const std::array<std::string_view, 19> tags = etaxItemTags();
    std::vector<std::vector<std::string>> lines;
    lines.reserve(table.rows.size() * 20 + 14 + table.problems.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const EtaxRow& row = table.rows[r];
        const std::string n = std::to_string(r + 1);
        lines.push_back({n, "", kRecordItem, std::to_string(row.record)});
        const std::array<std::string, 19> values = etaxValues(row);
        for (std::size_t i = 0; i < values.size(); ++i) {
            lines.push_back({n, std::string(tags[i]), std::string(items[i]), values[i]});
        }
    }
    const std::array<std::string_view, 6> totalItems = etaxTotalItems(form);
    const auto totals = [&](const char* mark, const std::array<std::string_view, 6>& totalTags,
                            const EtaxTotals& sumsOf) {
        const std::array<std::int64_t, 6> values = sums(sumsOf);
        for (std::size_t i = 0; i < values.size(); ++i) {
            lines.push_back({mark, std::string(totalTags[i]), std::string(totalItems[i]),
                             std::to_string(values[i])});
        }
    };
    totals(kContinuationMark, yearend::kEtaxContinuationTags, table.continuation);
    totals(kTotalMark, yearend::kEtaxTotalTags, table.total);
    for (const yearend::EtaxProblem& problem : table.problems) {
        lines.push_back(
            {std::to_string(problem.row), problem.field, kProblemItem, problem.message});
    }
    lines.push_back(
        {kExpenseMark, "", yearend::expenseDestination(form), std::to_string(expenseTotal)});
    return lines;
}

}  // namespace fenmark::cli
