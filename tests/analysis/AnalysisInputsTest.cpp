// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window's boxes turned into options, and what it says when they cannot be.
#include "analysis/AnalysisInputs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tolvanor {
namespace {

struct InputCase {
    const char* Name;
    AnalysisInputs Inputs;
    const char* Message; // empty: accepted
};

class AnalysisInputsParse : public ::testing::TestWithParam<InputCase> {};

TEST_P(AnalysisInputsParse, AcceptsNumbersAsTheJobWritesThem) {
    const auto& c = GetParam();
    const auto parsed = ParseAnalysisInputs(c.Inputs);
    EXPECT_EQ(parsed.Ok, std::string(c.Message).empty());
    EXPECT_EQ(parsed.Message, c.Message);
}

INSTANTIATE_TEST_SUITE_P(Boxes, AnalysisInputsParse,
                         ::testing::Values(InputCase{"AllGiven", {" 1.5 ", "-10", "400", "2.5, 0,,-4"}, ""},
                                           InputCase{"OnlyTheDatum", {"0", "", "  ", ""}, ""},
                                           InputCase{"DatumMissing", {"", "", "", ""}, DatumMessage},
                                           InputCase{"DecimalComma", {"1,5", "", "", ""}, DatumMessage},
                                           InputCase{"LimitNotANumber", {"0", "ten", "", ""}, LimitsMessage},
                                           InputCase{"ContourNotANumber", {"0", "", "", "1;2"}, ContoursMessage}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(AnalysisInputs, EmptyLimitsStayOpenAndContoursKeepTheirOrder) {
    const auto parsed = ParseAnalysisInputs({"0.5", "", "250", "3, ,-1,0"});
    ASSERT_TRUE(parsed.Ok);
    EXPECT_EQ(parsed.Options.Datum, 0.5);
    EXPECT_TRUE(std::isinf(parsed.Options.From));
    EXPECT_EQ(parsed.Options.To, 250);
    EXPECT_EQ(parsed.Options.Contours, (std::vector<double>{3, -1, 0}));
}

} // namespace
} // namespace tolvanor
