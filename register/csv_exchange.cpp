#include "register/csv_exchange.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "card/entry_card.h"
#include "law/era.h"
#include "platform/text_file.h"
#include "register/csv_text.h"
#include "register/extended_columns.h"
#include "register/register_file.h"
#include "yearend/statement_window.h"

namespace fenmark::reg {

namespace {

// ---- Our layout ----

// How a column of our layout shows its register cell.
enum class Form {
    text,         // as stored
    amount,       // plain digits; separators and 円 are accepted on import
    yearMonth,    // "YYYY-MM"; any date form on import
    acquisition,  // columns 8 and 5 as "YYYY-MM"
    type,         // the type's name
    method,       // the method's name
    stored,       // the stored forms the readable columns do not give back
};

struct OurColumn {
    const char* name;
    int cell;  // the register column (0 for none)
    Form form;
};

constexpr std::array<OurColumn, 27> kOurColumns{{
    {"資産の名称", assetName, Form::text},
    {"コード", assetCode, Form::text},
    {"取得年月", westernYear, Form::acquisition},
    {"取得日", acquisitionDay, Form::text},
    {"種別", typeCode, Form::type},
    {"取得価額", acquisitionCost, Form::amount},
    {"数量", quantity, Form::amount},
    {"耐用年数", usefulLife, Form::text},
    {"償却方法", methodCode, Form::method},
    {"償却率", depreciationRate, Form::text},
    {"事業専用割合", businessRatio, Form::text},
    {"改正耐用年数", revisedLife, Form::text},
    {"改正償却率", revisedRate, Form::text},
    {"残存割合", residualRatio, Form::text},
    {"償却限度額", depreciationLimit, Form::text},
    {"改定償却率・保証率", newRuleRates, Form::text},
    {"除却等の年月", disposalMonth, Form::yearMonth},
    {"除却等の区分", disposalKind, Form::text},
    {"売却価額", salePrice, Form::amount},
    {"引継ぎの年分", carriedYear, Form::text},
    {"前年末未償却残高", carriedBookValue, Form::amount},
    {"改定取得価額", carriedRevisedBase, Form::amount},
    {"引継ぎの扱い", carriedChoice, Form::text},
    {"業務に使い始めた年月", businessStart, Form::yearMonth},
    {"償却資産の種類", municipalKind, Form::text},
    {"中古資産", boughtUsed, Form::text},
    {"保存形式", 0, Form::stored},
}};

constexpr std::array<const char*, 21> kFreeeHeader{
    "資産の名前",     "取得価額",       "数量",
    "数量単位",       "勘定科目",       "取得日",
    "耐用年数",       "償却方法",       "事業供用開始日",
    "期首残高",       "改定取得価額",   "特別償却費",
    "管理番号等",     "摘要",           "部門",
    "申告先都道府県", "申告先市区町村", "減少事由",
    "減少年月日",     "製造業利用比率", "減価償却に使う勘定科目"};

constexpr std::array<const char*, 12> kEShiwakeHeader{
    "資産名",       "カテゴリ", "取得日",       "取得価額",       "耐用年数",
    "償却方法",     "償却率",   "事業専用割合", "本年分の償却費", "本年分の必要経費算入額",
    "期末帳簿価額", "メモ"};

// Register columns with no column of their own in a peer's layout are
// named in problems as our layout names them.
std::string ourName(int cell) {
    for (const OurColumn& c : kOurColumns) {
        if (c.cell == cell) return c.name;
    }
    if (cell == eraCode || cell == eraYear || cell == acquisitionMonth) return "取得年月";
    return {};
}

std::string& cellAt(Row& row, int column) { return row[static_cast<std::size_t>(column - 1)]; }
const std::string& cellAt(const Row& row, int column) {
    return row[static_cast<std::size_t>(column - 1)];
}

std::optional<int> smallNumber(std::string_view text) {
    const auto value = plainDigits(text);
    if (!value || *value > 100000) return std::nullopt;
    return static_cast<int>(*value);
}

std::string yearMonthText(int year, int month) {
    std::string text = std::to_string(year) + "-";
    if (month < 10) text += "0";
    return text + std::to_string(month);
}

// Our readable text of a register cell.
std::string readableOf(const Row& row, const OurColumn& column) {
    const std::string& cell = column.cell > 0 ? cellAt(row, column.cell) : std::string();
    switch (column.form) {
        case Form::acquisition: {
            const auto year = smallNumber(cellAt(row, westernYear));
            const auto month = smallNumber(cellAt(row, acquisitionMonth));
            if (year && month && *year >= 1000 && *year <= 9999 && *month >= 1 && *month <= 12) {
                return yearMonthText(*year, *month);
            }
            return {};
        }
        case Form::type: {
            const auto code = smallNumber(cell);
            if (code && *code < static_cast<int>(kTypeNames.size()) &&
                std::to_string(*code) == cell) {
                return kTypeNames[static_cast<std::size_t>(*code)];
            }
            return cell;
        }
        case Form::method: {
            const auto code = smallNumber(cell);
            if (code && *code < static_cast<int>(kMethodNames.size()) &&
                std::to_string(*code) == cell) {
                return kMethodNames[static_cast<std::size_t>(*code)];
            }
            return cell;
        }
        case Form::text:
        case Form::amount:
        case Form::yearMonth:
        case Form::stored:
            return cell;
    }
    return cell;
}

// The position of `name` in `names`, blanks ignored, or nothing.
template <std::size_t N>
std::optional<int> nameIndex(const std::array<const char*, N>& names, std::string_view name) {
    const std::string wanted = withoutBlanks(name);
    for (std::size_t i = 0; i < N; ++i) {
        if (withoutBlanks(names[i]) == wanted) return static_cast<int>(i);
    }
    return std::nullopt;
}

// The cell of a readable value: what the value means when it can be read,
// else the value as written, for the checks to refuse.
std::string cellFromReadable(Form form, const std::string& value) {
    switch (form) {
        case Form::amount:
            return amountCell(value);
        case Form::yearMonth: {
            if (value.empty()) return {};
            const auto date = parseCsvDate(value);
            return date ? yearMonthText(date->year, date->month) : value;
        }
        case Form::type:
            if (const auto i = nameIndex(kTypeNames, value)) return std::to_string(*i);
            return value;
        case Form::method:
            if (const auto i = nameIndex(kMethodNames, value)) return std::to_string(*i);
            return value;
        case Form::text:
        case Form::acquisition:
        case Form::stored:
            return value;
    }
    return value;
}

// The stored forms column: "N=value" pairs joined by "|", with "|" and
// "\" escaped by "\".
std::string joinStored(const std::vector<std::pair<int, std::string>>& cells) {
    std::string text;
    for (const auto& [column, value] : cells) {
        if (!text.empty()) text += '|';
        text += std::to_string(column) + "=";
        for (char c : value) {
            if (c == '|' || c == '\\') text += '\\';
            text += c;
        }
    }
    return text;
}

std::optional<std::vector<std::pair<int, std::string>>> splitStored(std::string_view text) {
    std::vector<std::pair<int, std::string>> cells;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t eq = text.find('=', i);
        if (eq == std::string_view::npos) return std::nullopt;
        const auto column = smallNumber(text.substr(i, eq - i));
        if (!column || *column < 1 || *column > kColumns) return std::nullopt;
        std::string value;
        i = eq + 1;
        for (; i < text.size() && text[i] != '|'; ++i) {
            if (text[i] == '\\' && i + 1 < text.size()) ++i;
            value += text[i];
        }
        if (i < text.size()) ++i;
        cells.emplace_back(*column, std::move(value));
    }
    return cells;
}

// The record our layout's fields give, before the stored forms are
// applied: the era and its year follow from the acquisition month.
Row rowFromOurFields(const std::vector<std::string>& fields) {
    Row row{};
    for (std::size_t i = 0; i < kOurColumns.size() && i < fields.size(); ++i) {
        const OurColumn& column = kOurColumns[i];
        if (column.form == Form::stored) continue;
        // Text cells are taken as written; names, dates and amounts may
        // stand between blanks.
        if (column.form == Form::text) {
            cellAt(row, column.cell) = fields[i];
            continue;
        }
        const std::string value = trimmed(fields[i]);
        if (column.form == Form::acquisition) {
            if (value.empty()) continue;
            const auto date = parseCsvDate(value);
            if (!date) {
                cellAt(row, westernYear) = value;
                continue;
            }
            cellAt(row, westernYear) = std::to_string(date->year);
            cellAt(row, acquisitionMonth) = std::to_string(date->month);
            const law::Era era = law::eraOfMonth(date->year, date->month);
            cellAt(row, eraCode) = std::to_string(static_cast<int>(era));
            cellAt(row, eraYear) = std::to_string(law::eraYearOf(era, date->year));
            continue;
        }
        cellAt(row, column.cell) = cellFromReadable(column.form, value);
    }
    // A code left empty is the card's: the acquisition month and the type.
    const auto year = smallNumber(cellAt(row, westernYear));
    const auto month = smallNumber(cellAt(row, acquisitionMonth));
    if (cellAt(row, assetCode).empty() && year && month && !cellAt(row, typeCode).empty() &&
        smallNumber(cellAt(row, typeCode))) {
        cellAt(row, assetCode) = yearMonthText(*year, *month) + "-" + cellAt(row, typeCode);
    }
    return row;
}

std::vector<std::string> ourFields(const Row& row) {
    std::vector<std::string> fields;
    for (const OurColumn& column : kOurColumns) fields.push_back(readableOf(row, column));
    const Row back = rowFromOurFields(fields);
    std::vector<std::pair<int, std::string>> stored;
    for (int c = 1; c <= kColumns; ++c) {
        if (cellAt(back, c) != cellAt(row, c)) stored.emplace_back(c, cellAt(row, c));
    }
    fields.back() = joinStored(stored);
    return fields;
}

}  // namespace

std::string csvLayoutName(CsvLayout layout) {
    switch (layout) {
        case CsvLayout::Ours:
            return "Fenmark";
        case CsvLayout::Freee:
            return "freee 会計";
        case CsvLayout::EShiwake:
            return "e-shiwake";
    }
    return {};
}

std::string formatCsv(const AssetRegister& reg, int count) {
    std::vector<std::string> header;
    for (const OurColumn& column : kOurColumns) header.emplace_back(column.name);
    std::string text = csvLine(header);
    for (int r = 1; r <= count; ++r) text += csvLine(ourFields(reg.row(r)));
    return text;
}

std::string encodeCsv(std::string_view utf8, CsvEncoding encoding) {
    switch (encoding) {
        case CsvEncoding::Utf8:
            return std::string(utf8);
        case CsvEncoding::Utf8Bom:
            return "\xEF\xBB\xBF" + std::string(utf8);
        case CsvEncoding::Cp932:
            return platform::utf8ToCp932(utf8);
    }
    return std::string(utf8);
}

void writeCsvFile(const std::string& path, const AssetRegister& reg, int count,
                  CsvEncoding encoding) {
    platform::writeFileAtomic(path, encodeCsv(formatCsv(reg, count), encoding));
}

std::string formatCsvProblem(const CsvProblem& problem) {
    if (problem.line <= 0) return problem.message;
    std::string text = std::to_string(problem.line) + "行目";
    if (!problem.column.empty()) text += " " + problem.column + "「" + problem.value + "」";
    return text + ": " + problem.message;
}

bool csvLayoutNeedsYear(CsvLayout layout) { return layout != CsvLayout::Ours; }

namespace {

template <std::size_t N>
bool headerIs(const std::vector<std::string>& fields, const std::array<const char*, N>& names) {
    if (fields.size() != N) return false;
    for (std::size_t i = 0; i < N; ++i) {
        if (trimmed(fields[i]) != names[i]) return false;
    }
    return true;
}

std::optional<CsvLayout> layoutOfHeader(const std::vector<std::string>& fields) {
    std::array<const char*, kOurColumns.size()> ours{};
    for (std::size_t i = 0; i < ours.size(); ++i) ours[i] = kOurColumns[i].name;
    if (headerIs(fields, ours)) return CsvLayout::Ours;
    if (headerIs(fields, kFreeeHeader)) return CsvLayout::Freee;
    if (headerIs(fields, kEShiwakeHeader)) return CsvLayout::EShiwake;
    return std::nullopt;
}

}  // namespace

std::optional<CsvLayout> detectCsvLayout(std::string_view bytes) {
    const auto text = decodeCsvBytes(bytes);
    if (!text) return std::nullopt;
    const CsvParse parsed = parseCsvText(*text);
    if (parsed.records.empty()) return std::nullopt;
    return layoutOfHeader(parsed.records.front().fields);
}

CsvImport readCsvFile(const std::string& path, const CsvImportOptions& options) {
    std::string bytes;
    try {
        bytes = platform::readFileBytes(path);
    } catch (const platform::ReadError&) {
        CsvImport result;
        result.problems.push_back({0, {}, {}, kReadFailedMessage});
        return result;
    }
    return readCsv(bytes, options);
}

bool appendImportedRows(AssetRegister& reg, std::int16_t& recordCount,
                        const std::vector<Row>& rows) {
    if (recordCount + static_cast<int>(rows.size()) > kMaxRecords) return false;
    for (const Row& row : rows) {
        ++recordCount;
        reg.row(recordCount) = row;
    }
    return true;
}

// ---- Import ----

namespace {

// A record in register form with, for each register column, the file
// column it came from (for the messages).
struct MappedRow {
    Row row{};
    std::map<int, int> source;
    std::vector<CsvProblem> problems;
};

class RowMapper {
  public:
    RowMapper(const CsvRecord& record, const std::vector<std::string>& header, MappedRow& out)
        : record_(record), header_(header), out_(out) {}

    [[nodiscard]] const std::string& field(int index) const {
        static const std::string empty;
        const auto i = static_cast<std::size_t>(index);
        return i < record_.fields.size() ? record_.fields[i] : empty;
    }
    [[nodiscard]] std::string value(int index) const { return trimmed(field(index)); }
    void put(int cell, std::string text, int index) {
        cellAt(out_.row, cell) = std::move(text);
        out_.source[cell] = index;
    }
    void report(int index, std::string message) {
        out_.problems.push_back({record_.line, header_[static_cast<std::size_t>(index)],
                                 field(index), std::move(message)});
    }

  private:
    const CsvRecord& record_;
    const std::vector<std::string>& header_;
    MappedRow& out_;
};

// The type code of a category name: ours and the account names the peers
// use.
std::optional<int> typeOfCategory(std::string_view name) {
    static constexpr std::array<std::pair<const char*, int>, 27> kCategories{{
        {"建物", 0},
        {"建物附属設備", 1},
        {"附属設備", 1},
        {"付帯設備", 1},
        {"機械", 2},
        {"機械装置", 2},
        {"機械及び装置", 2},
        {"装置", 3},
        {"構築物", 3},
        {"備品", 4},
        {"器具備品", 4},
        {"工具器具備品", 4},
        {"工具、器具及び備品", 4},
        {"什器類", 5},
        {"什器備品", 5},
        {"工具", 6},
        {"車両等", 7},
        {"車両", 7},
        {"車両運搬具", 7},
        {"その他", 8},
        {"ソフトウェア", 8},
        {"無形固定資産", 8},
        {"繰延資産", 9},
        {"開業費", 9},
        {"創立費", 9},
        {"開発費", 9},
        {"生物", 10},
    }};
    const std::string wanted = withoutBlanks(name);
    for (const auto& [category, type] : kCategories) {
        if (wanted == category) return type;
    }
    if (const auto i = nameIndex(kTypeNames, wanted)) return *i;
    return std::nullopt;
}

// A peer's method name as the card's choice; `oldOnly` for the names of the
// rules before April 2007, `deferredOnly` for equal amortisation.
struct PeerMethod {
    card::MethodChoice choice;
    bool oldOnly = false;
    bool deferredOnly = false;
};
std::optional<PeerMethod> methodOfName(std::string_view name) {
    using card::MethodChoice;
    static constexpr std::array<std::pair<const char*, PeerMethod>, 16> kMethods{{
        {"定額法", {MethodChoice::straightLine}},
        {"新定額法", {MethodChoice::straightLine}},
        {"旧定額法", {MethodChoice::straightLine, true}},
        {"定率法", {MethodChoice::decliningBalance}},
        {"新定率法", {MethodChoice::decliningBalance}},
        {"旧定率法", {MethodChoice::decliningBalance, true}},
        {"一括償却", {MethodChoice::threeYear}},
        {"一括償却資産", {MethodChoice::threeYear}},
        {"均等法", {MethodChoice::threeYear}},
        {"3年均等償却", {MethodChoice::threeYear}},
        {"少額償却", {MethodChoice::smallAsset}},
        {"少額特例", {MethodChoice::smallAsset}},
        {"少額減価償却", {MethodChoice::smallAsset}},
        {"少額減価償却資産", {MethodChoice::smallAsset}},
        {"均等償却", {MethodChoice::straightLine, false, true}},
        {"繰延資産の償却", {MethodChoice::straightLine, false, true}},
    }};
    const std::string wanted = withoutBlanks(name);
    for (const auto& [method, peer] : kMethods) {
        if (wanted == method) return peer;
    }
    return std::nullopt;
}

constexpr const char* kMsgUnknownCategory =
    "この種別（勘定科目）はこの台帳の種別のどれに当たるか決められません。";
constexpr const char* kMsgUnsupportedMethod = "この償却方法はこの台帳では扱えません。";
constexpr const char* kMsgOldMethodForNewAsset =
    "旧定額法・旧定率法は平成19年3月までに取得した資産の償却方法です。";
constexpr const char* kMsgEqualOnlyDeferred = "均等償却は繰延資産の償却方法です。";
constexpr const char* kMsgBadDate = "日付として読めません。";
constexpr const char* kMsgSpecialDepreciation = "特別償却費はこの台帳では扱えません。";
constexpr const char* kMsgOtherDecrease =
    "その他減少はこの台帳では扱えません（除却・売却・自家転用だけです）。";
constexpr const char* kMsgBadLeavingKind = "除却・売却・自家転用のどれかを入力してください。";
constexpr const char* kMsgLeavingKindMissing =
    "除却・売却・自家転用の年月があるのに、そのどれかが入力されていません。";
constexpr const char* kMsgColumnCount = "項目の数が見出し行と合いません。";
constexpr const char* kMsgUnreadableRecord = "この行は台帳に記録できません。";
constexpr const char* kMsgBadStored = "保存形式の値が読めません。";
constexpr const char* kMsgUnclosedQuote = "引用符が閉じられていません。";

// The fields of the peers' acquisitions and leavings: the card's fields
// that follow from a chosen method.
void applyMethod(RowMapper& m, MappedRow& out, int methodIndex, int lifeIndex, bool deferredType) {
    Row& row = out.row;
    const std::string methodName = m.value(methodIndex);
    if (methodName.empty()) return;  // the card's check names it
    const auto peer = methodOfName(methodName);
    if (!peer) {
        m.report(methodIndex, kMsgUnsupportedMethod);
        return;
    }
    const auto year = smallNumber(cellAt(row, westernYear));
    const auto month = smallNumber(cellAt(row, acquisitionMonth));
    const auto type = smallNumber(cellAt(row, typeCode));
    if (!year || !month || !type || cellAt(row, usefulLife).empty()) return;
    const double key = card::acquisitionDateKey(*year, *month);
    if (peer->oldOnly && key >= card::acquisitionDateKey(2007, 4)) {
        m.report(methodIndex, kMsgOldMethodForNewAsset);
        return;
    }
    if (peer->deferredOnly != deferredType && peer->deferredOnly) {
        m.report(methodIndex, kMsgEqualOnlyDeferred);
        return;
    }
    const auto result =
        card::methodRates(peer->choice, *type, key, cellAt(row, usefulLife),
                          card::unitPriceOf(cellAt(row, acquisitionCost), cellAt(row, quantity)));
    if (!result.rates) {
        m.report(result.refusal == card::kMsgBadLife ? lifeIndex : methodIndex, result.refusal);
        return;
    }
    m.put(methodCode, result.rates->code, methodIndex);
    m.put(usefulLife, result.rates->life, lifeIndex);
    m.put(depreciationRate, result.rates->rate, methodIndex);
    m.put(newRuleRates, result.rates->newRuleRates, methodIndex);
    cellAt(row, assetCode) = yearMonthText(*year, *month) + "-" + std::to_string(*type);
    // Deferred assets are written off to nothing; the rest as the card
    // stores a page without those boxes.
    cellAt(row, residualRatio) = deferredType ? "0" : "10";
    cellAt(row, depreciationLimit) = deferredType ? "100" : "95";
}

// The acquisition from a date field.
std::optional<CsvDate> putAcquisition(RowMapper& m, int index) {
    const std::string text = m.value(index);
    if (text.empty()) return std::nullopt;  // the card's check names it
    const auto date = parseCsvDate(text);
    if (!date) {
        m.report(index, kMsgBadDate);
        return std::nullopt;
    }
    const law::Era era = law::eraOfMonth(date->year, date->month);
    m.put(westernYear, std::to_string(date->year), index);
    m.put(acquisitionMonth, std::to_string(date->month), index);
    m.put(eraCode, std::to_string(static_cast<int>(era)), index);
    m.put(eraYear, std::to_string(law::eraYearOf(era, date->year)), index);
    return date;
}

void putType(RowMapper& m, int index) {
    const std::string text = m.value(index);
    if (text.empty()) return;
    if (const auto type = typeOfCategory(text)) {
        m.put(typeCode, std::to_string(*type), index);
    } else {
        m.report(index, kMsgUnknownCategory);
    }
}

// The carried opening of `importYear` from a peer's figure: none for an
// asset acquired in that year or later, one that left before it, or a
// figure of 0 or none.
void putCarried(RowMapper& m, MappedRow& out, int importYear, int bookIndex, int revisedIndex) {
    const std::string book = amountCell(m.value(bookIndex));
    if (book.empty() || book == "0") return;
    const auto acquired = smallNumber(cellAt(out.row, westernYear));
    if (acquired && *acquired >= importYear) return;
    if (const auto left = law::parseYearMonth(cellAt(out.row, disposalMonth))) {
        if (left->year < importYear) return;
    }
    // 一括償却 and 少額特例 follow the cost whatever was filed.
    const std::string& method = cellAt(out.row, methodCode);
    if (method == "2" || method == "6") return;
    m.put(carriedYear, std::to_string(importYear), bookIndex);
    m.put(carriedBookValue, book, bookIndex);
    if (revisedIndex >= 0) {
        const std::string revised = amountCell(m.value(revisedIndex));
        if (!revised.empty() && revised != "0") m.put(carriedRevisedBase, revised, revisedIndex);
    }
}

void mapFreee(RowMapper& m, MappedRow& out, int importYear) {
    m.put(assetName, m.field(0), 0);
    m.put(acquisitionCost, amountCell(m.value(1)), 1);
    const std::string quantityText = amountCell(m.value(2));
    m.put(quantity, quantityText.empty() ? "1" : quantityText, 2);
    putType(m, 4);
    const auto acquired = putAcquisition(m, 5);
    m.put(usefulLife, amountCell(m.value(6)), 6);
    m.put(businessRatio, "100", 0);
    out.source.erase(businessRatio);
    // The leaving comes before the method: the carried opening looks at it.
    const std::string reason = m.value(17);
    if (reason == kLeavingSold || reason == kLeavingScrapped) {
        m.put(disposalKind, reason, 17);
        const std::string when = m.value(18);
        if (!when.empty()) {
            if (const auto date = parseCsvDate(when)) {
                m.put(disposalMonth, yearMonthText(date->year, date->month), 18);
            } else {
                m.report(18, kMsgBadDate);
            }
        }
    } else if (reason == "その他減少") {
        m.report(17, kMsgOtherDecrease);
    } else if (!reason.empty()) {
        m.report(17, kMsgBadLeavingKind);
    }
    applyMethod(m, out, 7, 6, cellAt(out.row, typeCode) == "9");
    const std::string start = m.value(8);
    if (!start.empty()) {
        const auto date = parseCsvDate(start);
        if (!date) {
            m.report(8, kMsgBadDate);
        } else if (acquired &&
                   date->year * 12 + date->month > acquired->year * 12 + acquired->month) {
            m.put(businessStart, yearMonthText(date->year, date->month), 8);
        }
    }
    const std::string special = amountCell(m.value(11));
    if (!special.empty() && special != "0") m.report(11, kMsgSpecialDepreciation);
    putCarried(m, out, importYear, 9, 10);
}

void mapEShiwake(RowMapper& m, MappedRow& out, int importYear) {
    m.put(assetName, m.field(0), 0);
    putType(m, 1);
    putAcquisition(m, 2);
    m.put(acquisitionCost, amountCell(m.value(3)), 3);
    m.put(quantity, "1", 3);
    out.source.erase(quantity);
    m.put(usefulLife, amountCell(m.value(4)), 4);
    std::string ratio = m.value(7);
    if (!ratio.empty() && (ratio.back() == '%')) ratio.pop_back();
    if (ratio.size() >= 3 && ratio.ends_with("％")) ratio.resize(ratio.size() - 3);
    m.put(businessRatio, ratio.empty() ? "100" : asciiDigits(ratio), 7);
    applyMethod(m, out, 5, 4, cellAt(out.row, typeCode) == "9");
    // The file is the previous year's: its closing is this year's opening.
    putCarried(m, out, importYear, 10, -1);
}

void mapOurs(RowMapper& m, MappedRow& out) {
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < kOurColumns.size(); ++i) {
        fields.push_back(m.field(static_cast<int>(i)));
    }
    out.row = rowFromOurFields(fields);
    for (std::size_t i = 0; i < kOurColumns.size(); ++i) {
        const OurColumn& column = kOurColumns[i];
        if (column.cell > 0) out.source[column.cell] = static_cast<int>(i);
    }
    const int acquisitionIndex = 2;
    for (int cell : {eraCode, eraYear, acquisitionMonth}) out.source[cell] = acquisitionIndex;
    const int storedIndex = static_cast<int>(kOurColumns.size()) - 1;
    if (!trimmed(fields.back()).empty()) {
        const auto stored = splitStored(m.field(storedIndex));
        if (!stored) {
            m.report(storedIndex, kMsgBadStored);
            return;
        }
        for (const auto& [column, value] : *stored) cellAt(out.row, column) = value;
    }
}

// The card's checks on a record in register form, with the problems named
// by the file's columns.
void checkRow(const CsvRecord& record, const std::vector<std::string>& header, MappedRow& out,
              card::Today today) {
    const Row& row = out.row;
    const auto report = [&](int cell, const std::string& message) {
        CsvProblem problem{record.line, {}, cellAt(row, cell), message};
        const auto source = out.source.find(cell);
        if (source != out.source.end()) {
            problem.column = header[static_cast<std::size_t>(source->second)];
            const auto i = static_cast<std::size_t>(source->second);
            problem.value = i < record.fields.size() ? record.fields[i] : std::string();
        } else {
            problem.column = ourName(cell);
        }
        out.problems.push_back(std::move(problem));
    };
    const auto check = [&](int cell, const card::Refusal& refusal) {
        if (refusal) report(cell, *refusal);
    };
    const auto& c = [&row](int cell) -> const std::string& { return cellAt(row, cell); };

    // What the card asks for before anything else.
    const std::pair<int, const char*> required[] = {
        {assetName, card::kMsgNoName},
        {typeCode, card::kMsgNoType},
        {westernYear, card::kMsgNoYear},
        {quantity, card::kMsgNoQuantity},
        {acquisitionCost, card::kMsgNoPriceOnPage},
        {usefulLife, card::kMsgNoLife},
        {methodCode, card::kMsgNoMethod},
        {depreciationRate, card::kMsgNoMethod},
    };
    bool complete = true;
    for (const auto& [cell, message] : required) {
        if (c(cell).empty()) {
            report(cell, message);
            complete = false;
        }
    }
    if (!complete) return;
    if (c(typeCode) == "9" && (c(residualRatio).empty() || c(depreciationLimit).empty())) {
        report(residualRatio, card::kMsgNoResidual);
    }

    check(assetName, card::nameRefusal(c(assetName)));
    check(acquisitionCost, card::priceRefusal(c(acquisitionCost), false));
    // The date as the card shows it: in the era of its month, whatever era
    // an older version stored.
    const auto year = smallNumber(c(westernYear));
    const auto month = smallNumber(c(acquisitionMonth));
    if (!year || !month || *month < 1 || *month > 12 || *year < 1926) {
        report(westernYear, card::kMsgBadYear);
    } else {
        const law::Era era = law::eraOfMonth(*year, *month);
        const auto refusal = card::acquisitionRefusal(static_cast<int>(era),
                                                      std::to_string(law::eraYearOf(era, *year)),
                                                      c(acquisitionMonth), today);
        if (refusal) report(westernYear, refusal->message);
    }
    check(quantity, card::quantityRefusal(c(quantity)));
    check(businessRatio, card::ratioRefusal(c(businessRatio)));
    check(usefulLife, card::lifeRefusal(c(usefulLife), false));
    check(revisedLife, card::revisedLifeRefusal(c(revisedLife)));
    check(residualRatio, card::residualRefusal(c(residualRatio)));
    check(depreciationLimit, card::limitRefusal(c(depreciationLimit)));

    const std::string& kind = c(disposalKind);
    if (!kind.empty()) {
        if (kind != kLeavingScrapped && kind != kLeavingSold && kind != kLeavingPrivate) {
            report(disposalKind, kMsgBadLeavingKind);
        } else {
            card::LeavingTexts leaving{kind == kLeavingSold, -1, {}, 0, c(salePrice)};
            std::string leavingYear;
            if (const auto left = law::parseYearMonth(c(disposalMonth))) {
                const law::Era era = law::eraOfMonth(left->year, left->month);
                leaving.era = static_cast<int>(era);
                leavingYear = std::to_string(law::eraYearOf(era, left->year));
                leaving.eraYear = leavingYear;
                leaving.month = left->month;
            } else if (!c(disposalMonth).empty()) {
                leaving.era = 0;
                leavingYear = "0";
                leaving.eraYear = leavingYear;
                leaving.month = 1;
            }
            if (const auto refusal =
                    card::leavingRefusal(leaving, c(westernYear), c(acquisitionMonth), today)) {
                report(refusal->part == card::LeavingPart::price ? salePrice : disposalMonth,
                       refusal->message);
            }
        }
    } else if (!c(disposalMonth).empty()) {
        report(disposalMonth, kMsgLeavingKindMissing);
    }

    const std::string& method = c(methodCode);
    const double unit = card::unitPriceOf(c(acquisitionCost), c(quantity));
    if (method == "6" && year && month) {
        if (const char* refusal =
                card::smallAssetRefusal(card::acquisitionDateKey(*year, *month), unit)) {
            report(acquisitionCost, refusal);
        }
    }
    if (method == "2") {
        if (const char* refusal = card::lumpSumRefusal(unit)) report(acquisitionCost, refusal);
    }
    check(acquisitionCost, card::priceBelowQuantityRefusal(c(acquisitionCost), c(quantity)));

    const card::AssetTexts asset{c(methodCode), c(westernYear), c(acquisitionMonth),
                                 c(acquisitionCost), c(quantity)};
    check(businessStart, card::businessStartRefusal(asset, c(businessStart), today));
    const auto pair =
        card::carriedPairRefusal(c(carriedYear), c(carriedBookValue), c(carriedRevisedBase));
    if (pair) {
        report(c(carriedYear).empty() ? carriedYear : carriedBookValue, *pair);
    } else if (!c(carriedYear).empty()) {
        check(carriedYear,
              card::carriedYearRefusal(asset, c(carriedYear), c(businessStart), {}, today));
        check(carriedBookValue, card::carriedBookValueRefusal(asset, c(carriedBookValue)));
        check(carriedRevisedBase,
              card::revisedBaseRefusal(asset, c(carriedRevisedBase), c(carriedBookValue)));
    }
    if (!out.problems.empty()) return;
    // Last, what the register file itself holds: a record the reader would
    // refuse is never brought in.
    if (const auto problem = extendedColumnsProblem(row)) {
        out.problems.push_back({record.line, {}, {}, *problem});
        return;
    }
    try {
        AssetRegister one;
        one.row(1) = row;
        (void)parseRegister(formatRegister(one, 1));
    } catch (const std::exception&) {
        out.problems.push_back({record.line, {}, {}, kMsgUnreadableRecord});
    }
}

}  // namespace

CsvImport readCsv(std::string_view bytes, const CsvImportOptions& options) {
    CsvImport result;
    const auto fail = [&result](int line, std::string message) {
        result.problems.push_back({line, {}, {}, std::move(message)});
        return result;
    };
    const auto text = decodeCsvBytes(bytes);
    if (!text) return fail(0, kCsvBadEncodingMessage);
    CsvParse parsed = parseCsvText(*text);
    if (parsed.records.empty()) return fail(0, kCsvUnknownLayoutMessage);
    std::vector<std::string> header;
    for (const std::string& name : parsed.records.front().fields) header.push_back(trimmed(name));
    result.layout = layoutOfHeader(header);
    if (!result.layout) return fail(parsed.records.front().line, kCsvUnknownLayoutMessage);

    card::Today today = options.today;
    if (today.year == 0) today = {law::systemCalendarYear(), law::systemCalendarMonth()};
    const int importYear = options.importYear > 0
                               ? options.importYear
                               : static_cast<int>(yearend::yearBeingFiled(today.year, today.month));

    std::vector<Row> rows;
    for (std::size_t r = 1; r < parsed.records.size(); ++r) {
        const CsvRecord& record = parsed.records[r];
        if (record.fields.size() != header.size()) {
            result.problems.push_back({record.line, {}, {}, kMsgColumnCount});
            continue;
        }
        MappedRow mapped;
        RowMapper mapper(record, header, mapped);
        switch (*result.layout) {
            case CsvLayout::Ours:
                mapOurs(mapper, mapped);
                break;
            case CsvLayout::Freee:
                mapFreee(mapper, mapped, importYear);
                break;
            case CsvLayout::EShiwake:
                mapEShiwake(mapper, mapped, importYear);
                break;
        }
        if (mapped.problems.empty()) checkRow(record, header, mapped, today);
        for (CsvProblem& p : mapped.problems) result.problems.push_back(std::move(p));
        rows.push_back(std::move(mapped.row));
    }
    if (parsed.unclosedQuoteLine) {
        result.problems.push_back({*parsed.unclosedQuoteLine, {}, {}, kMsgUnclosedQuote});
    }
    if (rows.empty() && result.problems.empty()) return fail(0, kCsvEmptyMessage);
    if (options.existingCount + static_cast<int>(rows.size()) > kMaxRecords) {
        result.problems.push_back({0, {}, {}, kCsvTooManyMessage});
    }
    if (result.problems.empty()) result.rows = std::move(rows);
    return result;
}

}  // namespace fenmark::reg
