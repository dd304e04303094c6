#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "camera/wifi/LineSearch.h"

using namespace lumetra;

namespace {
using Found = std::optional<std::string>;
Found str(std::optional<std::string_view> v) { return v ? Found(std::string(*v)) : std::nullopt; }
}  // namespace

TEST(LineSearch, QuotedAndAssignedValuesOfTheFirstMatchingLine) {
    const std::string page =
        "x\r\nvar a=\"1\" and \"2\";\r\nvar a=\"3\";\r\nvar b=4;5;\r\nvar c=\"\r\nvar d;=\r\n";
    const struct {
        const char* prefix;
        Found quoted, assigned;
    } rows[] = {
        {"var a=", "1\" and \"2", "\"1\" and \"2\""},  // first and last quote; first line only
        {"var b=", std::nullopt, "4;5"},               // no quote; up to the last ";"
        {"var c=", std::nullopt, std::nullopt},        // one quote, no ";"
        {"var d", std::nullopt, std::nullopt},         // ";" before "="
        {"var e=", std::nullopt, std::nullopt},        // no such line
    };
    for (const auto& r : rows) {
        EXPECT_EQ(str(readSubstring(page, r.prefix)), r.quoted) << r.prefix;
        EXPECT_EQ(str(findString(page, r.prefix)), r.assigned) << r.prefix;
    }
    EXPECT_EQ(str(readSubstring("a\nvar a=\"1\"", "var a=")), std::nullopt)
        << "LF alone is no line end";
}

TEST(LineSearch, NumbersAndTextChecks) {
    const std::pair<const char*, int64_t> numbers[] = {
        {"  -12x", -12}, {"+7", 7},      {"", 0},
        {"abc", 0},      {"12\r\n", 12}, {"99999999999999999999", 0}};
    for (const auto& [text, value] : numbers) EXPECT_EQ(readNumber(text), value) << text;
    EXPECT_EQ(readInt32("5000000000"), INT32_MAX);
    EXPECT_EQ(readFrameSide("70000"), std::nullopt);
    EXPECT_EQ(readFrameSide("0"), std::nullopt);
}
