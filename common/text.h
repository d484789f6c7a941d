#pragma once
// Character-wise slicing of UTF-8 text. "The first five characters" of a
// register cell means characters, not bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace fenmark::common {

// Number of characters (code points) of well-formed UTF-8 text.
[[nodiscard]] std::size_t charCount(std::string_view text);

// The first `n` characters (all of them when there are fewer).
[[nodiscard]] std::string leftChars(std::string_view text, std::size_t n);

// The last `n` characters (all of them when there are fewer).
[[nodiscard]] std::string rightChars(std::string_view text, std::size_t n);

// `n` characters starting at the 1-based character `start`; past the end
// gives what is there.
[[nodiscard]] std::string midChars(std::string_view text, std::size_t start, std::size_t n);

}  // namespace fenmark::common
