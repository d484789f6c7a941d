#include "schedule/frame.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <utility>

#include "common/convert.h"
#include "common/exact.h"
#include "common/mask.h"
#include "common/number.h"
#include "law/era.h"
#include "law/rate_tables.h"
#include "schedule/builder.h"

namespace fenmark::schedule {

using common::formatNumber;
using common::formatText;
using common::kMaskAmount;
using common::kMaskBase;

namespace {

std::string yen(std::int64_t amount) {
    return formatNumber(static_cast<double>(amount), common::kMaskPrice) + "円";
}

std::string monthText(law::YearMonth month) {
    const law::Era era = law::eraOfMonth(month.year, month.month);
    return std::string(law::eraName(era)) + law::eraYearText(law::eraYearOf(era, month.year)) +
           "年" + std::to_string(month.month) + "月";
}

}  // namespace

OpeningLines openingLines(const Schedule& schedule) {
    OpeningLines lines;
    if (const auto& carried = schedule.carried) {
        lines.carried = "前年末未償却残高（引継ぎ） " + returnYearText(carried->year) + "：" +
                        yen(carried->bookValue);
        if (carried->revisedBase)
            lines.carried += "（改定取得価額 " + yen(*carried->revisedBase) + "）";
        std::string& note = lines.carriedNote;
        if (const auto difference = carried->difference()) {
            note = "計算上の未償却残高 " + yen(*carried->computedBookValue) + "、";
            note += *difference == 0 ? "引継ぎと一致" : "引継ぎとの差 " + yen(*difference);
        }
        // Say which figure the later years continue from wherever it is not
        // the filed one.
        const char* from = nullptr;
        if (carried->row < 2) {
            from = "引継ぎの年分が償却表の2年目以降にないため、引継ぎは使っていません";
        } else if (carried->fromComputed) {
            from = "計算上の未償却残高から続けて償却しています";
        }
        if (from != nullptr) note += note.empty() ? from : std::string("。") + from;
    }
    if (const auto& conversion = schedule.conversion) {
        lines.businessStart = "業務開始 " + monthText(conversion->started) + "：" +
                              conversion->loss.text() + "、開始時の未償却残高 " +
                              yen(conversion->loss.bookValue());
    }
    return lines;
}

ScheduleFrame::ScheduleFrame(reg::ProgramState& state) : state_(state) {
    Fxg2.setFormatString(kScheduleHeading);
    Fxg2.setFixedRows(1);
    Fxg2.setFixedCols(0);
    for (platform::Control* label : openingLabels()) label->visible = false;
}

std::vector<platform::Control*> ScheduleFrame::headerLabels() {
    return {&lblCode,   &lblPrice, &lblBase, &lblNens, &lblSritu, &lblShou2, &lblWari, &lblSuu,
            &lblZanson, &lblGendo, &lblSHou, &lblDate, &lblCate,  &lblHo,    &lblR2,   &lblHogaku};
}

std::vector<platform::Control*> ScheduleFrame::openingLabels() {
    return {&lblCarried, &lblCarriedNote, &lblBusinessStart};
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
    Text2.text = law::guaranteeRateOf(txtSinR.text);
    Text3.text = law::revisedRateOf(txtSinR.text);
}

void ScheduleFrame::GetData() {
    // A caption this asset gives no text must not keep the previous one's.
    for (platform::Control* label : headerLabels()) label->caption.clear();

    const std::string& method = cell(reg::methodCode);
    const std::string& cost = cell(reg::acquisitionCost);
    const std::string& rates = cell(reg::newRuleRates);

    txtName.text = cell(reg::assetName);
    lblCode.caption = "コード： " + cell(reg::assetCode);
    lblPrice.caption = formatText(cost, kMaskAmount) + " 円";
    setTxtSinR(rates);

    if (method == "4") {
        lblHo.caption = "保証率：       " + Text2.text;
        lblR2.caption = "改定償却率：   " + Text3.text;
    }

    lblBase.caption = baseText(state_.assetRegister.row(state_.currentRecord));

    const std::string& revisedLife = cell(reg::revisedLife);
    lblNens.caption = "耐用年数：    " + cell(reg::usefulLife) + "年";
    if (!revisedLife.empty()) lblNens.caption += "　/（短縮）" + revisedLife + "年";
    lblSritu.caption = "償却率：    " + cell(reg::depreciationRate);
    if (!cell(reg::revisedRate).empty()) lblShou2.caption = "/ [  " + cell(reg::revisedRate) + "]";

    lblWari.caption = "事業専用割合： " + cell(reg::businessRatio) + "％";
    lblSuu.caption = "数量： " + cell(reg::quantity) + "（台/機/㎡）";

    // A residual part and a limit belong to the depreciation methods: a
    // 一括償却資産 is expensed in three equal thirds and a 少額減価償却資産
    // whole in its first year, down to nothing either way.
    const double code = value(reg::methodCode);
    if (code == 2 || code == 6) {
        // Both captions stay blank.
    } else if (!rates.empty()) {
        lblZanson.caption = "残存金額：　1 円";
        lblGendo.caption = "償却限度：100％";
    } else {
        lblZanson.caption = "残存割合：　" + cell(reg::residualRatio) + "％";
        lblGendo.caption = "償却限度：　" + cell(reg::depreciationLimit) + "％";
    }

    lblSHou.caption = methodName(state_.assetRegister.row(state_.currentRecord), Procedure::None);
    if (method == "4") {
        // The guarantee amount as the schedule computes it: exact, rounded
        // once by the rounding choice.
        try {
            const std::int64_t amount = common::roundByFlag(
                common::readDecimal(Text2.text) * common::readDecimal(cell(reg::acquisitionCost)),
                roundingFlag);
            lblHogaku.caption =
                "償却保証額 ： " + formatNumber(static_cast<double>(amount), kMaskBase) + "円";
        } catch (const common::OverflowError&) {
            lblHogaku.caption = "償却保証額 ： 円";
        }
    }

    if (const auto shown = law::shownEraDate(cell(reg::eraCode), cell(reg::eraYear),
                                             cell(reg::acquisitionMonth))) {
        lblDate.caption = "取得年月： " + shown->letter + ". " + shown->year + " / " +
                          cell(reg::acquisitionMonth);
    }

    const double type = common::roundHalfEven(value(reg::typeCode));
    lblCate.caption = "種別： ";
    if (type >= 0 && type < static_cast<double>(reg::kTypeNames.size())) {
        lblCate.caption += reg::kTypeNames[static_cast<std::size_t>(type)];
    }

    // Last, so that an absurd year stops the schedule but not the header.
    elapsedYears = common::toInt16(static_cast<double>(currentYear) - value(reg::westernYear));
}

void ScheduleFrame::ShowSchedule() {
    const reg::Row& row = state_.assetRegister.row(state_.currentRecord);
    Schedule computed = computeSchedule(row, options());
    // A plain straight-line schedule names its method only once complete.
    lblSHou.caption = methodName(row, computed.procedure);
    render(std::move(computed));
}

void ScheduleFrame::EmptySchedule() { render(Schedule{}); }

void ScheduleFrame::render(Schedule computed) {
    schedule_ = std::move(computed);
    OpeningLines lines = openingLines(schedule_);
    for (auto [label, text] :
         {std::pair{&lblCarried, &lines.carried}, std::pair{&lblCarriedNote, &lines.carriedNote},
          std::pair{&lblBusinessStart, &lines.businessStart}}) {
        label->caption = std::move(*text);
        label->visible = !label->caption.empty();
    }
    Fxg2Visible = false;
    Fxg2.clear();
    Fxg2.setRows(static_cast<int>(schedule_.years.size()) + 1);
    Fxg2.setFormatString(kScheduleHeading);
    // The grid was cleared: only the cells with a text are written.
    const auto put = [this](int row, int col, std::string text) {
        if (!text.empty()) Fxg2.setText(row, col, std::move(text));
    };
    for (int row = 1; row <= static_cast<int>(schedule_.years.size()); ++row) {
        const Year& year = schedule_.year(row);
        put(row, colYears, numberText(row));
        put(row, colLabel, yearLabel(schedule_, row));
        put(row, colSettleYear, numberText(year.settleYear));
        if (year.monthsOf != 0) put(row, colMonths, monthsText(year));
        if (year.amount.kind != Money::Kind::Empty) put(row, colAmount, moneyText(year.amount));
        if (year.expense.kind != Money::Kind::Empty) put(row, colExpense, moneyText(year.expense));
        if (year.bookValue.kind != Money::Kind::Empty) {
            put(row, colBookValue, moneyText(year.bookValue));
        }
        if (year.remark != Remark::None) put(row, colRemark, remarkText(year.remark));
    }
    gridRowCount = schedule_.gridRowCount;
    Fxg2Visible = true;
}

void ScheduleFrame::ToukiCal() {
    const detail::CurrentPeriod p =
        detail::toukiCal(state_.assetRegister.row(state_.currentRecord), roundingFlag);
    currentAmount = p.amount;
    currentExpense = p.expense;
    revisedCurrentAmount = p.revisedAmount;
    revisedCurrentExpense = p.revisedExpense;
}

std::int16_t ScheduleFrame::faIndex(int row, int col) const {
    return common::addInt16(common::mulInt16(common::addInt16(row, 1), Fxg2.cols()), col);
}

std::string ScheduleFrame::GetPriData(int row, int col) {
    Fxg2.setRow(row);
    Fxg2.setCol(col);
    return Fxg2.currentText();
}

}  // namespace fenmark::schedule
