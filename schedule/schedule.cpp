// The schedule as a value: the procedures' shared rules, the choice of
// procedure, and the display texts of its cells and labels.

#include "schedule/schedule.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>

#include "common/convert.h"
#include "common/mask.h"
#include "common/number.h"
#include "law/era.h"
#include "register/extended_columns.h"
#include "schedule/builder.h"

namespace fenmark::schedule {

namespace {

// The cell numbers of a table of eight columns are 16-bit: no year beyond
// this one can be addressed.
constexpr int kLastAddressableRow = 4095;

const char* const kRemarks[] = {"",
                                kRemarkRevised,
                                kRemarkThreeYear,
                                kRemarkFiveYear,
                                kRemarkSmallAsset,
                                kRemarkScrapped,
                                kRemarkSold,
                                kRemarkPrivate};

}  // namespace

// ---- Money ----

std::string moneyText(const Money& money) {
    switch (money.kind) {
        case Money::Kind::Number:
            return common::formatNumber(static_cast<double>(money.value), common::kMaskBase);
        case Money::Kind::Zero:
            return "0";
        case Money::Kind::Empty:
            break;
    }
    return {};
}

std::string monthsText(const Year& year) {
    if (year.monthsOf == 0) return {};
    return numberText(year.months) + "/" + std::to_string(year.monthsOf);
}

const char* remarkText(Remark remark) { return kRemarks[static_cast<std::size_t>(remark)]; }

std::string yearLabel(const Schedule& s, int row) {
    const int f = s.closingMonth == 12 || s.acquisitionMonth > s.closingMonth ? -1 : -2;
    const auto era = law::eraOfCodeValue(common::wholeNumber(s.eraCode));
    const auto eraYear = common::wholeNumber(s.eraYear);
    // The label names the year its formula gives, in the era of that year.
    if (era && eraYear && *eraYear > -100000 && *eraYear < 100000 && row < 100000) {
        const int year = law::westernYear(*era, *eraYear) + f + row;
        const law::Era named = law::eraOfYear(year);
        std::string label;
        label.reserve(32);
        label += law::eraName(named);
        if (named == law::Era::Showa) label += ' ';
        label += law::eraYearText(law::eraYearOf(named, year));
        label += "年度期末";
        return label;
    }
    // An era year that is no whole number is written as the register holds
    // it, in the stored era.
    if (era) {
        return std::string(law::eraName(*era)) + (*era == law::Era::Showa ? " " : "") +
               numberText(s.eraYear + f + row) + "年度期末";
    }
    // Shōwa 64 is the first Heisei year; with a fiscal year that starts one
    // row earlier (f = -2) the crossing comes one row later.
    const double showaRows = 1988 - s.westernYear - f;
    if (row <= showaRows) {
        return (s.eraCode == 0 ? "昭和 " : "") + numberText(s.eraYear + f + row) + "年度期末";
    }
    const double heiseiYear = row - showaRows;
    return "平成" + (heiseiYear == 1 ? std::string("元") : numberText(heiseiYear)) + "年度期末";
}

// ---- Header values ----

std::string methodName(const reg::Row& row, Procedure procedure) {
    if (procedure == Procedure::Plain) return "定額法";
    const std::string& method = row[reg::methodCode - 1];
    if (method == "0") return "旧定率法";
    if (method == "4") return "新定率法";
    const double code = common::leadingNumber(method);
    if (code == 1) return "旧定額法";
    if (code == 2) return "一括償却";
    if (code == 3) return "新定額法";
    if (code == 6) return "少額特例";
    return {};
}

std::string baseText(const reg::Row& row) {
    const std::string& cost = row[reg::acquisitionCost - 1];
    if (!row[reg::newRuleRates - 1].empty()) return common::formatText(cost, common::kMaskAmount);
    // The old straight line and the plain straight line of deferred assets
    // and living things depreciate the cost less its residual part.
    if (row[reg::methodCode - 1] == "1" || common::leadingNumber(row[reg::typeCode - 1]) >= 9) {
        try {
            const common::Exact fraction =
                (100 - common::readDecimal(row[reg::residualRatio - 1])) / 100;
            const common::Exact part = common::readDecimal(cost) * fraction;
            return common::formatNumber(static_cast<double>(part.floor()), common::kMaskBase);
        } catch (const common::OverflowError&) {
            return {};
        }
    }
    return common::formatText(cost, common::kMaskBase);
}

// ---- The procedures' shared rules ----

namespace detail {

namespace {

// The register's cost in whole yen; halves go to even, as every conversion
// of a stored value does.
std::int64_t wholeYen(const common::Exact& value) {
    const std::int64_t down = value.floor();
    const common::Exact rest = value - down;
    const common::Exact half = common::Exact::ratio(1, 2);
    if (rest < half) return down;
    if (rest > half) return down + 1;
    return down % 2 == 0 ? down : down + 1;
}

}  // namespace

std::int64_t checked32(std::int64_t yen) {
    if (yen > INT32_MAX || yen < INT32_MIN) throw common::OverflowError("オーバーフローしました。");
    return yen;
}

CurrentPeriod toukiCal(const reg::Row& row, std::int16_t roundingFlag) {
    const auto decimal = [&row](reg::Column column) {
        return common::readDecimal(row[static_cast<std::size_t>(column - 1)]);
    };
    const common::Exact cost = wholeYen(decimal(reg::acquisitionCost));
    const common::Exact share = decimal(reg::businessRatio) / 100;
    const common::Exact part = cost * ((100 - decimal(reg::residualRatio)) / 100);
    CurrentPeriod p;
    p.amount = common::roundByFlag(part * decimal(reg::depreciationRate), roundingFlag);
    p.expense = (common::Exact(p.amount) * share).floor();
    p.revisedAmount = common::roundByFlag(part * decimal(reg::revisedRate), roundingFlag);
    p.revisedExpense = (common::Exact(p.revisedAmount) * share).floor();
    return p;
}

ScheduleBuilder::ScheduleBuilder(const reg::Row& row, const Options& options)
    : row_(row), options_(options) {
    cost_ = wholeYen(decimal(reg::acquisitionCost));
    startBook_ = cost_;
    schedule_.startBook = cost_;
    leaving_ = leavingRow().value_or(0);
    share_ = decimal(reg::businessRatio) / 100;
    schedule_.eraCode = value(reg::eraCode);
    schedule_.eraYear = value(reg::eraYear);
    schedule_.westernYear = value(reg::westernYear);
    schedule_.acquisitionMonth = value(reg::acquisitionMonth);
    schedule_.closingMonth = options.closingMonth;
    elapsedYears_ =
        common::toInt16(static_cast<double>(options.currentYear) - value(reg::westernYear));
}

std::int64_t ScheduleBuilder::memorandumValue() const {
    if (!memorandum_) {
        // The memorandum value is held in 32 bits like every book value: a
        // quantity beyond that stops the schedule rather than passing for a
        // value no cost reaches.
        const std::int64_t quantity = common::toInt32(value(reg::quantity));
        memorandum_ = std::max<std::int64_t>(0, std::min(quantity, cost_));
    }
    return *memorandum_;
}

std::int16_t ScheduleBuilder::firstYearMonths() const {
    std::int16_t months = common::toInt16(13 - value(reg::acquisitionMonth) +
                                          static_cast<double>(options_.closingMonth));
    if (months > 12) months = static_cast<std::int16_t>(months - 12);
    return months;
}

double ScheduleBuilder::settleYear(int row) const {
    // A year that closes in the month of acquisition or later belongs to the
    // acquisition's calendar year; one acquired after the closing month
    // closes in the next.
    const double western = value(reg::westernYear);
    return value(reg::acquisitionMonth) <= options_.closingMonth ? western + row - 1
                                                                 : western + row;
}

CurrentPeriod ScheduleBuilder::toukiCal() const {
    // The same as the free toukiCal, from the cells this builder has read.
    const Exact part = Exact(cost_) * depreciableFraction();
    CurrentPeriod p;
    p.amount = roundByMode(part * decimal(reg::depreciationRate));
    p.expense = expenseOf(p.amount);
    p.revisedAmount = roundByMode(part * decimal(reg::revisedRate));
    p.revisedExpense = expenseOf(p.revisedAmount);
    return p;
}

std::int16_t ScheduleBuilder::tableRows(std::int16_t rows) const {
    // A leaving beyond every table that can be addressed is not recorded.
    if (leaving_ != 0 && leaving_ + 1 <= kLastAddressableRow) {
        rows = std::max<std::int16_t>(rows, static_cast<std::int16_t>(leaving_ + 2));
    }
    if (carriedRow_ != 0)
        rows = std::max<std::int16_t>(rows, static_cast<std::int16_t>(carriedRow_ + 1));
    return rows;
}

void ScheduleBuilder::setCarried(const reg::CarriedOpening& carried) {
    Schedule::Carried info;
    info.year = carried.year;
    info.bookValue = carried.bookValue;
    info.revisedBase = carried.revisedBase;
    info.fromComputed = carried.fromComputed;
    // The filed figures replace the start of a year that has a year before
    // it in the table; a year at or before the first is not carried.
    const double row = carried.year - settleYear(1) + 1;
    if (row >= 2 && row <= kLastAddressableRow) {
        carriedRow_ = static_cast<int>(row);
        info.row = carriedRow_;
        carriedApplied_ = !carried.fromComputed;
        carriedBook_ = carried.bookValue;
        if (carriedApplied_) carriedRevised_ = carried.revisedBase;
    }
    schedule_.carried = info;
}

void ScheduleBuilder::finishCarried() {
    if (!schedule_.carried || carriedRow_ < 2) return;
    if (static_cast<std::size_t>(carriedRow_ - 1) > schedule_.years.size()) return;
    const Money& book = at(carriedRow_ - 1).bookValue;
    if (book.kind != Money::Kind::Empty) schedule_.carried->computedBookValue = book.value;
}

void ScheduleBuilder::start(std::int16_t rows) {
    if (rows < 0) throw common::OverflowError("償却表の行数が正しくありません。");
    if (rows - 1 > kLastAddressableRow) throw common::OverflowError("オーバーフローしました。");
    schedule_.years.assign(rows > 1 ? static_cast<std::size_t>(rows - 1) : 0, Year{});
    ordinary_ = Exact(0);
    schedule_.gridRowCount = std::max<std::int16_t>(rows, 1);
}

void ScheduleBuilder::setOrdinary(int row, const Exact& amount) {
    // Only the year the asset left is prorated from it.
    if (row == leaving_) ordinary_ = amount;
}

void ScheduleBuilder::putYearColumns(int lastRow) {
    if (lastRow < 1) return;
    static_cast<void>(at(lastRow));
    const double first = settleYear(1);
    for (int row = 1; row <= lastRow; ++row) {
        schedule_.years[static_cast<std::size_t>(row - 1)].settleYear = first + (row - 1);
    }
}

void ScheduleBuilder::outsideTable() { throw common::OverflowError("償却表の範囲外の年です。"); }

double ScheduleBuilder::readValue(std::size_t i) const {
    const std::string& text = row_[i];
    // Plain digits, as the card writes every number but the rates, read
    // without the general reader.
    if (!text.empty() && text.size() <= 9) {
        std::int64_t whole = 0;
        bool digits = true;
        for (const char c : text) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            whole = whole * 10 + (c - '0');
        }
        if (digits) return static_cast<double>(whole);
    }
    return common::leadingNumber(text);
}

Exact ScheduleBuilder::readDecimalOf(std::size_t i) const { return common::readDecimal(row_[i]); }

void ScheduleBuilder::repeatYear(int row, int lastRow) {
    const Year pattern = at(row);
    for (int later = row + 1; later <= lastRow; ++later) {
        Year& year = at(later);
        const double settle = year.settleYear;
        year = pattern;
        year.settleYear = settle;
    }
}

std::int64_t ScheduleBuilder::putStraightFirstYear(int rows, std::int64_t floor) {
    const std::int16_t months = firstYearMonths();
    const Exact fullYear = Exact(cost_) * depreciableFraction() * decimal(reg::depreciationRate);
    // Only a cost of a few yen, rounded up, could reach below the floor.
    const std::int64_t firstYear = std::clamp<std::int64_t>(
        roundByMode(fullYear * months / 12), 0, std::max<std::int64_t>(startBook_ - floor, 0));
    const std::int64_t b1 = checked32(startBook_ - firstYear);
    putYearColumns(rows - 1);
    setOrdinary(1, fullYear);
    Year& first = at(1);
    first.amount = Money::number(firstYear);
    first.expense = Money::number(expenseOf(firstYear));
    first.bookValue = Money::number(b1);
    putMonths(1);
    return b1;
}

std::int16_t ScheduleBuilder::firstRevisedRow() const {
    return std::max<std::int16_t>(common::toInt16(1999 - value(reg::westernYear)), 2);
}

std::optional<int> ScheduleBuilder::leavingRow() const {
    const std::string& kind = cell(reg::disposalKind);
    if (kind != kRemarkScrapped && kind != kRemarkSold && kind != kRemarkPrivate) {
        return std::nullopt;
    }
    const auto left = law::parseYearMonth(cell(reg::disposalMonth));
    if (!left) return std::nullopt;
    // The fiscal year that holds the month, as settleYear counts rows.
    const double closing = options_.closingMonth;
    const double settle = left->month <= closing ? left->year : left->year + 1;
    const double row =
        settle - value(reg::westernYear) + (value(reg::acquisitionMonth) <= closing ? 1 : 0);
    if (!(row >= 1) || row > 1e6) return std::nullopt;
    return static_cast<int>(row);
}

void ScheduleBuilder::applyLeaving() {
    const Procedure procedure = schedule_.procedure;
    if (procedure == Procedure::None || procedure == Procedure::ThreeYear ||
        procedure == Procedure::SmallAsset) {
        return;
    }
    if (leaving_ == 0 || static_cast<std::size_t>(leaving_) > schedule_.years.size()) return;
    const int r = leaving_;
    const auto left = law::parseYearMonth(cell(reg::disposalMonth));
    const std::string& kind = cell(reg::disposalKind);
    const Remark remark = kind == kRemarkScrapped ? Remark::Scrapped
                          : kind == kRemarkSold   ? Remark::Sold
                                                  : Remark::Private;

    // Months in use in that year: from its first month, or the month of
    // acquisition in the first year, through the month it left.
    const double closing = options_.closingMonth;
    const double acquired = value(reg::acquisitionMonth);
    const int first = r == 1 ? static_cast<int>(acquired) : static_cast<int>(closing) + 1;
    const int months = ((left->month - first) % 12 + 12) % 12 + 1;
    const int counted = r == 1 ? firstYearMonths() : 12;

    // The ordinary full-year amount prorated once by the months in use; what
    // the undisturbed year takes (cut by the limit or the memorandum value)
    // is the most it can be.
    Year& year = at(r);
    const std::int64_t undisturbed = year.amount.yen();
    const std::int64_t prorated = roundByMode(ordinary_ * std::min(months, counted) / 12);
    const std::int64_t amount = months >= counted
                                    ? undisturbed
                                    : std::max<std::int64_t>(0, std::min(undisturbed, prorated));
    const std::int64_t before = schedule_.openingBook(r);
    year.months = static_cast<std::int16_t>(months);
    year.monthsOf = 12;
    year.amount = Money::number(amount);
    year.expense = Money::number(expenseOf(amount));
    year.bookValue = Money::number(before - amount);
    year.remark = remark;
    // Nothing is left to depreciate after it.
    for (std::size_t later = static_cast<std::size_t>(r); later < schedule_.years.size(); ++later) {
        const double settleYear = schedule_.years[later].settleYear;
        schedule_.years[later] = Year{};
        schedule_.years[later].settleYear = settleYear;
    }
}

void ScheduleBuilder::putUndepreciated(int lastRow) {
    const Money cost = Money::number(startBook_);
    putYearColumns(lastRow);
    for (int row = 1; row <= lastRow; ++row) at(row).bookValue = cost;
}

}  // namespace detail

namespace {

// The row a converted asset is computed from: the business start taken as
// its acquisition, in the era in force in that month.
reg::Row convertedRow(const reg::Row& row, const law::YearMonth& started) {
    reg::Row shifted = row;
    const law::Era era = law::eraOfMonth(started.year, started.month);
    const auto put = [&shifted](reg::Column column, std::string text) {
        shifted[static_cast<std::size_t>(column - 1)] = std::move(text);
    };
    put(reg::eraCode, std::to_string(static_cast<int>(era)));
    put(reg::eraYear, numberText(law::eraYearOf(era, started.year)));
    put(reg::acquisitionMonth, std::to_string(started.month));
    put(reg::acquisitionDay, "");
    put(reg::westernYear, std::to_string(started.year));
    return shifted;
}

Schedule computeFrom(const reg::Row& row, const Options& options,
                     const std::optional<Schedule::Conversion>& conversion) {
    detail::ScheduleBuilder b(row, options);
    const std::string& method = row[reg::methodCode - 1];
    if (conversion) b.setStartBook(conversion->loss.bookValue());
    const bool lumpSum = method == "2" || method == "6";
    if (const auto carried = reg::carriedOpeningOf(row); carried && !lumpSum)
        b.setCarried(*carried);
    if (b.value(reg::typeCode) >= 9) {
        detail::GetFxd2(b);
    } else if (method == "0") {
        detail::GetFxd3(b);
    } else if (method == "1") {
        detail::GetFxd(b);
    } else if (method == "2") {
        detail::GetFxd1(b);
    } else if (method == "3") {
        detail::GetFxd0(b);
    } else if (method == "4") {
        detail::GetFxd00(b);
    } else if (method == "6") {
        detail::GetFxd6(b);
    }
    b.finishCarried();
    b.applyLeaving();
    Schedule schedule = b.take();
    schedule.conversion = conversion;
    return schedule;
}

}  // namespace

std::optional<Schedule::Conversion> conversionOf(const reg::Row& row, std::int16_t roundingFlag) {
    const std::string& method = row[reg::methodCode - 1];
    const auto started = reg::businessStartOf(row);
    if (!started || method == "2" || method == "6") return std::nullopt;
    const auto acquiredYear = reg::plainDigits(row[reg::westernYear - 1]);
    const auto acquiredMonth = reg::plainDigits(row[reg::acquisitionMonth - 1]);
    if (!acquiredYear || !acquiredMonth || *acquiredMonth < 1 || *acquiredMonth > 12) {
        throw common::OverflowError("取得年月が正しくありません。");
    }
    const law::YearMonth acquired{static_cast<int>(*acquiredYear),
                                  static_cast<int>(*acquiredMonth)};
    if (started->year * 12 + started->month <= acquired.year * 12 + acquired.month) {
        return std::nullopt;
    }
    const auto life = reg::plainDigits(row[reg::usefulLife - 1]);
    const auto cost = reg::plainDigits(row[reg::acquisitionCost - 1]);
    std::optional<law::PrivateUseLoss> loss;
    if (life && cost && *life <= 1000) {
        loss =
            law::privateUseLoss(*cost, static_cast<int>(*life), acquired, *started, roundingFlag);
    }
    if (!loss) throw common::OverflowError("業務に使い始めた年月から償却費を計算できません。");
    return Schedule::Conversion{acquired, *started, *loss};
}

Schedule computeSchedule(const reg::Row& row, const Options& options) {
    // A business start after the acquisition: the schedule begins then,
    // from what the private years left of the cost.
    const auto conversion = conversionOf(row, options.roundingFlag);
    if (!conversion) return computeFrom(row, options, std::nullopt);
    return computeFrom(convertedRow(row, conversion->started), options, conversion);
}

int Schedule::rowOfYear(int settle) const {
    if (years.empty()) return 0;
    return static_cast<int>(settle - years.front().settleYear) + 1;
}

std::int64_t Schedule::openingBook(int row) const {
    if (carried && carried->applied() && row == carried->row) return carried->bookValue;
    for (int earlier = row - 1; earlier >= 1; --earlier) {
        if (static_cast<std::size_t>(earlier) > years.size()) continue;
        const Money& book = year(earlier).bookValue;
        if (book.kind != Money::Kind::Empty) return book.value;
    }
    return startBook;
}

}  // namespace fenmark::schedule
