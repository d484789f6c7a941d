// The settings file's text. Whatever it holds, the closing month that comes
// out is "1" to "12", and fields 1 to 3, written back in the file's layout,
// read back unchanged with the same month.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text_file.h"
#include "register/settings.h"

namespace {

using namespace fenmark;

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz_settings_reader: %s\n", what);
    std::abort();
}

void checkSettings(const std::string& text) {
    const reg::Settings settings = reg::parseSettings(text);
    const std::string& month = settings.closingMonth;
    bool valid = false;
    for (int m = 1; m <= 12; ++m) valid = valid || month == std::to_string(m);
    check(valid, "closing month outside \"1\"..\"12\"");

    std::string line;
    for (const std::string& field : settings.reserved) {
        if (field.find('"') != std::string::npos) return;  // not writable
        line += '"' + field + "\",";
    }
    line += '"' + month + "\"\r\n";
    const reg::Settings again = reg::parseSettings(line);
    check(again.reserved == settings.reserved, "a reserved field changed on a round trip");
    check(again.closingMonth == month, "the closing month changed on a round trip");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    checkSettings(bytes);
    try {
        checkSettings(platform::cp932ToUtf8(bytes));
    } catch (const platform::ReadError&) {
        // Not code page 932: loadSettings falls back to the defaults.
    }
    return 0;
}
