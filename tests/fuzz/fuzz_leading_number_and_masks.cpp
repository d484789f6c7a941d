// The leading-number reader and the display masks. The first byte picks a
// mask (or takes the next bytes up to a NUL as a mask of its own); the rest
// is a cell text.
//
// The reader agrees with the C library's strtod on every text that is one
// number, never gives NaN, and takes no notice of what follows the number.
// A masked amount read back without its separators is the rounded value.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "common/mask.h"
#include "common/number.h"

namespace {

using namespace fenmark::common;

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz_leading_number_and_masks: %s\n", what);
    std::abort();
}

constexpr std::array<std::string_view, 5> kMasks = {kMaskAmount, kMaskBase, kMaskPrice, kMaskYear,
                                                    kMaskYearMonth};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void checkReader(std::string_view text) {
    const double value = leadingNumber(text);
    check(!std::isnan(value), "leadingNumber gave NaN");
    // Nothing after the number counts: a letter appended changes nothing.
    check(leadingNumber(std::string(text) + "x") == value, "a letter after the text counted");
    if (isNumber(text)) {
        // The program runs in the "C" locale here, so strtod reads '.' as
        // the decimal point.
        const std::string trimmed(trimBlanks(text));
        const double expected = std::strtod(trimmed.c_str(), nullptr);
        check(value == expected, "leadingNumber disagrees with strtod");
    }
}

// Digits of the text with the grouping commas and a sign removed.
std::string withoutSeparators(const std::string& shown) {
    std::string out;
    for (char c : shown) {
        if (c != ',' && c != '-') out += c;
    }
    return out;
}

void checkMasked(double value, std::string_view mask) {
    const std::string shown = formatNumber(value, mask);
    if (!std::isfinite(value)) {
        check(shown.empty(), "a value that is no number was shown");
        return;
    }
    const double rounded = std::round(std::fabs(value));
    check(shown.size() <= 420 + 2 * mask.size(), "a masked number grew without bound");
    const bool grouped = mask.find(',') != std::string_view::npos;
    if (!grouped || (mask != kMaskAmount && mask != kMaskBase && mask != kMaskPrice)) return;
    for (char c : shown) check(isDigit(c) || c == ',' || c == '-', "a stray character in a mask");
    check((shown.find('-') == std::string::npos) == (value > -0.5),
          "the sign of a masked number is wrong");
    const std::string digits = withoutSeparators(shown);
    if (digits.empty()) {
        check(rounded == 0 && mask != kMaskPrice, "an amount showed as the empty text");
        return;
    }
    // Read back, the separators ignored, an amount is the rounded value (as
    // far as a double holds whole numbers exactly).
    if (rounded < 9007199254740992.0) {
        check(leadingNumber(digits) == rounded, "a masked amount reads back as another value");
    }
    // Thousands are grouped by threes from the right.
    const std::size_t firstComma = shown.find(',');
    if (firstComma != std::string::npos) {
        for (std::size_t i = firstComma; i < shown.size(); i += 4) {
            check(shown[i] == ',', "a thousands separator is out of place");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string_view mask;
    const std::size_t choice = data[0] % (kMasks.size() + 1);
    if (choice < kMasks.size()) {
        mask = kMasks[choice];
    } else {
        const std::size_t nul = rest.find('\0');
        mask = rest.substr(0, nul);
        rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    }

    checkReader(rest);
    const double value = leadingNumber(rest);
    checkMasked(value, mask);
    checkMasked(-value, mask);

    // A cell shown through a mask: a number is formatted, anything else is
    // shown as it stands.
    const std::string shown = formatText(rest, mask);
    if (!isNumber(rest)) {
        check(shown == rest, "formatText changed a text that is no number");
    } else if (std::isfinite(value)) {
        check(shown == formatNumber(value, mask), "formatText disagrees with formatNumber");
    }

    // The eight bytes after the first as a double, NaN and infinities too.
    if (rest.size() >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, rest.data(), sizeof raw);
        checkMasked(raw, mask);
    }
    return 0;
}
