// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/LineReader.h"
#include "input/FieldSplitter.h"

#include "core/Text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tolvanor {
namespace {

std::vector<std::string> Lines(std::string_view bytes, std::size_t blockSize) {
    MemorySource source(bytes);
    LineReader reader(source, blockSize);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(reader.BytesRead(), static_cast<std::int64_t>(bytes.size()));
    return lines;
}

using Texts = std::vector<std::string>;

TEST(LineReader, EndsLinesAtLfAndDropsOneCr) {
    EXPECT_EQ(Lines("a\r\nb\nc", 64), (Texts{"a", "b", "c"}));
    EXPECT_EQ(Lines("a\r\n\r\n", 64), (Texts{"a", ""}));
    EXPECT_EQ(Lines("last\r", 64), (Texts{"last"}));
    EXPECT_EQ(Lines("two\r\r\n", 64), (Texts{"two\r"}));
    EXPECT_EQ(Lines("in\rside\n", 64), (Texts{"in\rside"}));
    EXPECT_EQ(Lines("", 64), Texts{});
    EXPECT_EQ(Lines("\n", 64), (Texts{""}));
}

TEST(LineReader, BlockBoundariesNeverChangeTheLines) {
    std::mt19937 random(7);
    std::string bytes;
    for (int i = 0; i < 2000; ++i) {
        const int pick = static_cast<int>(random() % 10);
        bytes += pick == 0 ? '\n' : pick == 1 ? '\r' : static_cast<char>('a' + pick);
        if (random() % 97 == 0) bytes += std::string(300, 'x'); // longer than the small blocks
    }
    const auto expected = Lines(bytes, 1 << 20);
    for (std::size_t block : {1u, 2u, 3u, 7u, 64u, 1000u}) EXPECT_EQ(Lines(bytes, block), expected) << block;
}

TEST(LineReader, AMissingFileFailsToOpen) {
    FileSource source("/nonexistent/folder/file.csv");
    EXPECT_FALSE(source.IsOpen());
    LineReader reader(source);
    std::string_view line;
    EXPECT_FALSE(reader.Next(line));
    EXPECT_TRUE(reader.Failed());
}

TEST(FieldSplitter, SplitsLikeThePlainSplitAndCountsFieldsPastItsLimit) {
    std::mt19937 random(3);
    for (int i = 0; i < 20000; ++i) {
        std::string line(random() % 40, 'a');
        for (char& c : line) c = random() % 3 == 0 ? ',' : static_cast<char>('a' + random() % 26);
        const auto expected = SplitFields(line, ',');
        const FieldSplitter<9> fields(line);
        ASSERT_EQ(fields.Count(), std::min<std::size_t>(expected.size(), 10)) << line;
        for (std::size_t f = 0; f < std::min<std::size_t>(expected.size(), 9); ++f) {
            ASSERT_EQ(fields[f], expected[f]) << line;
        }
        EXPECT_EQ(fields.Has(9), false);
    }
}

} // namespace
} // namespace tolvanor
