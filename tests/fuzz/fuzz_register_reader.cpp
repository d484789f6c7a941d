// The register file's bytes as the reader meets them on disk. A read either
// fails with platform::ReadError or gives at most 1,000 records; a register
// that was read and can be written again reads back cell for cell, and its
// text goes back to code page 932 as it came.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text_file.h"
#include "register/register_file.h"

namespace {

using namespace fenmark;

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz_register_reader: %s\n", what);
    std::abort();
}

// The field reader on any text must move forward with every field and stop.
void readFields(std::string_view text) {
    reg::FieldReader reader(text);
    std::size_t fields = 0;
    try {
        while (!reader.atEnd()) {
            (void)reader.next();
            check(++fields <= text.size(), "the field reader did not move forward");
        }
    } catch (const platform::ReadError&) {
        // An open quote or a text that ends inside a field.
    }
}

bool anyCellHasQuote(const reg::LoadedRegister& loaded) {
    for (int row = 1; row <= loaded.recordCount; ++row) {
        for (const std::string& cell : loaded.assetRegister.row(row)) {
            if (cell.find('"') != std::string::npos) return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readFields(bytes);

    std::string text;
    try {
        text = platform::cp932ToUtf8(bytes);
    } catch (const platform::ReadError&) {
        return 0;
    }
    reg::LoadedRegister loaded;
    try {
        loaded = reg::parseRegister(text);
    } catch (const platform::ReadError&) {
        return 0;
    }
    check(loaded.recordCount >= 0 && loaded.recordCount <= reg::kMaxRecords,
          "record count outside 0..1000");

    std::string written;
    try {
        written = reg::formatRegister(loaded.assetRegister, loaded.recordCount);
    } catch (const platform::WriteError&) {
        check(anyCellHasQuote(loaded), "a register without double quotes was refused");
        return 0;
    }
    check(!anyCellHasQuote(loaded), "a cell with a double quote was written");
    const reg::LoadedRegister again = reg::parseRegister(written);
    check(again.recordCount == loaded.recordCount, "the record count changed on a round trip");
    check(again.assetRegister == loaded.assetRegister, "a cell changed on a round trip");

    // Whatever was read from code page 932 can be saved in it again.
    std::string encoded;
    try {
        encoded = platform::utf8ToCp932(written);
    } catch (const platform::WriteError&) {
        check(false, "a register read from code page 932 cannot be written in it");
    }
    check(platform::cp932ToUtf8(encoded) == written, "code page 932 changed a character");
    return 0;
}
