#include "schedule/frame.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "card/rate_tables.h"
#include "common/convert.h"
#include "common/mask.h"
#include "common/number.h"

namespace fenmark::schedule {

using common::formatNumber;
using common::formatText;
using common::kMaskAmount;
using common::kMaskBase;

std::int32_t systemCalendarYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

std::string numberText(double value) {
    if (!std::isfinite(value)) return {};
    char buffer[64];
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        std::snprintf(buffer, sizeof buffer, "%.0f", value == 0 ? 0.0 : value);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.15g", value);
    }
    return buffer;
}

namespace {

// The masks show a value that is no number as the empty cell, which reads
// as 0 (the statement adds it as 0); in a schedule it comes only from an
// absurd cell, so it stops the schedule instead.
double finiteAmount(double amount) {
    if (!std::isfinite(amount)) throw common::OverflowError("オーバーフローしました。");
    return amount;
}

}  // namespace

std::string amountText(double amount) { return formatNumber(finiteAmount(amount), kMaskBase); }
std::string bookText(double amount) { return formatNumber(finiteAmount(amount), kMaskAmount); }

ScheduleFrame::ScheduleFrame(reg::ProgramState& state) : state_(state) {
    Fxg2.setFormatString(kScheduleHeading);
    Fxg2.setFixedRows(1);
    Fxg2.setFixedCols(0);
}

std::vector<platform::Control*> ScheduleFrame::headerLabels() {
    return {&lblCode,   &lblPrice, &lblBase, &lblNens, &lblSritu, &lblShou2, &lblWari, &lblSuu,
            &lblZanson, &lblGendo, &lblSHou, &lblDate, &lblCate,  &lblHo,    &lblR2,   &lblHogaku};
}

const std::string& ScheduleFrame::cell(reg::Column column) const {
    return state_.assetRegister.at(state_.currentRecord, column);
}

double ScheduleFrame::value(reg::Column column) const {
    return common::leadingNumber(cell(column));
}

void ScheduleFrame::setTxtSinR(std::string text) {
    txtSinR.text = std::move(text);
    txtSinR_Change();
}

void ScheduleFrame::txtSinR_Change() {
    Text2.text = card::guaranteeRateOf(txtSinR.text);
    Text3.text = card::revisedRateOf(txtSinR.text);
}

void ScheduleFrame::GetData() {
    // A caption this asset gives no text must not keep the previous one's.
    for (platform::Control* label : headerLabels()) label->caption.clear();

    const std::string& method = cell(reg::methodCode);
    const std::string& cost = cell(reg::acquisitionCost);
    const std::string& rates = cell(reg::newRuleRates);
    depreciableFraction = (100 - value(reg::residualRatio)) / 100;

    txtName.text = cell(reg::assetName);
    lblCode.caption = "コード： " + cell(reg::assetCode);
    lblPrice.caption = formatText(cost, kMaskAmount) + " 円";
    setTxtSinR(rates);

    if (method == "4") {
        lblHo.caption = "保証率：       " + Text2.text;
        lblR2.caption = "改定償却率：   " + Text3.text;
    }

    if (!rates.empty()) {
        lblBase.caption = formatText(cost, kMaskAmount);
    } else if (method == "1") {
        lblBase.caption =
            formatNumber(std::floor(value(reg::acquisitionCost) * depreciableFraction), kMaskBase);
    } else {
        lblBase.caption = formatText(cost, kMaskBase);
    }

    const std::string& revisedLife = cell(reg::revisedLife);
    lblNens.caption = "耐用年数：    " + cell(reg::usefulLife) + "年";
    if (!revisedLife.empty()) lblNens.caption += "　/（短縮）" + revisedLife + "年";
    lblSritu.caption = "償却率：    " + cell(reg::depreciationRate);
    if (!cell(reg::revisedRate).empty()) lblShou2.caption = "/ [  " + cell(reg::revisedRate) + "]";

    lblWari.caption = "事業専用割合： " + cell(reg::businessRatio) + "％";
    lblSuu.caption = "数量： " + cell(reg::quantity) + "（台/機/㎡）";

    if (!rates.empty()) {
        lblZanson.caption = "残存金額：　1 円";
        lblGendo.caption = "償却限度：100％";
    } else {
        lblZanson.caption = "残存割合：　" + cell(reg::residualRatio) + "％";
        lblGendo.caption = "償却限度：　" + cell(reg::depreciationLimit) + "％";
    }

    if (method == "0") {
        lblSHou.caption = "旧定率法";
    } else if (method == "4") {
        lblSHou.caption = "新定率法";
        lblHogaku.caption =
            "償却保証額 ： " +
            formatNumber(common::leadingNumber(Text2.text) * value(reg::acquisitionCost),
                         kMaskBase) +
            "円";
    } else {
        const double code = value(reg::methodCode);
        if (code == 1) lblSHou.caption = "旧定額法";
        if (code == 2) lblSHou.caption = "一括償却";
        if (code == 3) lblSHou.caption = "新定額法";
    }

    const double era = value(reg::eraCode);
    const std::string dateTail = cell(reg::eraYear) + " / " + cell(reg::acquisitionMonth);
    if (era == 0) lblDate.caption = "取得年月： S. " + dateTail;
    if (era == 1) lblDate.caption = "取得年月： H. " + dateTail;

    const double type = common::roundHalfEven(value(reg::typeCode));
    lblCate.caption = "種別： ";
    if (type >= 0 && type < static_cast<double>(reg::kTypeNames.size())) {
        lblCate.caption += reg::kTypeNames[static_cast<std::size_t>(type)];
    }

    // Last, so that an absurd year stops the schedule but not the header.
    elapsedYears = common::toInt16(static_cast<double>(currentYear) - value(reg::westernYear));
}

void ScheduleFrame::ShowSchedule() {
    const std::string& method = cell(reg::methodCode);
    if (value(reg::typeCode) >= 9) {
        GetFxd2();
    } else if (method == "0") {
        GetFxd3();
    } else if (method == "1") {
        GetFxd();
    } else if (method == "2") {
        GetFxd1();
    } else if (method == "3") {
        GetFxd0();
    } else if (method == "4") {
        GetFxd00();
    } else {
        EmptySchedule();
    }
}

void ScheduleFrame::EmptySchedule() {
    Fxg2.clear();
    Fxg2.setRows(1);
    Fxg2.setFormatString(kScheduleHeading);
    gridRowCount = 1;
    Fxg2Visible = true;
}

void ScheduleFrame::ToukiCal() {
    const double cost = value(reg::acquisitionCost);
    const double ratio = value(reg::businessRatio);
    using common::toSingle;
    currentAmount =
        toSingle(roundByMode(toSingle(cost * depreciableFraction * value(reg::depreciationRate))));
    currentExpense = toSingle(std::floor(toSingle(currentAmount * ratio / 100)));
    revisedCurrentAmount =
        toSingle(roundByMode(toSingle(cost * depreciableFraction * value(reg::revisedRate))));
    revisedCurrentExpense = toSingle(std::floor(toSingle(revisedCurrentAmount * ratio / 100)));
}

std::int16_t ScheduleFrame::faIndex(int row, int col) const {
    return common::addInt16(common::mulInt16(common::addInt16(row, 1), Fxg2.cols()), col);
}

std::string ScheduleFrame::GetPriData(int row, int col) {
    Fxg2.setRow(row);
    Fxg2.setCol(col);
    return Fxg2.currentText();
}

double ScheduleFrame::memorandumValue() const {
    const double quantity = value(reg::quantity);
    // The memorandum value is held in 32 bits like every book value: a
    // quantity beyond that stops the schedule rather than passing for a
    // value no cost reaches.
    static_cast<void>(common::toInt32(quantity));
    return std::max(0.0, std::min(quantity, value(reg::acquisitionCost)));
}

void ScheduleFrame::putUndepreciated(int lastRow) {
    const double cost = value(reg::acquisitionCost);
    putYearColumns(lastRow);
    for (int row = 1; row <= lastRow; ++row) {
        put(row, colBookValue, row == 1 ? amountText(cost) : bookText(cost));
    }
    finishGrid();
}

double ScheduleFrame::roundByMode(double amount) const {
    return roundingFlag == 0 ? common::roundUp(amount) : common::roundDown(amount);
}

std::int16_t ScheduleFrame::firstYearMonths() const {
    std::int16_t months =
        common::toInt16(13 - value(reg::acquisitionMonth) + static_cast<double>(closingMonth));
    if (months > 12) months = static_cast<std::int16_t>(months - 12);
    return months;
}

double ScheduleFrame::settleYear(int row) const {
    // A year that closes in the month of acquisition or later belongs to the
    // acquisition's calendar year; one acquired after the closing month
    // closes in the next.
    const double western = value(reg::westernYear);
    return value(reg::acquisitionMonth) <= closingMonth ? western + row - 1 : western + row;
}

std::string ScheduleFrame::yearLabel(int row) const {
    const double era = value(reg::eraCode);
    const double year = value(reg::eraYear);
    const int f = closingMonth == 12 || value(reg::acquisitionMonth) > closingMonth ? -1 : -2;
    if (era == 1) return "平成" + numberText(year + f + row) + "年度期末";
    // Shōwa 64 is the first Heisei year; with a fiscal year that starts one
    // row earlier (f = -2) the crossing comes one row later.
    const double showaRows = 1988 - value(reg::westernYear) - f;
    if (row <= showaRows) {
        return (era == 0 ? "昭和 " : "") + numberText(year + f + row) + "年度期末";
    }
    return "平成" + numberText(row - showaRows) + "年度期末";
}

void ScheduleFrame::startGrid(std::int16_t rows) {
    Fxg2Visible = false;
    Fxg2.clear();
    Fxg2.setRows(rows);
    Fxg2.setFormatString(kScheduleHeading);
    gridRowCount = static_cast<std::int16_t>(Fxg2.rows());
}

void ScheduleFrame::putYearColumns(int lastRow) {
    for (int row = 1; row <= lastRow; ++row) {
        put(row, colYears, numberText(row));
        put(row, colLabel, yearLabel(row));
        put(row, colSettleYear, numberText(settleYear(row)));
    }
}

void ScheduleFrame::putMonths(int row) {
    if (row == 1) {
        put(row, colMonths, numberText(firstYearMonths()) + "/12");
        return;
    }
    const std::string& amount = at(row, colAmount);
    put(row, colMonths, amount.empty() || amount == "0" ? "" : "12/12");
}

void ScheduleFrame::put(int row, int col, std::string text) {
    Fxg2.setTextAt(faIndex(row - 1, col), std::move(text));
}

const std::string& ScheduleFrame::at(int row, int col) const { return Fxg2.text(row, col); }

}  // namespace fenmark::schedule
