#include "register/extended_columns.h"

namespace fenmark::reg {

std::optional<std::int64_t> plainDigits(std::string_view text) {
    if (text.empty() || text.size() > 15) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<CarriedOpening> carriedOpeningOf(const Row& row) {
    const std::string& yearText = cellOf(row, carriedYear);
    const auto year = yearText.size() == 4 ? plainDigits(yearText) : std::nullopt;
    const auto book = plainDigits(cellOf(row, carriedBookValue));
    if (!year || !book) return std::nullopt;
    CarriedOpening opening;
    opening.year = static_cast<int>(*year);
    opening.bookValue = *book;
    const std::string& revised = cellOf(row, carriedRevisedBase);
    if (!revised.empty()) {
        opening.revisedBase = plainDigits(revised);
        if (!opening.revisedBase) return std::nullopt;
    }
    opening.fromComputed = cellOf(row, carriedChoice) == kComputedChoice;
    return opening;
}

std::optional<law::YearMonth> businessStartOf(const Row& row) {
    return law::parseYearMonth(cellOf(row, businessStart));
}

bool usesExtendedColumns(const Row& row) {
    for (int col = kLeavingColumns + 1; col <= kColumns; ++col) {
        if (!row[static_cast<std::size_t>(col - 1)].empty()) return true;
    }
    return false;
}

std::optional<std::string> extendedColumnsProblem(const Row& row) {
    if (!usesExtendedColumns(row)) return std::nullopt;
    // What the acquisition gives to compare with, where it is plain digits
    // (records of older versions may hold other forms; they are not judged
    // by them).
    const auto acquiredYear = plainDigits(cellOf(row, westernYear));
    const auto acquiredMonth = plainDigits(cellOf(row, acquisitionMonth));
    const auto cost = plainDigits(cellOf(row, acquisitionCost));

    const std::string& yearText = cellOf(row, carriedYear);
    const std::string& bookText = cellOf(row, carriedBookValue);
    const std::string& revisedText = cellOf(row, carriedRevisedBase);
    const std::string& choice = cellOf(row, carriedChoice);
    if (yearText.empty() != bookText.empty() ||
        (yearText.empty() && (!revisedText.empty() || !choice.empty()))) {
        return "前年末未償却残高（引継ぎ）の項目がそろっていません。";
    }
    if (!yearText.empty()) {
        const auto year = yearText.size() == 4 ? plainDigits(yearText) : std::nullopt;
        if (!year) return "前年末未償却残高（引継ぎ）の年が正しくありません。";
        if (acquiredYear && *year <= *acquiredYear) {
            return "前年末未償却残高（引継ぎ）の年が取得年以前です。";
        }
        const auto book = plainDigits(bookText);
        if (!book) return "前年末未償却残高（引継ぎ）が正しくありません。";
        if (cost && *book > *cost) return "前年末未償却残高（引継ぎ）が取得価額を超えています。";
        if (!revisedText.empty()) {
            const auto revised = plainDigits(revisedText);
            if (!revised) return "改定取得価額が正しくありません。";
            if (cost && *revised > *cost) return "改定取得価額が取得価額を超えています。";
        }
        if (!choice.empty() && choice != kComputedChoice) {
            return "前年末未償却残高（引継ぎ）の選択が正しくありません。";
        }
    }
    const std::string& startText = cellOf(row, businessStart);
    if (!startText.empty()) {
        const auto start = law::parseYearMonth(startText);
        if (!start) return "業務に使い始めた年月が正しくありません。";
        if (acquiredYear && acquiredMonth &&
            start->year * 12 + start->month < *acquiredYear * 12 + *acquiredMonth) {
            return "業務に使い始めた年月が取得年月より前です。";
        }
    }
    const std::string& kind = cellOf(row, municipalKind);
    if (!kind.empty() && (kind.size() != 1 || kind[0] < '0' || kind[0] > '6')) {
        return "償却資産の種類が正しくありません。";
    }
    const std::string& used = cellOf(row, boughtUsed);
    if (!used.empty() && used != "1") return "中古の印が正しくありません。";
    return std::nullopt;
}

}  // namespace fenmark::reg
