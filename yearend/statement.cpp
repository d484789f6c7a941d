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
#include "law/era.h"
#include "law/rate_tables.h"
#include "yearend/statement_window.h"

namespace fenmark::yearend {

namespace {

using common::formatNumber;
using common::kMaskAmount;
using common::kMaskBase;
using common::leadingNumber;

std::int64_t checkedAdd(std::int64_t total, std::int64_t addend) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(total, addend, &sum)) {
        throw common::OverflowError("オーバーフローしました。");
    }
    return sum;
}

// An amount in a sentence: "675,000", and "0" where a table cell is blank.
std::string yenText(double amount) {
    const std::string text = common::formatNumber(amount, kMaskAmount);
    return text.empty() ? "0" : text;
}

std::string totalText(std::int64_t total) {
    return formatNumber(static_cast<double>(total), kMaskAmount);
}

using Headings = std::array<std::string_view, kStatementColumns>;

constexpr Headings kBlueHeadings = {"減価償却資産の名称等",
                                    "面積又は数量",
                                    "取得年月",
                                    "取得価額（償却保証額）",
                                    "償却の基礎になる金額",
                                    "償却方法",
                                    "耐用年数",
                                    "償却率又は改定償却率",
                                    "本年中の償却期間",
                                    "本年分の普通償却費",
                                    "割増（特別）償却費",
                                    "本年分の償却費合計",
                                    "事業専用割合",
                                    "本年分の必要経費算入額",
                                    "未償却残高（期末残高）",
                                    "摘要"};

constexpr Headings withSpecial(Headings headings, std::string_view special) {
    headings[colSpecial] = special;
    return headings;
}

constexpr Headings kIncomeHeadings = withSpecial(kBlueHeadings, "特別償却費");

// The form's letter stands before its heading, as the form prints it.
constexpr Headings kBlueShortHeadings = {"減価償却資産\nの名称等",
                                         "面積\n又は\n数量",
                                         "取得\n年月",
                                         "㋑取得価額\n（償却\n保証額）",
                                         "㋺償却の\n基礎になる\n金額",
                                         "償却\n方法",
                                         "耐用\n年数",
                                         "㋩償却率\n又は改定\n償却率",
                                         "㋥本年中\nの償却\n期間",
                                         "㋭本年分の\n普通\n償却費",
                                         "㋬割増\n（特別）\n償却費",
                                         "㋣本年分の\n償却費\n合計",
                                         "㋠事業\n専用\n割合",
                                         "㋷本年分の\n必要経費\n算入額",
                                         "㋦未償却残高\n（期末\n残高）",
                                         "摘要"};

constexpr Headings kIncomeShortHeadings = withSpecial(kBlueShortHeadings, "㋬特別\n償却費");

}  // namespace

const Headings& statementHeadings(ReturnForm form) {
    return form == ReturnForm::Income ? kIncomeHeadings : kBlueHeadings;
}

const Headings& statementShortHeadings(ReturnForm form) {
    return form == ReturnForm::Income ? kIncomeShortHeadings : kBlueShortHeadings;
}

std::string statementHeadingFormat(ReturnForm form) {
    std::string format;
    for (std::string_view heading : statementShortHeadings(form)) {
        if (!format.empty()) format += '|';
        format += heading;
    }
    return format;
}

std::string guaranteeText(std::int64_t amount) {
    return "(" + formatNumber(static_cast<double>(amount), kMaskAmount) + ")";
}

std::optional<std::int64_t> decliningBase(const schedule::Schedule& schedule, int row) {
    using schedule::Procedure;
    using schedule::Remark;
    if (schedule.procedure != Procedure::OldDeclining &&
        schedule.procedure != Procedure::NewDeclining) {
        return std::nullopt;
    }
    if (row < 1 || static_cast<std::size_t>(row) > schedule.years.size()) return std::nullopt;
    // Year 1 starts from the cost, which the register gives, unless the
    // asset came from private use with a lower book value.
    if (row == 1) {
        if (!schedule.conversion) return std::nullopt;
        return schedule.startBook;
    }
    // The basis, not the remark: a year the asset left in is still computed
    // as the undisturbed year would be.
    const schedule::Year& year = schedule.year(row);
    if (year.basis == Remark::FiveYear) return std::nullopt;
    if (year.base) return *year.base;
    int start = row;
    if (year.basis == Remark::Revised) {
        while (start > 1 && schedule.year(start - 1).basis == Remark::Revised) --start;
        if (start == 1) return std::nullopt;
    }
    // The filed opening where one applies from that year, else what the
    // year before closed at (nothing shown after the asset left).
    if (schedule.carried && schedule.carried->applied() && start == schedule.carried->row) {
        return schedule.carried->bookValue;
    }
    return static_cast<std::int64_t>(schedule.year(start - 1).bookValue.yen());
}

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

std::int32_t statementYearOf(law::Era era, std::string_view text) {
    if (!common::isNumber(text)) return 0;
    const auto year = common::wholeNumber(leadingNumber(text));
    if (!year || *year < 1 || *year > kLastStatementWesternYear) return 0;
    const int western = law::westernYear(era, *year);
    if (western < 1989 || western > kLastStatementWesternYear) return 0;
    return western - 1988;
}

const char* StatementYear::message() const {
    switch (refusal) {
        case Refusal::NoYear:
            return kNoYearMessage;
        case Refusal::BadYear:
            return kBadYearMessage;
        case Refusal::None:
            break;
    }
    return "";
}

StatementYear readStatementYear(law::Era era, std::string_view text) {
    if (text.empty()) return {0, StatementYear::Refusal::NoYear};
    const std::int32_t year = statementYearOf(era, text);
    if (year == 0) return {0, StatementYear::Refusal::BadYear};
    return {year, StatementYear::Refusal::None};
}

StatementYear readStatementYearArgument(std::string_view argument) {
    if (const auto typed = parseYearArgument(argument)) {
        return readStatementYear(typed->era, typed->year);
    }
    return readStatementYear(law::Era::Heisei, argument);
}

std::optional<std::int64_t> readAmount(std::string_view text) {
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    std::int64_t amount = 0;
    bool digits = false;
    for (const char c : text) {
        if (c == ',' && digits) continue;
        if (c < '0' || c > '9') return std::nullopt;
        digits = true;
        // Counted downwards, so that the most negative amount fits too.
        if (__builtin_mul_overflow(amount, 10, &amount) ||
            __builtin_sub_overflow(amount, c - '0', &amount)) {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    if (negative) return amount;
    if (amount == std::numeric_limits<std::int64_t>::min()) return std::nullopt;
    return -amount;
}

std::optional<TypedYear> parseYearArgument(std::string_view text) {
    const auto digits = [](std::string_view t) {
        return !t.empty() && t.size() <= 4 &&
               std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (text.size() >= 2 &&
        (text[0] == 'R' || text[0] == 'r' || text[0] == 'H' || text[0] == 'h') &&
        digits(text.substr(1))) {
        const bool reiwa = text[0] == 'R' || text[0] == 'r';
        return TypedYear{reiwa ? law::Era::Reiwa : law::Era::Heisei, std::string(text.substr(1))};
    }
    if (!digits(text)) return std::nullopt;
    const int number = std::stoi(std::string(text));
    if (number <= 99) return TypedYear{law::Era::Heisei, std::string(text)};
    // A western year, in the era that names it.
    const law::Era era =
        law::eraOfYear(number) == law::Era::Reiwa ? law::Era::Reiwa : law::Era::Heisei;
    return TypedYear{era, std::to_string(law::eraYearOf(era, number))};
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
    // Outside the schedule the "0" is an amount of 0, a blank cell none.
    const auto yen = [&](int r, Money schedule::Year::*field) -> std::optional<std::int64_t> {
        if (!exists(r)) return 0;
        const Money& money = schedule.year(r).*field;
        if (money.blank()) return std::nullopt;
        return static_cast<std::int64_t>(money.yen());
    };

    // A year past the end of the table is one more year after the asset's
    // depreciation ended, shown as the table's last year (every table ends
    // with such years, written off or held at the memorandum value).
    if (row > 0 && static_cast<std::size_t>(row) > schedule.years.size()) {
        row = static_cast<int>(schedule.years.size());
    }

    ScheduleCopy copy;
    // A computed months text is never "0", which once also read as a full
    // year; a year outside the schedule shows no months.
    if (exists(row)) {
        const schedule::Year& year = schedule.year(row);
        copy.period = schedule::monthsText(year);
        if (year.monthsOf != 0) {
            copy.months = year.months;
            copy.monthsOf = year.monthsOf;
        }
    }
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

    if (exists(row)) {
        const schedule::Remark remark = schedule.year(row).remark;
        copy.remark =
            remark == schedule::Remark::FiveYear ? kEqualRemark : schedule::remarkText(remark);
    }
    if (blank(row, &schedule::Year::expense)) copy.remark = kWrittenOff;

    // The year the asset left: nothing remains on the books at its end, and
    // the remark names how it left and the book value that went with it.
    if (exists(row)) {
        const schedule::Year& year = schedule.year(row);
        if (year.left()) {
            copy.leaving = year.remark;
            copy.leftBookValue = static_cast<std::int64_t>(year.bookValue.yen());
            copy.bookValue = "0";
            copy.bookValueYen = 0;
            copy.marking = Marking::None;
            copy.remark = std::string(schedule::remarkText(year.remark)) + "（簿価 " +
                          yenText(static_cast<double>(copy.leftBookValue)) + "円）";
        }
    }
    return copy;
}

std::array<std::string, kStatementColumns> statementRowTexts(const StatementLine& line) {
    std::array<std::string, kStatementColumns> texts;
    texts[colName] = line.name;
    texts[colQuantity] = line.quantity;
    texts[colAcquired] = line.acquired;
    texts[colCost] = line.cost;
    texts[colBase] = line.base;
    texts[colMethod] = line.method;
    texts[colLife] = line.life;
    texts[colRate] = line.rate;
    texts[colPeriod] = line.year.period;
    texts[colDepreciation] = line.year.depreciation;
    texts[colDepreciationTotal] = line.year.depreciation;
    texts[colShare] = line.share;
    texts[colExpense] = line.year.expense;
    texts[colBookValue] = line.year.bookValue;
    texts[colRemark] = line.year.remark;
    return texts;
}

std::array<std::string, kStatementColumns> statementTotalsTexts(const StatementData& data) {
    std::array<std::string, kStatementColumns> texts;
    texts[colName] = kTotalsCaption;
    texts[colDepreciation] = totalText(data.depreciationTotal);
    texts[colSpecial] = totalText(0);
    texts[colDepreciationTotal] = texts[colDepreciation];
    texts[colExpense] = totalText(data.expenseTotal);
    texts[colBookValue] = totalText(data.bookValueTotal);
    return texts;
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
    const double month = leadingNumber(closingMonth);
    const std::int32_t w = month > 3 ? statementYear : statementYear + 1;
    // The closing date in the era in force in that month.
    const int western = 1988 + w;
    const law::Era era = law::eraOfMonth(western, common::wholeNumber(month).value_or(0));
    return "(期末 ：" + std::string(law::eraName(era)) + " " +
           law::eraYearText(law::eraYearOf(era, western)) + "年" + closingMonth + "月)";
}

StatementData computeStatement(const reg::AssetRegister& assets, int count,
                               std::int32_t statementYear, std::int32_t closingMonthNumber,
                               const schedule::Options& options, bool optionsValid) {
    StatementData data;
    data.lines.resize(static_cast<std::size_t>(std::max(count, 0)));
    // Every table reaches a few years past the current year; counted from
    // the statement's year instead when that is later, an asset still being
    // depreciated then has its year in the table.
    schedule::Options reaching = options;
    reaching.currentYear = std::max(options.currentYear, statementYear + 1989);
    std::string prefix;
    for (int f = 1; f <= count; ++f) {
        const reg::Row& asset = assets.row(f);
        const auto cell = [&asset](reg::Column column) -> const std::string& {
            return asset[static_cast<std::size_t>(column - 1)];
        };
        const auto value = [&cell](reg::Column column) { return leadingNumber(cell(column)); };
        StatementLine& line = data.lines[static_cast<std::size_t>(f - 1)];
        line.name = cell(reg::assetName);
        line.quantity = cell(reg::quantity);
        // An unknown era keeps the prefix of the asset above.
        std::string year = cell(reg::eraYear);
        if (const auto shown = law::shownEraDate(cell(reg::eraCode), cell(reg::eraYear),
                                                 cell(reg::acquisitionMonth))) {
            prefix = shown->letter + ".";
            year = shown->year;
        }
        line.acquired = prefix + year + "/" + cell(reg::acquisitionMonth);
        line.cost = common::formatText(cell(reg::acquisitionCost), kMaskBase);
        line.costYen = readAmount(line.cost);
        // The life revised in 1998 applies from Heisei 10 on; the rate
        // follows the life, whether or not a revised rate was stored.
        const bool revised = !cell(reg::revisedLife).empty() && statementYear >= 10;
        line.life = revised ? cell(reg::revisedLife) : cell(reg::usefulLife);
        line.rate = revised ? cell(reg::revisedRate) : cell(reg::depreciationRate);
        line.share = cell(reg::businessRatio) + "%";
        line.ratio = cell(reg::businessRatio);

        std::optional<schedule::Schedule> computed;
        if (optionsValid) {
            try {
                computed = schedule::computeSchedule(asset, reaching);
            } catch (const common::OverflowError&) {
            }
        }
        line.base = schedule::baseText(asset);
        line.baseYen = readAmount(line.base);
        line.method =
            schedule::methodName(asset, computed ? computed->procedure : schedule::Procedure::None);
        // The guarantee amount goes with the cost for the new declining
        // balance of assets acquired from April 2007.
        if (computed && computed->guaranteeAmount && *computed->guaranteeAmount > 0 &&
            value(reg::westernYear) * 100 + value(reg::acquisitionMonth) >= 200704) {
            line.guaranteeAmount = *computed->guaranteeAmount;
            line.cost += guaranteeText(*line.guaranteeAmount);
        }
        if (!computed) {
            line.computed = false;
            data.uncomputed.push_back(f);
        } else {
            line.carried = computed->carried;
            line.conversion = computed->conversion;
        }
        // Without a schedule there is no year to copy, and no share shown.
        if (!computed || computed->years.empty()) {
            line.share.clear();
            line.ratio.clear();
            continue;
        }

        // The year counts from the schedule's first year: the acquisition,
        // or the start of business use for an asset that was private.
        const int offset = scheduleOffset(closingMonthNumber, computed->acquisitionMonth);
        int row = scheduleRowFor(offset, statementYear, computed->westernYear);
        // The opening of the year: past the table's end it is what the
        // last year closed at.
        if (row >= 2) {
            line.openingBookYen = computed->openingBook(row);
        } else if (row == 1 && computed->conversion) {
            line.openingBookYen = computed->startBook;
            line.conversionYear = true;
        }
        // Past the table's end the year is one more after the depreciation
        // ended: the same as the table's last year.
        row = std::min(row, static_cast<int>(computed->years.size()));
        line.year = copyScheduleRow(*computed, row);
        if (const auto base = decliningBase(*computed, row)) {
            line.base = formatNumber(static_cast<double>(*base), kMaskBase);
            line.baseYen = readAmount(line.base);
        }
        // From the switch on, the revised rate is the rate of the year.
        if (row >= 1 && static_cast<std::size_t>(row) <= computed->years.size() &&
            computed->year(row).basis == schedule::Remark::Revised) {
            line.rate = law::revisedRateOf(cell(reg::newRuleRates));
            line.revisedBaseYen = line.baseYen;
        }
        if (line.year.shareCleared) {
            line.share.clear();
            line.ratio.clear();
        }
        const std::int64_t depreciation = line.year.depreciationYen.value_or(0);
        data.depreciationTotal = checkedAdd(data.depreciationTotal, depreciation);
        data.expenseTotal = checkedAdd(data.expenseTotal, line.year.expenseYen.value_or(0));
        data.bookValueTotal = checkedAdd(data.bookValueTotal, line.year.bookValueYen.value_or(0));
        if (line.year.leaving != schedule::Remark::None) {
            data.hasLeaving = true;
            if (line.year.leaving == schedule::Remark::Scrapped) {
                data.scrappedBookValueTotal =
                    checkedAdd(data.scrappedBookValueTotal, line.year.leftBookValue);
            }
        }
        // The small assets of the year are those with their amount in it.
        if (computed->procedure == schedule::Procedure::SmallAsset && depreciation != 0) {
            data.hasSmallAssets = true;
            data.smallAssetTotal = checkedAdd(data.smallAssetTotal, depreciation);
        }
    }
    return data;
}

// --- the window's rendering ------------------------------------------------

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

void StatementWindowModel::render(StatementData data) {
    const int count = static_cast<int>(data.lines.size());
    Fxg3.clear();
    Fxg3.setRows(count + 2);
    Fxg3.setFormatString(statementHeadingFormat(settings_.form));
    markings.assign(static_cast<std::size_t>(count), Marking::None);
    statementMethodNames.assign(static_cast<std::size_t>(count), "");
    guaranteeAmounts.assign(static_cast<std::size_t>(count), std::nullopt);
    for (int f = 1; f <= count; ++f) {
        const StatementLine& line = data.lines[static_cast<std::size_t>(f - 1)];
        statementMethodNames.at(static_cast<std::size_t>(f - 1)) = line.method;
        guaranteeAmounts.at(static_cast<std::size_t>(f - 1)) = line.guaranteeAmount;
        auto texts = statementRowTexts(line);
        for (int col = 0; col < kStatementColumns; ++col) {
            // The table was cleared: only the cells with a text are written.
            std::string& text = texts[static_cast<std::size_t>(col)];
            if (!text.empty()) put(f, col, std::move(text));
        }
        const Marking marking = line.year.marking;
        if (marking == Marking::Removable) {
            Picture1.visible = true;
            Label4.visible = true;
        }
        if (marking == Marking::NotExisting) {
            Picture2.visible = true;
            Label5.visible = true;
        }
        if (marking != Marking::None) mark(f, marking);
    }

    const int totals = count + 1;
    auto totalsTexts = statementTotalsTexts(data);
    for (int col = 0; col < kStatementColumns; ++col) {
        Fxg3.setText(totals, col, std::move(totalsTexts[static_cast<std::size_t>(col)]));
    }
    Fxg3.setRow(totals);
    Fxg3.setCol(colName);
    Fxg3.setCurrentAlignment(platform::Alignment::Center);
    for (int col = colName; col <= colBookValue; ++col) {
        Fxg3.setCol(col);
        Fxg3.setCurrentBackColor(kTotalsColor);
    }
    depreciationTotal = data.depreciationTotal;
    expenseTotal = data.expenseTotal;
    bookValueTotal = data.bookValueTotal;
    uncomputed = std::move(data.uncomputed);
    smallAssetTotal = data.smallAssetTotal;
    lblSmall.caption = std::string(kSmallAssetTotalCaption) +
                       common::formatNumber(static_cast<double>(smallAssetTotal), kMaskAmount) +
                       "円";
    lblSmall.visible = data.hasSmallAssets;
    lblSmallOver.visible = data.hasSmallAssets && smallAssetTotal > kSmallAssetYearlyCap;
    scrappedBookValueTotal = data.scrappedBookValueTotal;
    lblScrapped.caption = std::string(kScrappedTotalCaption) +
                          yenText(static_cast<double>(scrappedBookValueTotal)) + "円";
    lblScrapped.visible = data.hasLeaving;
    keepStatement(data);
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

void StatementWindowModel::computeStatement(const std::string& yearText) {
    statementYear = statementYearOf(chosenEra(), yearText);
    lblComent.visible = false;
    schedule::Options options;
    bool valid = true;
    try {
        options.closingMonth = common::toInt16(leadingNumber(effectiveClosingMonth()));
        options.roundingFlag = common::toInt16(leadingNumber(settings_.roundingMode));
    } catch (const common::OverflowError&) {
        valid = false;
    }
    options.currentYear = settings_.currentYear;
    render(yearend::computeStatement(state_.assetRegister, state_.recordCount, statementYear,
                                     closingMonthNumber, options, valid));
    // The last asset stays the current one, as after paging through the
    // register.
    state_.currentRecord = static_cast<std::int16_t>(std::max<int>(1, state_.recordCount));
    finish();
}

void StatementWindowModel::finish() {
    Fxg3Visible = true;
    cmdOk.enabled = false;
    txtGetYe.visible = false;
    cboEra.visible = false;
    // The heading names the year in the era of the year, as the return does,
    // whatever era it was typed in.
    showHeading();
    lblGY.visible = true;
    if (state_.closingMonth.empty()) state_.closingMonth = "12";
    Label3.caption = closingCaption(statementYear, state_.closingMonth);
    Label3.visible = true;
    cmdPrint.enabled = true;
    // The lines under the table take their room from the grid.
    Form_Resize(lastScaleWidth_, lastScaleHeight_, lastMinimized_);
}

}  // namespace fenmark::yearend
