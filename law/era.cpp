#include "law/era.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "common/number.h"

namespace fenmark::law {

namespace {

// The year before year 1 of each era.
int eraBase(Era era) {
    switch (era) {
        case Era::Showa:
            return 1925;
        case Era::Heisei:
            return 1988;
        case Era::Reiwa:
            return 2018;
    }
    return 0;
}

// The whole number a cell holds and nothing else, or nothing.
std::optional<std::int32_t> wholeCell(std::string_view text) {
    if (!common::isNumber(text)) return std::nullopt;
    return common::wholeNumber(common::leadingNumber(text));
}

}  // namespace

std::int32_t systemCalendarYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

int systemCalendarMonth() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_mon + 1;
}

std::optional<Era> eraOfCodeValue(std::optional<std::int32_t> code) {
    if (!code) return std::nullopt;
    return eraOfCode(*code);
}

std::optional<Era> eraOfCode(int code) {
    if (code == 0) return Era::Showa;
    if (code == 1) return Era::Heisei;
    if (code == 2) return Era::Reiwa;
    return std::nullopt;
}

int westernYear(Era era, int eraYear) { return eraBase(era) + eraYear; }
int eraYearOf(Era era, int western) { return western - eraBase(era); }

Era eraOfMonth(int western, int month, std::optional<Era> preferred) {
    if (western > 2019 || (western == 2019 && month >= 5)) return Era::Reiwa;
    if (western > 1989) return Era::Heisei;
    if (western == 1989 && month >= 2) return Era::Heisei;
    if (western == 1989) return preferred == Era::Showa ? Era::Showa : Era::Heisei;
    return Era::Showa;
}

Era eraOfYear(int western) {
    if (western >= 2019) return Era::Reiwa;
    if (western >= 1989) return Era::Heisei;
    return Era::Showa;
}

std::string_view eraName(Era era) {
    switch (era) {
        case Era::Showa:
            return "昭和";
        case Era::Heisei:
            return "平成";
        case Era::Reiwa:
            return "令和";
    }
    return {};
}

std::string_view eraLetter(Era era) {
    switch (era) {
        case Era::Showa:
            return "S";
        case Era::Heisei:
            return "H";
        case Era::Reiwa:
            return "R";
    }
    return {};
}

std::string eraYearText(int eraYear) {
    if (eraYear == 1) return "元";
    return std::to_string(eraYear);
}

int lastMonthOf(Era era, int eraYear) {
    if (era == Era::Showa && eraYear == 64) return 1;
    if (era == Era::Heisei && eraYear == 31) return 4;
    return 12;
}

int firstMonthOf(Era era, int eraYear) {
    if (era == Era::Reiwa && eraYear == 1) return 5;
    return 1;
}

std::optional<EraDate> eraDateOf(std::string_view eraCodeText, std::string_view eraYearText_,
                                 std::string_view monthText) {
    const std::optional<Era> stored =
        eraOfCodeValue(common::wholeNumber(common::leadingNumber(eraCodeText)));
    const auto year = wholeCell(eraYearText_);
    const auto month = wholeCell(monthText);
    // Years far outside any era are not dates either (and stay in range).
    if (!stored || !year || !month || *month < 1 || *month > 12 || *year < -100000 ||
        *year > 100000) {
        return std::nullopt;
    }
    const int western = westernYear(*stored, *year);
    const Era era = eraOfMonth(western, *month, stored);
    return EraDate{era, eraYearOf(era, western)};
}

std::optional<YearMonth> parseYearMonth(std::string_view cell) {
    if (cell.size() < 6 || cell.size() > 7 || cell[4] != '-') return std::nullopt;
    int year = 0;
    int month = 0;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (i == 4) continue;
        if (cell[i] < '0' || cell[i] > '9') return std::nullopt;
        int& part = i < 4 ? year : month;
        part = part * 10 + (cell[i] - '0');
    }
    if (month < 1 || month > 12) return std::nullopt;
    return YearMonth{year, month};
}

std::optional<ShownEraDate> shownEraDate(std::string_view eraCodeText,
                                         const std::string& eraYearText_,
                                         std::string_view monthText) {
    const std::optional<Era> stored =
        eraOfCodeValue(common::wholeNumber(common::leadingNumber(eraCodeText)));
    if (!stored) return std::nullopt;
    const std::optional<EraDate> date = eraDateOf(eraCodeText, eraYearText_, monthText);
    if (!date) return ShownEraDate{std::string(eraLetter(*stored)), eraYearText_};
    // Compact cells write the number, 1 included.
    return ShownEraDate{std::string(eraLetter(date->era)), std::to_string(date->eraYear)};
}

std::string returnYearText(int westernYear) {
    const Era era = eraOfYear(westernYear);
    return std::string(eraName(era)) + eraYearText(eraYearOf(era, westernYear)) + "年分";
}

std::string yearMonthText(int year, int month) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d", year, month);
    return text;
}

}  // namespace fenmark::law
