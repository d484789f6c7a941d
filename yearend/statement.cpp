// The statement computation: the register pass, the schedule pass over each
// asset's computed schedule, the totals and the closing-date caption.

#include "yearend/statement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "common/convert.h"
#include "common/mask.h"
#include "common/number.h"
#include "yearend/statement_window.h"

namespace fenmark::yearend {

namespace {

using common::formatNumber;
using common::kMaskAmount;
using common::kMaskBase;
using common::leadingNumber;

// Whole numbers a double holds exactly and an int64 holds too.
constexpr double kInt64Limit = 9223372036854775807.0;

std::int64_t checkedAdd(std::int64_t total, std::int64_t addend) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(total, addend, &sum)) {
        throw common::OverflowError("オーバーフローしました。");
    }
    return sum;
}

std::int64_t toInt64(double value) {
    if (std::isnan(value) || value >= kInt64Limit || value < -kInt64Limit) {
        throw common::OverflowError("オーバーフローしました。");
    }
    return static_cast<std::int64_t>(value);
}

std::string totalText(std::int64_t total) {
    return formatNumber(static_cast<double>(total), kMaskAmount);
}

}  // namespace

std::string_view markingName(Marking marking) {
    switch (marking) {
        case Marking::Removable:
            return "removable";
        case Marking::NotExisting:
            return "notExisting";
        case Marking::None:
            break;
    }
    return "";
}

std::int32_t statementYearOf(std::string_view text) {
    if (!common::isNumber(text)) return 0;
    const double year = leadingNumber(text);
    if (year != std::floor(year) || year < 1 || year > kLastStatementYear) return 0;
    return static_cast<std::int32_t>(year);
}

ScheduleCopy copyScheduleRow(const schedule::Schedule& schedule, int row) {
    using schedule::Money;
    const auto exists = [&schedule](int r) {
        return r >= 1 && static_cast<std::size_t>(r) <= schedule.years.size();
    };
    // Outside the schedule every amount shows "0" and is no blank cell.
    const auto text = [&](int r, Money schedule::Year::*field) {
        return exists(r) ? schedule::moneyText(schedule.year(r).*field) : std::string("0");
    };
    const auto blank = [&](int r, Money schedule::Year::*field) {
        return exists(r) && (schedule.year(r).*field).blank();
    };
    const auto yen = [&](int r, Money schedule::Year::*field) {
        return exists(r) ? (schedule.year(r).*field).yen() : 0.0;
    };

    ScheduleCopy copy;
    // A computed months text is never "0", which once also read as a full
    // year; a year outside the schedule shows no months.
    if (exists(row)) copy.period = schedule::monthsText(schedule.year(row));
    copy.depreciation = text(row, &schedule::Year::amount);
    copy.depreciationYen = yen(row, &schedule::Year::amount);
    copy.shareCleared = blank(row, &schedule::Year::amount);
    copy.expense = text(row, &schedule::Year::expense);
    copy.expenseYen = yen(row, &schedule::Year::expense);

    const int lastRow = schedule.gridRowCount - 1;
    const int bookRow = row < lastRow ? row : lastRow;
    copy.bookValue = text(bookRow, &schedule::Year::bookValue);
    copy.bookValueYen = yen(bookRow, &schedule::Year::bookValue);

    if (blank(bookRow, &schedule::Year::bookValue) && copy.shareCleared) {
        copy.marking = Marking::Removable;
    }
    if (row < 0) copy.marking = Marking::NotExisting;

    if (exists(row)) copy.remark = schedule::remarkText(schedule.year(row).remark);
    if (blank(row, &schedule::Year::expense)) copy.remark = kWrittenOff;
    return copy;
}

int scheduleOffset(std::int32_t closingMonthNumber, double acquisitionMonth) {
    if (closingMonthNumber == 12) return 1;
    return acquisitionMonth > closingMonthNumber ? 1 : 2;
}

std::int16_t scheduleRowFor(int offset, std::int32_t statementYear, double westernYear) {
    const double row = common::roundHalfEven(offset + (statementYear + 1989.0 - westernYear - 1));
    if (row == 0) return -1;
    if (std::isnan(row) || row < std::numeric_limits<std::int16_t>::min()) return -1;
    if (row > std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<std::int16_t>::max();
    }
    return static_cast<std::int16_t>(row);
}

bool acquiredBy(std::int32_t statementYear, double westernYear) {
    return common::roundHalfEven(statementYear + 1989.0 - westernYear) >= 1;
}

std::string closingCaption(std::int32_t statementYear, const std::string& closingMonth) {
    const std::int32_t w = leadingNumber(closingMonth) > 3 ? statementYear : statementYear + 1;
    return "(期末 ：平成 " + std::to_string(w) + "年" + closingMonth + "月)";
}

// --- the window's computation ----------------------------------------------

std::int16_t StatementWindowModel::faIndex(int row, int col) const {
    return common::addInt16(common::mulInt16(common::addInt16(row, 1), Fxg3.cols()), col);
}

std::string StatementWindowModel::GetPriData(int row, int col) {
    Fxg3.setRow(row);
    Fxg3.setCol(col);
    return Fxg3.currentText();
}

void StatementWindowModel::put(int f, int col, std::string text) {
    Fxg3.setTextAt(faIndex(f - 1, col), std::move(text));
}

const std::string& StatementWindowModel::at(int f, int col) const { return Fxg3.text(f, col); }

void StatementWindowModel::GetFxgData1() {
    const int count = state_.recordCount;
    Fxg3.clear();
    Fxg3.setRows(count + 2);
    Fxg3.setFormatString(kStatementHeading);
    acquisitionTotal = 0;

    std::string prefix;
    for (int f = 1; f <= count; ++f) {
        const reg::Row& asset = state_.assetRegister.row(f);
        const auto cell = [&asset](reg::Column column) -> const std::string& {
            return asset[static_cast<std::size_t>(column - 1)];
        };
        put(f, colName, cell(reg::assetName));
        put(f, colQuantity, cell(reg::quantity));

        // An unknown era keeps the prefix of the asset above.
        const double era = leadingNumber(cell(reg::eraCode));
        if (era == 0) prefix = "S.";
        if (era == 1) prefix = "H.";
        put(f, colAcquired, prefix + cell(reg::eraYear) + "/" + cell(reg::acquisitionMonth));

        put(f, colCost, common::formatText(cell(reg::acquisitionCost), kMaskBase));
        if (acquiredBy(statementYear, leadingNumber(cell(reg::westernYear)))) {
            acquisitionTotal = checkedAdd(
                acquisitionTotal,
                toInt64(common::roundHalfEven(leadingNumber(cell(reg::acquisitionCost)))));
        }

        // The life revised in 1998 applies from Heisei 10 on; the rate
        // follows the life, whether or not a revised rate was stored.
        const bool revised = !cell(reg::revisedLife).empty() && statementYear >= 10;
        put(f, colLife, revised ? cell(reg::revisedLife) : cell(reg::usefulLife));
        put(f, colRate, revised ? cell(reg::revisedRate) : cell(reg::depreciationRate));
        put(f, colShare, cell(reg::businessRatio) + "%");
    }

    const int totals = count + 1;
    Fxg3.setText(totals, colName, kTotalsCaption);
    Fxg3.setRow(totals);
    Fxg3.setCol(colName);
    Fxg3.setCurrentAlignment(platform::Alignment::Center);
    for (int col = colName; col <= colBookValue; ++col) {
        Fxg3.setCol(col);
        Fxg3.setCurrentBackColor(kTotalsColor);
    }
    Fxg3.setText(totals, colCost, totalText(acquisitionTotal));
}

void StatementWindowModel::schedulePass() {
    schedule::Options options;
    bool valid = true;
    try {
        options.closingMonth = common::toInt16(leadingNumber(effectiveClosingMonth()));
        options.roundingFlag = common::toInt16(leadingNumber(settings_.roundingMode));
    } catch (const common::OverflowError&) {
        valid = false;
    }
    options.currentYear = settings_.currentYear;
    for (int f = 1; f <= state_.recordCount; ++f) scheduleRow(f, options, valid);
    // The asset shown last stays the current one, as after paging through
    // the register.
    state_.currentRecord = static_cast<std::int16_t>(std::max<int>(1, state_.recordCount));
}

void StatementWindowModel::scheduleRow(int f, const schedule::Options& options, bool optionsValid) {
    const reg::Row& asset = state_.assetRegister.row(f);
    const auto value = [&asset](reg::Column column) {
        return leadingNumber(asset[static_cast<std::size_t>(column - 1)]);
    };

    std::optional<schedule::Schedule> computed;
    if (optionsValid) {
        try {
            computed = schedule::computeSchedule(asset, options);
        } catch (const common::OverflowError&) {
        }
    }
    const std::string method =
        schedule::methodName(asset, computed ? computed->procedure : schedule::Procedure::None);
    put(f, colBase, schedule::baseText(asset));
    put(f, colMethod, method);
    statementMethodNames.at(static_cast<std::size_t>(f - 1)) = method;

    // Without a schedule there is no year to copy.
    if (!computed || computed->years.empty()) {
        for (int col = colPeriod; col <= colRemark; ++col) put(f, col, "");
        if (!computed) uncomputed.push_back(f);
        return;
    }

    const int offset = scheduleOffset(closingMonthNumber, value(reg::acquisitionMonth));
    ScheduleCopy copy =
        copyScheduleRow(*computed, scheduleRowFor(offset, statementYear, value(reg::westernYear)));
    depreciationTotal = checkedAdd(depreciationTotal, toInt64(copy.depreciationYen));
    expenseTotal = checkedAdd(expenseTotal, toInt64(copy.expenseYen));
    bookValueTotal = checkedAdd(bookValueTotal, toInt64(copy.bookValueYen));

    put(f, colPeriod, std::move(copy.period));
    put(f, colDepreciation, std::move(copy.depreciation));
    if (copy.shareCleared) put(f, colShare, "");
    put(f, colExpense, std::move(copy.expense));
    put(f, colBookValue, std::move(copy.bookValue));
    put(f, colRemark, std::move(copy.remark));
    if (copy.marking == Marking::Removable) {
        Picture1.visible = true;
        Label4.visible = true;
    }
    if (copy.marking == Marking::NotExisting) {
        Picture2.visible = true;
        Label5.visible = true;
    }
    if (copy.marking != Marking::None) mark(f, copy.marking);
}

void StatementWindowModel::mark(int f, Marking marking) {
    markings.at(static_cast<std::size_t>(f - 1)) = marking;
    const platform::Rgb color =
        marking == Marking::NotExisting ? kNotExistingColor : kRemovableColor;
    Fxg3.setRow(f);
    for (int col = colQuantity; col <= colBookValue; ++col) {
        Fxg3.setCol(col);
        Fxg3.setCurrentBackColor(color);
    }
}

void StatementWindowModel::putTotals() {
    const int totals = state_.recordCount + 1;
    Fxg3.setText(totals, colDepreciation, totalText(depreciationTotal));
    Fxg3.setText(totals, colExpense, totalText(expenseTotal));
    Fxg3.setText(totals, colBookValue, totalText(bookValueTotal));
}

void StatementWindowModel::computeStatement(const std::string& yearText) {
    statementYear = statementYearOf(yearText);
    lblComent.visible = false;
    markings.assign(static_cast<std::size_t>(state_.recordCount), Marking::None);
    statementMethodNames.assign(reg::kMaxRecords, "");
    uncomputed.clear();
    GetFxgData1();
    state_.currentRecord = 1;
    depreciationTotal = 0;
    expenseTotal = 0;
    bookValueTotal = 0;
    schedulePass();
    putTotals();
    finish(yearText);
}

void StatementWindowModel::finish(const std::string& yearText) {
    Fxg3Visible = true;
    cmdOk.enabled = false;
    txtGetYe.visible = false;
    lblGY.caption = yearText;
    lblGY.visible = true;
    if (state_.closingMonth.empty()) state_.closingMonth = "12";
    Label3.caption = closingCaption(statementYear, state_.closingMonth);
    Label3.visible = true;
    cmdPrint.enabled = true;
}

}  // namespace fenmark::yearend
