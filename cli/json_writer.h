#pragma once
// JSON written straight into a string, compact as the export prints it
// ({"a":1,"b":[true,null]}), without building a document first: a statement
// of a full register is tens of thousands of values.
//
//   std::string out;
//   JsonWriter json(out);
//   json.beginObject().key("year").integer(2026).key("heading").string("令和 8年分");
//   json.endObject();   // out == R"({"year":2026,"heading":"令和 8年分"})"
//
// The writer puts the commas; the caller pairs every begin with its end and
// gives every value of an object a key first.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fenmark::cli {

class JsonWriter {
  public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);

    // A string: quotes, backslashes and control characters escaped, and any
    // byte that is not part of well-formed UTF-8 replaced by U+FFFD.
    JsonWriter& string(std::string_view text);
    JsonWriter& integer(std::int64_t value);
    // Nothing written as null.
    JsonWriter& integerOrNull(const std::optional<std::int64_t>& value);
    JsonWriter& boolean(bool value);
    JsonWriter& null();
    // A number as decimal text already in JSON's form ("100", "0.5"); see
    // jsonNumber().
    JsonWriter& number(std::string_view decimal);
    // The same, null for nothing.
    JsonWriter& numberOrNull(const std::optional<std::string>& decimal);
    // A string, null for nothing.
    JsonWriter& stringOrNull(const std::optional<std::string>& text);

  private:
    // The comma before a value that is not the first of its array or object.
    void separate();

    std::string& out_;
    // Per open array or object: whether a value has been written in it.
    std::vector<bool> filled_;
    bool afterKey_ = false;
};

// A number the register holds as text, in JSON's form: blanks around it
// dropped, leading zeros of the whole part dropped ("05" is 5); nothing for
// a text that is not [-]digits[.digits].
//   jsonNumber("100") == "100", jsonNumber(" 0.5") == "0.5", jsonNumber("abc") == nullopt
[[nodiscard]] std::optional<std::string> jsonNumber(std::string_view text);

// A rate or ratio kept exactly as the register writes it, as a string: the
// blanks around it dropped ("0.333 " is "0.333", "0.250" stays "0.250");
// nothing for a text that is not [-]digits[.digits].
[[nodiscard]] std::optional<std::string> exactDecimal(std::string_view text);

}  // namespace fenmark::cli
