#include "common/text.h"

namespace fenmark::common {

namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the character with 0-based index `index`, or the text size.
std::size_t byteOffset(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    for (std::size_t seen = 0; pos < text.size(); ++pos) {
        if (isContinuation(text[pos])) continue;
        if (seen == index) return pos;
        ++seen;
    }
    return text.size();
}

}  // namespace

std::size_t charCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        if (!isContinuation(c)) ++count;
    }
    return count;
}

std::string leftChars(std::string_view text, std::size_t n) {
    return std::string(text.substr(0, byteOffset(text, n)));
}

std::string rightChars(std::string_view text, std::size_t n) {
    const std::size_t count = charCount(text);
    if (n >= count) return std::string(text);
    return std::string(text.substr(byteOffset(text, count - n)));
}

std::string midChars(std::string_view text, std::size_t start, std::size_t n) {
    if (start == 0) start = 1;
    const std::size_t from = byteOffset(text, start - 1);
    const std::size_t count = charCount(text);
    const std::size_t last = n > count ? count : start - 1 + n;
    const std::size_t to = byteOffset(text, last);
    return std::string(text.substr(from, to - from));
}

}  // namespace fenmark::common
