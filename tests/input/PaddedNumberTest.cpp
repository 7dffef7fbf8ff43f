// SPDX-License-Identifier: GPL-3.0-or-later
// The padded conversions read numbers eight digits at a time and look past
// the text's end: they must give exactly what the plain conversions give,
// whatever follows the text in memory.
#include "core/NumberParsing.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>

namespace tolvanor {
namespace {

// The padded conversions of `padded` against the plain ones of `text`.
void ExpectSameConversions(std::string_view text, std::string_view padded, std::string_view after) {
    double plainDouble = -1;
    double paddedDouble = -1;
    EXPECT_EQ(PaddedStrictToDouble(padded, paddedDouble), StrictToDouble(text, plainDouble)) << text << "|" << after;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(paddedDouble), std::bit_cast<std::uint64_t>(plainDouble))
        << text << "|" << after;
    float plainFloat = -1;
    float paddedFloat = -1;
    EXPECT_EQ(PaddedStrictToFloat(padded, paddedFloat), StrictToFloat(text, plainFloat)) << text << "|" << after;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(paddedFloat), std::bit_cast<std::uint32_t>(plainFloat))
        << text << "|" << after;
}

// `text` in a buffer of its own, followed by `after` and then padding.
void ExpectSameConversions(std::string_view text, std::string_view after) {
    const std::string bytes = std::string(text) + std::string(after) + std::string(NumberPadding, '7');
    ExpectSameConversions(text, std::string_view(bytes.data(), text.size()), after);
}

// An empty field can be a view with no bytes behind it: nothing may be read
// through it (the fuzzer found a crash there).
TEST(PaddedNumbers, AnEmptyViewWithoutBytesIsRefusedAsThePlainConversionRefusesIt) {
    ExpectSameConversions(std::string_view{}, std::string_view{}, "");
}

// The edges of eight digits at a time, halves, signs of zero and the limits
// of both widths; well- and ill-formed texts at large are the random test's.
TEST(PaddedNumbers, EdgesOfTheEightDigitRoadGiveThePlainResults) {
    // clang-format off
    const char* texts[] = {"0", "-0", "+0", "1234567", "12345678", "99999999", "1234567.5", "1.1234567",
                           "1.12345678", ".1234567", ".12345678", "+5.", " 12345678", "\t2.5", "1.5E-3",
                           "16777217", "1677721.7", "0000000.01", "0.0000001", "1234567.1234567",
                           "-9999999.9999999", "0x10", "1e400", "3.4028236e38", "1e-50"};
    // clang-format on
    // What may follow a field in a line: a comma, a line end, digits of the next line, nothing.
    for (const char* text : texts) {
        for (const char* after : {"", ",", "\r\n", "\n12", "99999999", ".5", "e5", " "})
            ExpectSameConversions(text, after);
    }
}

TEST(PaddedNumbers, RandomTextsGiveThePlainResults) {
    std::mt19937 random(2026);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const std::string alphabet = "0123456789012345678901234567890123456789.-+eE ,x";
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        if (pick(2) == 0) {
            // Mostly well formed: sign, digits, point, digits.
            text += pick(3) == 0 ? "-" : "";
            for (int d = pick(10); d > 0; --d) text += static_cast<char>('0' + pick(10));
            if (pick(4) != 0) text += ".";
            for (int d = pick(10); d > 0; --d) text += static_cast<char>('0' + pick(10));
        } else {
            for (int c = pick(14); c > 0; --c) text += alphabet[static_cast<std::size_t>(pick(48))];
        }
        std::string after;
        for (int c = pick(10); c > 0; --c) after += alphabet[static_cast<std::size_t>(pick(48))];
        ExpectSameConversions(text, after);
        if (HasFailure()) return;
    }
}

} // namespace
} // namespace tolvanor
