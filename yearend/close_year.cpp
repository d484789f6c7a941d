#include "yearend/close_year.h"

#include <algorithm>
#include <array>

#include "common/convert.h"
#include "law/era.h"
#include "register/extended_columns.h"

namespace fenmark::yearend {

namespace {

// The outcome for one asset, and the figures to carry when it is Recorded.
ClosedAsset closeAsset(const reg::Row& row, int year, const schedule::Options& options) {
    ClosedAsset closed;
    const std::string& method = row[reg::methodCode - 1];
    if (method == "2" || method == "6") {
        closed.outcome = CloseOutcome::LumpSum;
        return closed;
    }
    // An opening already carried past the year (by closing it before, or
    // typed from a later return) holds figures this year's schedule could
    // only recompute without them: it is left as it is.
    if (const auto carried = reg::carriedOpeningOf(row); carried && carried->year > year) {
        closed.outcome = CloseOutcome::LaterCarried;
        return closed;
    }
    std::optional<schedule::Schedule> computed;
    try {
        computed = schedule::computeSchedule(row, options);
    } catch (const common::OverflowError&) {
    }
    if (!computed || computed->procedure == schedule::Procedure::None || computed->years.empty()) {
        closed.outcome = CloseOutcome::NotComputed;
        return closed;
    }
    const schedule::Schedule& s = *computed;
    int r = s.rowOfYear(year);
    if (r < 1) {
        closed.outcome = CloseOutcome::NotYetAcquired;
        return closed;
    }
    const int last = static_cast<int>(s.years.size());
    for (int k = 1; k <= std::min(r, last); ++k) {
        if (s.year(k).left()) {
            closed.outcome = CloseOutcome::Left;
            return closed;
        }
    }
    // Past the table's end the book value stays where the table ended.
    r = std::min(r, last);
    const schedule::Year& y = s.year(r);
    if (y.bookValue.kind == schedule::Money::Kind::Empty) {
        closed.outcome = CloseOutcome::NotComputed;
        return closed;
    }
    closed.outcome = CloseOutcome::Recorded;
    closed.bookValue = y.bookValue.value;
    if (y.basis == schedule::Remark::Revised && y.base) closed.revisedBase = *y.base;
    return closed;
}

}  // namespace

int CloseYearResult::recorded() const {
    return static_cast<int>(std::count_if(assets.begin(), assets.end(), [](const ClosedAsset& a) {
        return a.outcome == CloseOutcome::Recorded;
    }));
}

std::optional<std::string> closeYearRefusal(int year, int currentYear) {
    if (year < 1989) return "平成元年より前の年分は締められません。";
    if (year > currentYear) return "まだ来ていない年分は締められません。";
    return std::nullopt;
}

CloseYearResult closeYear(reg::AssetRegister& assets, int count, int year,
                          const schedule::Options& options) {
    CloseYearResult result;
    result.year = year;
    // Every table reaches the year closed and the one after it.
    schedule::Options reaching = options;
    reaching.currentYear = std::max(options.currentYear, year + 1);
    for (int f = 1; f <= count; ++f) {
        ClosedAsset closed = closeAsset(assets.row(f), year, reaching);
        closed.record = f;
        if (closed.outcome == CloseOutcome::Recorded) {
            reg::Row row = assets.row(f);
            row[reg::carriedYear - 1] = std::to_string(year + 1);
            row[reg::carriedBookValue - 1] = std::to_string(closed.bookValue);
            row[reg::carriedRevisedBase - 1] =
                closed.revisedBase ? std::to_string(*closed.revisedBase) : std::string();
            row[reg::carriedChoice - 1].clear();
            // Only what the file can hold and read back is written: a
            // schedule of values no card stores (a negative rate) could end
            // above the cost or below zero.
            if (reg::extendedColumnsProblem(row)) {
                closed.outcome = CloseOutcome::NotComputed;
            } else {
                assets.row(f) = std::move(row);
            }
        }
        result.assets.push_back(closed);
    }
    return result;
}

std::string closeYearSummary(const CloseYearResult& result) {
    std::array<int, 6> counts{};
    std::string uncomputed;
    for (const ClosedAsset& a : result.assets) {
        ++counts[static_cast<std::size_t>(a.outcome)];
        if (a.outcome == CloseOutcome::NotComputed) {
            if (!uncomputed.empty()) uncomputed += "、";
            uncomputed += std::to_string(a.record);
        }
    }
    const auto count = [&counts](CloseOutcome outcome) {
        return counts[static_cast<std::size_t>(outcome)];
    };
    std::string text = law::returnYearText(result.year) + "の期末の未償却残高を、" +
                       law::returnYearText(result.year + 1) +
                       "の前年末未償却残高（引継ぎ）として記録しました。\n" + "記録した資産：" +
                       std::to_string(count(CloseOutcome::Recorded)) + "件";
    const auto add = [&text, &count](CloseOutcome outcome, const char* caption) {
        if (count(outcome) > 0)
            text += std::string("\n") + caption + std::to_string(count(outcome)) + "件";
    };
    add(CloseOutcome::NotYetAcquired, "その年分より後に取得した（業務に使い始めた）資産：");
    add(CloseOutcome::Left, "その年分までに除却・売却・自家転用した資産：");
    add(CloseOutcome::LumpSum, "一括償却・少額特例の資産（引継ぎなし）：");
    add(CloseOutcome::LaterCarried, "翌年分以後の引継ぎがすでにある資産（変更なし）：");
    if (count(CloseOutcome::NotComputed) > 0) {
        text += "\n償却費を計算できない資産：" + std::to_string(count(CloseOutcome::NotComputed)) +
                "件（" + uncomputed + "件目）";
    }
    return text;
}

}  // namespace fenmark::yearend
