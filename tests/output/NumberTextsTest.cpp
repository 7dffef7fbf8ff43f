// SPDX-License-Identifier: GPL-3.0-or-later
// The writers' fields, written in place, must equal their texts and
// RFormat's alignment, cut on the left; the quick float texts the core's
// general texts.
#include "OutputTestSupport.h"

#include "output/NumberTexts.h"
#include "output/OutputFile.h"
#include "processing/FieldHelpers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace tolvanor::testing {
namespace {

// Written in place or through their texts, the fields come out the same and
// as RFormat aligns them; enough of them to cross the file's buffer many
// times, at every offset, with values of the short and the general road.
TEST(NumberTexts, FieldsWrittenInPlaceAreTheirTexts) {
    TempFolder folder;
    NumberTexts texts;
    OutputFile inPlace;
    OutputFile throughTexts;
    ASSERT_TRUE(inPlace.Open(folder.File("in-place.txt"), OutputFile::OpenMode::Replace));
    ASSERT_TRUE(throughTexts.Open(folder.File("texts.txt"), OutputFile::OpenMode::Replace));
    std::string aligned;
    std::vector<float> values{0.0f,
                              -0.0f,
                              12.5f,
                              -3.25f,
                              123.456f,
                              1234567.0f,
                              -0.5f,
                              0.05f,
                              1e-9f,
                              3e38f,
                              std::numeric_limits<float>::quiet_NaN(),
                              -std::numeric_limits<float>::infinity()};
    std::mt19937 random(77);
    for (int i = 0; i < 60000; ++i) {
        values.push_back(i % 3 ? std::uniform_real_distribution<float>(-3000.0f, 3000.0f)(random)
                               : std::bit_cast<float>(static_cast<std::uint32_t>(random())));
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const float value = values[i];
        const int width = static_cast<int>(i % 19);
        const int decimals = static_cast<int>(i % 4) + 1; // RFormat's 0 is the general text
        const std::int64_t whole = static_cast<std::int64_t>(random()) * (i % 2 ? -1 : 1) << (i % 31);
        const double wide = static_cast<double>(value) * 1024.0 + 0.25;
        texts.WriteGeneralRightAligned(inPlace, value, width);
        texts.WriteMaskRightAligned(inPlace, value, decimals, width);
        EXPECT_EQ(texts.WriteGeneral(inPlace, value), texts.General(value).Text.size());
        EXPECT_EQ(texts.WriteMask(inPlace, wide, decimals), texts.Mask(wide, decimals).Text.size());
        texts.WriteMask(inPlace, value, decimals);
        inPlace.WriteInteger(whole);

        WriteRightAligned(throughTexts, texts.General(value), width);
        WriteRightAligned(throughTexts, texts.Mask(value, decimals), width);
        throughTexts.Write(texts.General(value));
        throughTexts.Write(texts.Mask(wide, decimals));
        throughTexts.Write(texts.Mask(value, decimals));
        throughTexts.Write(texts.Integer(whole));
        if (i < 500) aligned += RFormat(value, width) + RFormat(value, width, decimals);
    }
    ASSERT_TRUE(inPlace.Close());
    ASSERT_TRUE(throughTexts.Close());
    const std::string written = ReadBytes(folder.File("in-place.txt"));
    ASSERT_GT(written.size(), 3 * OutputFile::BufferSize);
    EXPECT_TRUE(written == ReadBytes(folder.File("texts.txt")));

    OutputFile fields;
    ASSERT_TRUE(fields.Open(folder.File("fields.txt"), OutputFile::OpenMode::Replace));
    for (std::size_t i = 0; i < 500; ++i) {
        texts.WriteGeneralRightAligned(fields, values[i], static_cast<int>(i % 19));
        texts.WriteMaskRightAligned(fields, values[i], static_cast<int>(i % 4) + 1, static_cast<int>(i % 19));
    }
    ASSERT_TRUE(fields.Close());
    EXPECT_EQ(ReadBytes(folder.File("fields.txt")), aligned);
}

// Every float the quick route takes must give the core's text, and every
// float the core writes in plain decimal must be taken: random bit patterns
// over the whole range, and the places where digits and exponents turn over.
TEST(NumberTexts, QuickGeneralTextsAreTheCoresTexts) {
    // clang-format off
    std::vector<float> values{0.0f, -0.0f, 1.0f, 0.5f, 9999999.0f, 9999999.5f, 10000000.0f, 0.0001f, 0.00009999999f,
                              0.000099999994f, 0.00009999f, 1e-5f, 123456.75f, 0.1f, 0.3f, 2.5f, 0.125f, 1048576.5f,
                              std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::max()};
    // clang-format on
    for (int power = -6; power <= 8; ++power) {
        const auto at = static_cast<float>(std::pow(10.0, power));
        for (const float near : {at, std::nextafter(at, 0.0f), std::nextafter(at, 1e30f)}) {
            values.push_back(near);
            // Just below each power, seven nines, which round up to it.
            values.push_back(static_cast<float>(near * 0.99999996));
        }
    }
    std::mt19937 random(2024);
    for (int i = 0; i < 400000; ++i) values.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
    // Everyday survey values: distances and elevations to a few decimals, and exact halves.
    std::uniform_real_distribution<float> everyday(-2000.0f, 2000.0f);
    for (int i = 0; i < 200000; ++i) values.push_back(everyday(random));
    for (int i = 0; i < 20000; ++i) values.push_back(static_cast<float>(i) / 8.0f);

    std::array<char, ShortNumberTextSize> quick{};
    std::array<char, ShortNumberTextSize> core{};
    std::string general;
    int taken = 0;
    for (const float v : values) {
        const auto text = QuickGeneralText(quick, v);
        const auto expected = ShortGeneralText(core, v);
        general.clear();
        AppendGeneralText(general, v);
        if (text) {
            ++taken;
            ASSERT_EQ(*text, general) << std::hexfloat << v;
            ASSERT_TRUE(!expected || *text == *expected) << *text << " " << std::hexfloat << v;
        } else {
            ASSERT_TRUE(general.find('E') != std::string::npos || !std::isfinite(v))
                << "plain decimal not taken: " << general << " " << std::hexfloat << v;
        }
    }
    EXPECT_GT(taken, 200000);
    // The writers' texts take the quick route.
    NumberTexts texts;
    EXPECT_EQ(texts.General(-0.00012345678f), "-0.0001234568");
    EXPECT_EQ(texts.General(12345678.0f), "1.234568E+07");
}

} // namespace
} // namespace tolvanor::testing
