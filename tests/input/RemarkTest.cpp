// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/Remark.h"
#include "input/ElevationProcessing.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace tolvanor {
namespace {

TEST(Remark, ProfileNumberIsTheTextAfterProUpToTheFirstSpace) {
    EXPECT_EQ(ProfileNumberFromRemark("PRO12 B", true), "012");
    EXPECT_EQ(ProfileNumberFromRemark("PRO12 B", false), "12");
    EXPECT_EQ(ProfileNumberFromRemark("pro7a L BD", true), "07A");
    EXPECT_EQ(ProfileNumberFromRemark("PRO12+50", true), "012+50");
    // Nothing after "PRO" has no number; a space after it gives an empty one.
    EXPECT_EQ(ProfileNumberFromRemark("PRO", true), "No Number");
    EXPECT_EQ(ProfileNumberFromRemark("PRO", false), "No Number");
    EXPECT_EQ(ProfileNumberFromRemark("PRO 12 B", true), "000");
    EXPECT_EQ(ProfileNumberFromRemark("PRO 12 B", false), "");
}

TEST(Remark, ShotTypeIsAnUpperCaseLetterInSecondPlace) {
    EXPECT_EQ(ShotTypeFromRemark("PRO12 B"), "B");
    EXPECT_EQ(ShotTypeFromRemark("PRO5 L BD"), "L");
    EXPECT_EQ(ShotTypeFromRemark("PRO1 W"), "W");
    EXPECT_EQ(ShotTypeFromRemark("PRO1 A"), "A");
    EXPECT_EQ(ShotTypeFromRemark("PRO1 S x"), "S");
    EXPECT_EQ(ShotTypeFromRemark("PRO12 b"), "");
    EXPECT_EQ(ShotTypeFromRemark("PRO12  B"), ""); // two spaces: the second piece is empty
    EXPECT_EQ(ShotTypeFromRemark("PRO 12 B"), ""); // the second piece is "12"
    EXPECT_EQ(ShotTypeFromRemark("PRO12 BD"), "");
    EXPECT_EQ(ShotTypeFromRemark("PRO12"), "");
    EXPECT_EQ(ShotTypeFromRemark("PRO12 X"), "");
}

TEST(Remark, ProfileTestAndSurveyTypeLookAtFixedPlaces) {
    EXPECT_TRUE(IsProfileRemark("pRo"));
    EXPECT_FALSE(IsProfileRemark("PR"));
    EXPECT_FALSE(IsProfileRemark(" PRO1"));
    EXPECT_EQ(SurveyTypeFromProfileNumber("005BD"), "BD");
    EXPECT_EQ(SurveyTypeFromProfileNumber("12CS"), "CS");
    EXPECT_EQ(SurveyTypeFromProfileNumber("12bd"), "");
    EXPECT_EQ(SurveyTypeFromProfileNumber("D"), "");
}

struct ElevCase {
    int Processing;
    const char* Amount;
    float Value;
    float Expected;
};

class ElevProcessingTable : public ::testing::TestWithParam<ElevCase> {};

TEST_P(ElevProcessingTable, AppliesAbsoluteAndPercentAmounts) {
    const auto& c = GetParam();
    float value = c.Value;
    ASSERT_TRUE(ApplyElevProcessing(c.Processing, ParseElevChange(c.Amount), value));
    EXPECT_FLOAT_EQ(value, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(AllOperations, ElevProcessingTable,
                         ::testing::Values(ElevCase{0, "5", 2.0f, 2.0f}, ElevCase{1, "2.5", 2.0f, 4.5f},
                                           ElevCase{1, "10%", 2.0f, 2.2f}, ElevCase{2, "0.5", 2.0f, 1.5f},
                                           ElevCase{2, "50%", 2.0f, 1.0f}, ElevCase{3, "7", 2.0f, -2.0f},
                                           ElevCase{3, "7%", 2.0f, -2.0f}, ElevCase{4, "10", 2.0f, 8.0f},
                                           ElevCase{4, "10%", 2.0f, -1.8f}, ElevCase{5, "1", 2.0f, -3.0f},
                                           ElevCase{5, "10%", 2.0f, -2.2f}, ElevCase{1, "", 2.0f, 2.0f},
                                           ElevCase{1, "2.5%x", 2.0f, 4.5f}, ElevCase{9, "5", 2.0f, 2.0f}));

TEST(ElevProcessing, AResultBeyondSinglePrecisionIsRefused) {
    float value = FLT_MAX;
    EXPECT_FALSE(ApplyElevProcessing(1, ParseElevChange("1e38"), value));
    EXPECT_EQ(value, FLT_MAX);
    value = 1.0f;
    EXPECT_FALSE(ApplyElevProcessing(1, ParseElevChange("1e300%"), value));
    EXPECT_TRUE(ApplyElevProcessing(3, ParseElevChange("1e300"), value));
}

} // namespace
} // namespace tolvanor
