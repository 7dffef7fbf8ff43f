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
    for (int decimals = 0; decimals <= 6; ++decimals) {
        EXPECT_EQ(texts.Mask(value, decimals), MaskText(value, decimals)) << value << " decimals " << decimals;
        const auto single = static_cast<float>(value);
        EXPECT_EQ(texts.Mask(single, decimals), MaskText(single, decimals)) << single << " decimals " << decimals;
    }
    const auto single = static_cast<float>(value);
    EXPECT_EQ(texts.General(single), GeneralText(single)) << single;
}

TEST(NumberTexts, EdgeValues) {
    NumberTexts texts;
    const double edges[] = {0.0,
                            -0.0,
                            0.5,
                            -0.5,
                            0.05,
                            0.25,
                            -0.25,
                            0.04,
                            -0.04,
                            0.95,
                            0.9999999,
                            1.0,
                            9.95,
                            9.9999995,
                            99.95,
                            2.5,
                            1e-4,
                            9.99999e-5,
                            1e-5,
                            1.0000005,
                            1234567.5,
                            1234568.5,
                            9999999.4,
                            9999999.5,
                            1e7,
                            12345678.0,
                            402511.37505,
                            161850.00005,
                            999999.99995,
                            1e15,
                            1e16,
                            1e300,
                            -1e-300,
                            std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::denorm_min(),
                            0.1 + 0.2,
                            123456.75,
                            8388608.5,
                            0.00098};
    for (const double value : edges) {
        ExpectSameTexts(texts, value);
        ExpectSameTexts(texts, -value);
    }
    EXPECT_EQ(texts.Mask(-0.04f, 1), ".0");
    EXPECT_EQ(texts.Mask(0.5, 4), ".5000");
    EXPECT_EQ(texts.General(0.5f), "0.5");
    EXPECT_EQ(texts.General(12345678.0f), "1.234568E+07");
    EXPECT_EQ(texts.Integer(-17), "-17");
}

// Survey-like decimals, exact halves at every position and raw bit patterns.
TEST(NumberTexts, RandomValuesMatchTheSlowTexts) {
    NumberTexts texts;
    std::mt19937_64 random(20240515);
    std::uniform_int_distribution<std::int64_t> mantissa(-99999999999, 99999999999);
    std::uniform_int_distribution<int> exponent(-12, 10);
    for (int i = 0; i < 20000; ++i) {
        const double decimal = static_cast<double>(mantissa(random)) * std::pow(10.0, exponent(random));
        ExpectSameTexts(texts, decimal);
        ExpectSameTexts(texts, (static_cast<double>(mantissa(random) % 1000000) + 0.5) / 1e4);
        ExpectSameTexts(texts, std::bit_cast<double>(random()));
        const auto bits = static_cast<std::uint32_t>(random());
        ExpectSameTexts(texts, static_cast<double>(std::bit_cast<float>(bits)));
        if (HasFailure()) return;
    }
}

TEST(NumberTexts, RightAlignedFieldsMatchRFormat) {
    TempFolder folder;
    const std::string path = folder.File("fields.txt");
    NumberTexts texts;
    OutputFile file;
    ASSERT_TRUE(file.Open(path, OutputFile::OpenMode::Replace));
    std::string expected;
    for (const float value : {0.0f, 12.5f, -3.25f, 123.456f, 1234567.0f, -0.5f}) {
        for (const int width : {1, 5, 6, 14}) {
            WriteRightAligned(file, texts.General(value), width);
            expected += RFormat(value, width);
            WriteRightAligned(file, texts.Mask(value, 1), width);
            expected += RFormat(value, width, 1);
        }
    }
    WriteRightAligned(file, "abc", 0);
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST(OutputFile, LargeWritesAndAppending) {
    TempFolder folder;
    const std::string path = folder.File("big.txt");
    const std::string block(OutputFile::BufferSize + 17, 'x');
    OutputFile file;
    ASSERT_TRUE(file.Open(path, OutputFile::OpenMode::Replace));
    file.Write("a");
    file.Write(block);
    file.PutSpaces(OutputFile::BufferSize * 2);
    file.Put('b');
    ASSERT_TRUE(file.Close());
    ASSERT_TRUE(file.Open(path, OutputFile::OpenMode::Append));
    file.EndLine();
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(path), "a" + block + std::string(OutputFile::BufferSize * 2, ' ') + "b\r\n");
}

} // namespace
} // namespace tolvanor::testing
