// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window's boxes turned into options, and what it says when they cannot be.
#include "analysis/AnalysisInputs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tolvanor {
namespace {

TEST(AnalysisInputs, AcceptsNumbersAsTheJobWritesThemAndNamesTheFirstBadBox) {
    const std::pair<AnalysisInputs, std::string_view> cases[] = {
        // clang-format off
        {{" 1.5 ", "-10", "400", "2.5, 0,,-4"}, ""}, {{"0", "", "  ", ""}, ""}, {{"", "", "", ""}, DatumMessage},
        {{"1,5", "", "", ""}, DatumMessage}, {{"0", "ten", "", ""}, LimitsMessage}, {{"0", "", "", "1;2"}, ContoursMessage},
        // clang-format on
    };
    for (const auto& [inputs, message] : cases) {
        const auto parsed = ParseAnalysisInputs(inputs);
        EXPECT_EQ(parsed.Ok, message.empty()) << message;
        EXPECT_EQ(parsed.Message, message);
    }
    const auto parsed = ParseAnalysisInputs({"0.5", "", "250", "3, ,-1,0"});
    ASSERT_TRUE(parsed.Ok);
    EXPECT_EQ(parsed.Options.Datum, 0.5);
    EXPECT_TRUE(std::isinf(parsed.Options.From)) << "an empty limit stays open";
    EXPECT_EQ(parsed.Options.To, 250);
    EXPECT_EQ(parsed.Options.Contours, (std::vector<double>{3, -1, 0})) << "in the order typed";
}

} // namespace
} // namespace tolvanor
