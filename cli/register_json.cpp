#include "cli/register_json.h"

#include <cmath>

#include "common/number.h"
#include "law/era.h"
#include "register/ledger_list.h"
#include "yearend/statement.h"

namespace fenmark::cli {

namespace {

// Columns of the ledger list whose texts the export reads back.
constexpr int kListType = 2;
constexpr int kListAcquired = 4;
constexpr int kListCost = 5;

const std::string& cell(const reg::Row& row, reg::Column column) {
    return row[static_cast<std::size_t>(column - 1)];
}

// The whole number a cell holds, or nothing.
std::optional<int> wholeNumber(const std::string& text, int low, int high) {
    if (!common::isNumber(text)) return std::nullopt;
    const double value = common::leadingNumber(text);
    if (value != std::floor(value) || value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

std::optional<std::string> acquiredMonth(const reg::Row& row) {
    const auto year = wholeNumber(cell(row, reg::westernYear), 1, 9999);
    const auto month = wholeNumber(cell(row, reg::acquisitionMonth), 1, 12);
    if (!year || !month) return std::nullopt;
    return law::yearMonthText(*year, *month);
}

void writeAssetFields(JsonWriter& json, const reg::AssetRegister& assets, int record) {
    const reg::Row& row = assets.row(record);
    json.key("name").string(cell(row, reg::assetName));
    json.key("code").string(cell(row, reg::assetCode));
    json.key("type").string(reg::ledgerCellText(assets, record, kListType));
    json.key("quantity").numberOrNull(jsonNumber(cell(row, reg::quantity)));
    json.key("acquired").stringOrNull(acquiredMonth(row));
    json.key("acquiredEra").string(reg::ledgerCellText(assets, record, kListAcquired));
    json.key("cost").integerOrNull(
        yearend::readAmount(reg::ledgerCellText(assets, record, kListCost)));
    json.key("life").numberOrNull(jsonNumber(cell(row, reg::usefulLife)));
    json.key("revisedLife").numberOrNull(jsonNumber(cell(row, reg::revisedLife)));
    json.key("rate").stringOrNull(exactDecimal(cell(row, reg::depreciationRate)));
    json.key("revisedRate").stringOrNull(exactDecimal(cell(row, reg::revisedRate)));
    json.key("ratio").numberOrNull(jsonNumber(cell(row, reg::businessRatio)));
}

void writeLeaving(JsonWriter& json, const reg::Row& row,
                  const std::optional<std::int64_t>& bookValue) {
    const std::string& month = cell(row, reg::disposalMonth);
    const std::string& kind = cell(row, reg::disposalKind);
    const std::string& price = cell(row, reg::salePrice);
    if (month.empty() && kind.empty() && price.empty()) return;
    json.key("leaving").beginObject();
    json.key("month").string(month);
    json.key("kind").string(kind);
    json.key("salePrice").numberOrNull(jsonNumber(price));
    if (bookValue) json.key("bookValue").integer(*bookValue);
    json.endObject();
}

}  // namespace fenmark::cli
