#include "register/csv_text.h"

#include <array>
#include <utility>

#include "law/era.h"
#include "platform/text_file.h"

namespace fenmark::reg {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The whole text as a number of at most nine digits.
std::optional<int> digitsValue(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool realDate(int year, int month, int day) {
    if (year < 1868 || year > 9999 || month < 1 || month > 12) return false;
    if (day == 0) return true;
    static constexpr std::array<int, 12> kDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (day < 1 || day > kDays[static_cast<std::size_t>(month - 1)]) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return !(month == 2 && day == 29 && !leap);
}

// "Y<sep>M[<sep>D]" with one of the separators; the year as written.
std::optional<std::array<std::string_view, 3>> splitDate(std::string_view text) {
    std::array<std::string_view, 3> parts{};
    std::size_t count = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '/' || text[i] == '-' || text[i] == '.') {
            if (count == 3) return std::nullopt;
            parts[count++] = text.substr(start, i - start);
            start = i + 1;
        }
    }
    if (count < 2) return std::nullopt;
    return parts;
}

std::optional<CsvDate> westernDate(std::string_view text) {
    if (text.size() == 8 && digitsValue(text)) {
        const CsvDate date{*digitsValue(text.substr(0, 4)), *digitsValue(text.substr(4, 2)),
                           *digitsValue(text.substr(6, 2))};
        if (!realDate(date.year, date.month, date.day)) return std::nullopt;
        return date;
    }
    const auto parts = splitDate(text);
    if (!parts || (*parts)[0].size() != 4) return std::nullopt;
    const auto year = digitsValue((*parts)[0]);
    const auto month = digitsValue((*parts)[1]);
    const auto day = (*parts)[2].empty() ? std::optional<int>(0) : digitsValue((*parts)[2]);
    if (!year || !month || !day || (*parts)[1].size() > 2 || (*parts)[2].size() > 2) {
        return std::nullopt;
    }
    if (!realDate(*year, *month, *day)) return std::nullopt;
    return CsvDate{*year, *month, *day};
}

std::optional<CsvDate> eraDate(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, law::Era>, 9> kEras{{
        {"令和", law::Era::Reiwa},
        {"平成", law::Era::Heisei},
        {"昭和", law::Era::Showa},
        {"R", law::Era::Reiwa},
        {"H", law::Era::Heisei},
        {"S", law::Era::Showa},
        {"r", law::Era::Reiwa},
        {"h", law::Era::Heisei},
        {"s", law::Era::Showa},
    }};
    std::optional<law::Era> era;
    for (const auto& [name, e] : kEras) {
        if (text.starts_with(name)) {
            era = e;
            text.remove_prefix(name.size());
            break;
        }
    }
    if (!era) return std::nullopt;
    if (text.starts_with(".")) text.remove_prefix(1);
    // 「8年4月1日」 and 「元年」 as the separated form.
    std::string plain;
    if (text.starts_with("元")) {
        plain = "1";
        text.remove_prefix(std::string_view("元").size());
    }
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("年") || rest.starts_with("月")) {
            plain += '/';
            i += std::string_view("年").size();
        } else if (rest.starts_with("日")) {
            if (i + std::string_view("日").size() != text.size()) return std::nullopt;
            i += std::string_view("日").size();
        } else {
            plain += text[i++];
        }
    }
    if (plain.ends_with("/")) plain.pop_back();
    const auto parts = splitDate(plain);
    if (!parts) return std::nullopt;
    const auto eraYear = digitsValue((*parts)[0]);
    const auto month = digitsValue((*parts)[1]);
    const auto day = (*parts)[2].empty() ? std::optional<int>(0) : digitsValue((*parts)[2]);
    if (!eraYear || !month || !day || *eraYear < 1) return std::nullopt;
    const int lastYear = *era == law::Era::Showa ? 64 : *era == law::Era::Heisei ? 31 : 99;
    if (*eraYear > lastYear || *month < law::firstMonthOf(*era, *eraYear) ||
        *month > law::lastMonthOf(*era, *eraYear)) {
        return std::nullopt;
    }
    const int year = law::westernYear(*era, *eraYear);
    if (!realDate(year, *month, *day)) return std::nullopt;
    return CsvDate{year, *month, *day};
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t extra = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, code = c & 0x1Fu;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, code = c & 0x0Fu;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, code = c & 0x07u;
        } else {
            return false;
        }
        if (i + extra >= bytes.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80) return false;
            code = (code << 6) | (b & 0x3Fu);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

std::optional<std::string> decodeCsvBytes(std::string_view bytes) {
    if (bytes.starts_with(kBom)) {
        bytes.remove_prefix(kBom.size());
        if (!isValidUtf8(bytes)) return std::nullopt;
        return std::string(bytes);
    }
    if (isValidUtf8(bytes)) return std::string(bytes);
    try {
        return platform::cp932ToUtf8(bytes);
    } catch (const platform::ReadError&) {
        return std::nullopt;
    }
}

CsvParse parseCsvText(std::string_view text) {
    CsvParse result;
    int line = 1;
    std::size_t i = 0;
    const auto lineBreakAt = [&text](std::size_t at) -> std::size_t {
        if (text[at] == '\n') return 1;
        if (text[at] == '\r') return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
        return 0;
    };
    while (i < text.size()) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool ended = false;
        bool anything = false;
        while (!ended) {
            if (i < text.size() && text[i] == '"') {
                anything = true;
                ++i;
                bool closed = false;
                while (i < text.size()) {
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (const std::size_t n = lineBreakAt(i)) {
                        field += '\n';
                        i += n;
                        ++line;
                        continue;
                    }
                    field += text[i++];
                }
                if (!closed) {
                    result.unclosedQuoteLine = record.line;
                    return result;
                }
            }
            // The rest of the field up to a comma or the line's end (after a
            // closing quote, whatever stands there is kept as written).
            while (i < text.size() && text[i] != ',' && lineBreakAt(i) == 0) {
                field += text[i++];
                anything = true;
            }
            record.fields.push_back(std::move(field));
            field.clear();
            if (i >= text.size()) {
                ended = true;
            } else if (text[i] == ',') {
                anything = true;
                ++i;
                if (i >= text.size()) {
                    record.fields.emplace_back();
                    ended = true;
                }
            } else {
                i += lineBreakAt(i);
                ++line;
                ended = true;
            }
        }
        if (anything) result.records.push_back(std::move(record));
    }
    return result;
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (f > 0) line += ',';
        const std::string& value = fields[f];
        const bool quote = value.find_first_of(",\"\r\n") != std::string::npos ||
                           (!value.empty() && (value.front() == ' ' || value.back() == ' ')) ||
                           trimmed(value) != value;
        if (!quote) {
            line += value;
            continue;
        }
        line += '"';
        for (char c : value) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    return line + "\r\n";
}

std::string trimmed(std::string_view text) {
    while (true) {
        if (text.starts_with(' ') || text.starts_with('\t')) {
            text.remove_prefix(1);
        } else if (text.starts_with(kIdeographicSpace)) {
            text.remove_prefix(kIdeographicSpace.size());
        } else if (text.ends_with(' ') || text.ends_with('\t')) {
            text.remove_suffix(1);
        } else if (text.ends_with(kIdeographicSpace)) {
            text.remove_suffix(kIdeographicSpace.size());
        } else {
            return std::string(text);
        }
    }
}

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
        } else if (text.substr(i).starts_with(kIdeographicSpace)) {
            i += kIdeographicSpace.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string asciiDigits(std::string_view text) {
    // Full-width forms are U+FF01..U+FF5E: EF BC 81..EF BD 9E.
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (i + 2 < text.size() && static_cast<unsigned char>(text[i]) == 0xEF) {
            const auto b1 = static_cast<unsigned char>(text[i + 1]);
            const auto b2 = static_cast<unsigned char>(text[i + 2]);
            const unsigned code = b1 == 0xBC   ? b2 - 0x80u + 0xFF00u
                                  : b1 == 0xBD ? b2 - 0x80u + 0xFF40u
                                               : 0;
            const unsigned ascii = code - 0xFF00u + 0x20u;
            if (code != 0 && ((ascii >= '0' && ascii <= '9') || ascii == ',' || ascii == '/' ||
                              ascii == '-' || ascii == '.' || ascii == '%')) {
                out += static_cast<char>(ascii);
                i += 3;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

std::optional<CsvDate> parseCsvDate(std::string_view text) {
    const std::string plain = trimmed(asciiDigits(text));
    if (plain.empty()) return std::nullopt;
    if (isDigit(plain.front())) return westernDate(plain);
    return eraDate(plain);
}

std::string amountCell(std::string_view text) {
    const std::string original = trimmed(text);
    std::string_view rest = original;
    std::string plain = asciiDigits(rest);
    rest = plain;
    for (std::string_view yen : {std::string_view("¥"), std::string_view("￥")}) {
        if (rest.starts_with(yen)) rest.remove_prefix(yen.size());
    }
    if (rest.ends_with("円")) rest.remove_suffix(std::string_view("円").size());
    if (rest.empty()) return original;
    // Digits, or groups of three after the first one to three.
    std::string digits;
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos) {
        for (char c : rest) {
            if (!isDigit(c)) return original;
        }
        return std::string(rest);
    }
    if (comma == 0 || comma > 3) return original;
    std::size_t group = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == ',') {
            if (i >= comma + 1 && group != 3) return original;
            group = 0;
            continue;
        }
        if (!isDigit(c)) return original;
        digits += c;
        ++group;
    }
    if (group != 3) return original;
    return digits;
}

}  // namespace fenmark::reg
