#include "cli/json_writer.h"

#include <charconv>

#include "common/number.h"

namespace fenmark::cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0
// where there is none (a stray continuation byte, an overlong form, a
// surrogate, a code point beyond U+10FFFF, a sequence cut short).
std::size_t sequenceLength(std::string_view text) {
    const auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = at(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    if (at(1) < low || at(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!continuation(at(i))) return 0;
    }
    return length;
}

void appendEscaped(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t plain = 0;  // start of the run copied unchanged
    std::size_t i = 0;
    const auto flush = [&] { out.append(text.substr(plain, i - plain)); };
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\' && c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0x80) {
            const std::size_t length = sequenceLength(text.substr(i));
            if (length > 0) {
                i += length;
                continue;
            }
            flush();
            out += kReplacement;
            plain = ++i;
            continue;
        }
        flush();
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0x0F];
                break;
        }
        plain = ++i;
    }
    flush();
    out += '"';
}

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// [-]digits[.digits] with the blanks around it dropped, or nothing.
std::optional<std::string_view> decimalText(std::string_view text) {
    text = common::trimBlanks(text);
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
    const std::size_t point = digits.find('.');
    if (!allDigits(digits.substr(0, point))) return std::nullopt;
    if (point != std::string_view::npos && !allDigits(digits.substr(point + 1))) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (filled_.empty()) return;
    if (filled_.back()) out_ += ',';
    filled_.back() = true;
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ += '{';
    filled_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    out_ += '}';
    filled_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ += '[';
    filled_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    out_ += ']';
    filled_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    appendEscaped(out_, name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view text) {
    separate();
    appendEscaped(out_, text);
    return *this;
}

JsonWriter& JsonWriter::stringOrNull(const std::optional<std::string>& text) {
    return text ? string(std::string_view(*text)) : null();
}

JsonWriter& JsonWriter::integer(std::int64_t value) {
    separate();
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::integerOrNull(const std::optional<std::int64_t>& value) {
    return value ? integer(*value) : null();
}

JsonWriter& JsonWriter::boolean(bool value) {
    separate();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::number(std::string_view decimal) {
    separate();
    out_ += decimal;
    return *this;
}

JsonWriter& JsonWriter::numberOrNull(const std::optional<std::string>& decimal) {
    return decimal ? number(std::string_view(*decimal)) : null();
}

std::optional<std::string> jsonNumber(std::string_view text) {
    const auto decimal = decimalText(text);
    if (!decimal) return std::nullopt;
    std::string number(*decimal);
    const std::size_t first = number.front() == '-' ? 1 : 0;
    std::size_t zeros = 0;
    while (first + zeros + 1 < number.size() && number[first + zeros] == '0' &&
           number[first + zeros + 1] != '.') {
        ++zeros;
    }
    number.erase(first, zeros);
    return number;
}

std::optional<std::string> exactDecimal(std::string_view text) {
    const auto decimal = decimalText(text);
    if (!decimal) return std::nullopt;
    return std::string(*decimal);
}

}  // namespace fenmark::cli
