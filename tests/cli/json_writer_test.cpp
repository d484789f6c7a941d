// The export's JSON writer: commas and nesting, string escapes, malformed
// UTF-8, and register numbers in JSON's form.

#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace fenmark::cli {
namespace {

TEST(JsonWriter, PutsCommasBetweenValuesAtEveryDepth) {
    std::string out;
    JsonWriter json(out);
    json.beginObject();
    json.key("a").beginArray().integer(1).null().boolean(true);
    json.beginObject().key("b").string("x").endObject();
    json.beginArray().endArray().endArray();
    json.key("c").beginObject().endObject();
    json.key("d").integerOrNull(std::nullopt).key("e").integerOrNull(-5);
    json.key("f").numberOrNull(std::string("0.5")).key("g").stringOrNull(std::nullopt);
    json.endObject();
    EXPECT_EQ(out, R"({"a":[1,null,true,{"b":"x"},[]],"c":{},"d":null,"e":-5,"f":0.5,"g":null})");
    EXPECT_TRUE(nlohmann::json::accept(out));
}

TEST(JsonWriter, WritesTheWholeRangeOfIntegers) {
    std::string out;
    JsonWriter json(out);
    json.beginArray();
    json.integer(std::numeric_limits<std::int64_t>::min());
    json.integer(std::numeric_limits<std::int64_t>::max()).integer(0).endArray();
    EXPECT_EQ(out, "[-9223372036854775808,9223372036854775807,0]");
}

TEST(JsonWriter, EscapesWhatJsonStringsCannotHold) {
    const std::pair<std::string, std::string> cases[] = {
        {"店舗兼住宅", R"("店舗兼住宅")"},
        {"23\"モニター", R"("23\"モニター")"},
        {"C:\\台帳", R"("C:\\台帳")"},
        {"棚\tA\nB\rC\bD\fE", R"("棚\tA\nB\rC\bD\fE")"},
        {std::string("a\x01"
                     "b\x1f",
                     4),
         R"("a\u0001b\u001f")"},
        {std::string("\0", 1), R"("\u0000")"},
        {"/ and \x7f stay", "\"/ and \x7f stay\""},
        {"\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},  // four bytes
    };
    for (const auto& [text, expected] : cases) {
        std::string out;
        JsonWriter(out).string(text);
        EXPECT_EQ(out, expected);
        EXPECT_EQ(nlohmann::json::parse(out).get<std::string>(), text);
    }
}

TEST(JsonWriter, ReplacesBytesThatAreNoUtf8) {
    const std::string bad = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"a\xFF"
         "b",
         "a" + bad + "b"},
        {"\x80", bad},            // continuation alone
        {"\xC0\xAF", bad + bad},  // overlong
        {"\xE3\x81", bad + bad},  // cut short at the end
        {"\xE3\x81"
         "a",
         bad + bad + "a"},                            // cut short before ASCII
        {"\xED\xA0\x80", bad + bad + bad},            // surrogate
        {"\xF4\x90\x80\x80", bad + bad + bad + bad},  // beyond U+10FFFF
        {"\xE3\x81\x82\xFE", "\xE3\x81\x82" + bad},   // valid, then not
    };
    for (const auto& [text, expected] : cases) {
        std::string out;
        JsonWriter(out).string(text);
        EXPECT_EQ(out, "\"" + expected + "\"");
        EXPECT_TRUE(nlohmann::json::accept(out)) << out;
    }
}

TEST(JsonNumbers, RegisterTextsBecomeJsonNumbersOrNothing) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"100", "100"},
        {" 0.5 ", "0.5"},
        {"05", "5"},
        {"00.50", "0.50"},
        {"0", "0"},
        {"-0.25", "-0.25"},
        {"1000000", "1000000"},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"1.", std::nullopt},
        {".5", std::nullopt},
        {"1,000", std::nullopt},
        {"１", std::nullopt},
        {"1e3", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(jsonNumber(text), number) << text;
        if (number) {
            EXPECT_TRUE(nlohmann::json::parse(*number).is_number()) << text;
        }
    }
}

TEST(JsonNumbers, RatesKeepTheDigitsTheRegisterHolds) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"0.250", "0.250"},     {"0.333 ", "0.333"}, {"1.000", "1.000"},
        {"0.04448", "0.04448"}, {"", std::nullopt},  {"abc", std::nullopt},
    };
    for (const auto& [text, decimal] : cases) EXPECT_EQ(exactDecimal(text), decimal) << text;
}

}  // namespace
}  // namespace fenmark::cli
