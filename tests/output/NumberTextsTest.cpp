// SPDX-License-Identifier: GPL-3.0-or-later
// The writers' allocation-free number texts must equal the program's own
// MaskText, GeneralText and RFormat for every value.
#include "OutputTestSupport.h"

#include "core/GeneralText.h"
#include "core/MaskText.h"
#include "output/NumberTexts.h"
#include "output/OutputFile.h"
#include "processing/FieldHelpers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

namespace tolvanor::testing {
namespace {

void ExpectSameTexts(NumberTexts& texts, double value) {
    const auto single = static_cast<float>(value);
    for (int decimals = 0; decimals <= 6; ++decimals) {
        EXPECT_EQ(texts.Mask(value, decimals), MaskText(value, decimals)) << value << " decimals " << decimals;
        EXPECT_EQ(texts.Mask(single, decimals), MaskText(single, decimals)) << single << " decimals " << decimals;
    }
    EXPECT_EQ(texts.General(single), GeneralText(single)) << single;
}

// Halves and nines at the rounding edges, limits, then survey-like decimals,
// exact halves at every position and raw bit patterns.
TEST(NumberTexts, MatchTheSlowTexts) {
    const double limits[] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::denorm_min(), 0.1 + 0.2};
    const double edges[] = {0.0,       0.5,       0.05,      0.25,         0.04,         0.95,         0.9999999,
                            9.95,      9.9999995, 99.95,     2.5,          1e-4,         9.99999e-5,   1e-5,
                            1.0000005, 1234567.5, 1234568.5, 9999999.4,    9999999.5,    1e7,          12345678.0,
                            123456.75, 8388608.5, 0.00098,   402511.37505, 161850.00005, 999999.99995, 1e15,
                            1e16,      1e300,     1e-300,    limits[0],    limits[1],    limits[2],    limits[3]};
    NumberTexts texts;
    for (const double value : edges) {
        ExpectSameTexts(texts, value);
        ExpectSameTexts(texts, -value);
    }
    std::mt19937_64 random(20240515);
    std::uniform_int_distribution<std::int64_t> mantissa(-99999999999, 99999999999);
    std::uniform_int_distribution<int> exponent(-12, 10);
    for (int i = 0; i < 5000 && !HasFailure(); ++i) {
        ExpectSameTexts(texts, static_cast<double>(mantissa(random)) * std::pow(10.0, exponent(random)));
        ExpectSameTexts(texts, (static_cast<double>(mantissa(random) % 1000000) + 0.5) / 1e4);
        ExpectSameTexts(texts, std::bit_cast<double>(random()));
        ExpectSameTexts(texts, static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(random()))));
    }
}

TEST(NumberTexts, RightAlignedFieldsMatchRFormat) {
    TempFolder folder;
    NumberTexts texts;
    OutputFile file;
    ASSERT_TRUE(file.Open(folder.File("fields.txt"), OutputFile::OpenMode::Replace));
    std::string expected;
    for (const float value : {0.0f, 12.5f, -3.25f, 123.456f, 1234567.0f, -0.5f}) {
        for (const int width : {1, 5, 6, 14}) {
            WriteRightAligned(file, texts.General(value), width);
            WriteRightAligned(file, texts.Mask(value, 1), width);
            expected += RFormat(value, width) + RFormat(value, width, 1);
        }
    }
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(folder.File("fields.txt")), expected);
}

} // namespace
} // namespace tolvanor::testing
