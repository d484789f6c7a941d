#include "register/ledger_list.h"

#include <cmath>

#include "common/convert.h"
#include "common/mask.h"
#include "common/number.h"
#include "law/era.h"

namespace fenmark::reg {

namespace {

using common::leadingNumber;

// A code cell read as an index into a table of names; nothing when the code
// is outside the table.
const char* nameOf(const std::string& code, const auto& names) {
    const double value = leadingNumber(code);
    if (!std::isfinite(value) || std::fabs(value) > 1000) return nullptr;
    const int index = common::toInt16(value);
    if (index < 0 || index >= static_cast<int>(names.size())) return nullptr;
    return names[static_cast<std::size_t>(index)];
}

std::string typeName(const std::string& code) {
    const char* name = nameOf(code, kTypeNames);
    return name ? name : "";
}

std::string methodName(const std::string& code) {
    const double value = leadingNumber(code);
    if (value == std::floor(value) && value >= 0 &&
        value < static_cast<double>(kMethodNames.size())) {
        return kMethodNames[static_cast<std::size_t>(value)];
    }
    return code;
}

std::string eraDate(const Row& r) {
    const auto shown = law::shownEraDate(r[eraCode - 1], r[eraYear - 1], r[acquisitionMonth - 1]);
    if (!shown) return {};
    return shown->letter + ". " + shown->year + "/" + r[acquisitionMonth - 1];
}

// An asset that left the business says how and when after its name:
// "（売却 R. 8/6）".
std::string leavingNote(const Row& r) {
    const std::string& kind = r[disposalKind - 1];
    const auto left = law::parseYearMonth(r[disposalMonth - 1]);
    if (kind.empty() || !left) return {};
    const law::Era era = law::eraOfMonth(left->year, left->month);
    return "（" + kind + " " + std::string(law::eraLetter(era)) + ". " +
           std::to_string(law::eraYearOf(era, left->year)) + "/" + std::to_string(left->month) +
           "）";
}

std::string baseValue(const Row& r) {
    if (leadingNumber(r[methodCode - 1]) != 1) {
        return common::formatText(r[acquisitionCost - 1], common::kMaskBase);
    }
    const double base = common::roundDown((100 - leadingNumber(r[residualRatio - 1])) *
                                          leadingNumber(r[acquisitionCost - 1]) / 100);
    return common::formatNumber(base, common::kMaskBase);
}

std::string lifeText(const Row& r) {
    if (r[usefulLife - 1].empty()) return {};
    if (!r[revisedLife - 1].empty()) return "     *" + r[revisedLife - 1] + "年";
    if (r[methodCode - 1] == "2") return "     ++" + r[usefulLife - 1] + "年";
    return r[usefulLife - 1] + "年";
}

std::string rateText(const Row& r) {
    if (r[depreciationRate - 1].empty()) return {};
    return r[revisedRate - 1].empty() ? r[depreciationRate - 1] : r[revisedRate - 1];
}

}  // namespace

std::int16_t faIndex(const platform::Grid& grid, std::int16_t row, std::int16_t col) {
    const std::int16_t next = common::addInt16(row, 1);
    return common::addInt16(common::mulInt16(next, grid.cols()), col);
}

std::string ledgerCellText(const AssetRegister& reg, int row, int col) {
    const Row& r = reg.row(row);
    switch (col) {
        case 0:
            return std::to_string(row);
        case 1:
            return r[assetName - 1] + leavingNote(r);
        case 2:
            return typeName(r[typeCode - 1]);
        case 3:
            return r[quantity - 1];
        case 4:
            return eraDate(r);
        case 5:
            return common::formatText(r[acquisitionCost - 1], common::kMaskAmount);
        case 6:
            return baseValue(r);
        case 7:
            return methodName(r[methodCode - 1]);
        case 8:
            return lifeText(r);
        case 9:
            return rateText(r);
        case 10:
            return r[businessRatio - 1] + "％";
        case 11:
            return r[assetCode - 1];
        default:
            return {};
    }
}

void GetData(platform::Grid& grid, const AssetRegister& reg, int recordCount) {
    grid.clear();
    grid.setFormatString(kListFormat);
    for (int col = 0; col < kListColumns; ++col) {
        for (int i = 1; i <= recordCount; ++i) {
            const auto index =
                faIndex(grid, static_cast<std::int16_t>(i - 1), static_cast<std::int16_t>(col));
            grid.setTextAt(index, ledgerCellText(reg, i, col));
        }
    }
}

std::string GetPriData(platform::Grid& grid, int row, int col) {
    grid.setRow(row);
    grid.setCol(col);
    return grid.currentText();
}

}  // namespace fenmark::reg
