// SPDX-License-Identifier: GPL-3.0-or-later
// Contours, areas and volumes on profiles small enough to check by hand.
#include "analysis/AnalyseJob.h"
#include "analysis/AnalysisTestSupport.h"
#include "analysis/ProfileTemplates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tolvanor {
namespace {

using testing::Points;
using testing::TestShot;

constexpr double Inf = std::numeric_limits<double>::infinity();

const std::vector<TestShot> Triangle = {{0, 0}, {10, 10}, {20, 0}};
const std::vector<TestShot> Zigzag = {{0, 2}, {2, -2}, {4, 2}, {6, -2}};
const std::vector<TestShot> LevelRun = {{0, 3}, {5, 1}, {10, 1}, {15, 1}, {20, -1}};
const std::vector<TestShot> Step = {{0, 2}, {10, 2}, {10, -2}, {20, -2}};
const std::vector<TestShot> Peak = {{0, 0}, {5, 2}, {10, 0}};

struct ContourCase {
    const char* Name;
    std::vector<TestShot> Shots;
    double Level;
    int Count;
    double First;
    double Last;
};

class Contours : public ::testing::TestWithParam<ContourCase> {};

TEST_P(Contours, FindsEveryPlaceAtTheLevelOnce) {
    const auto& c = GetParam();
    const auto points = Points(c.Shots);
    const auto found = FindContourCrossings(points, c.Level);
    EXPECT_EQ(found.Count, c.Count);
    if (c.Count == 0) return;
    EXPECT_DOUBLE_EQ(found.First, c.First);
    EXPECT_DOUBLE_EQ(found.Last, c.Last);
}

INSTANTIATE_TEST_SUITE_P(
    HandChecked, Contours,
    ::testing::Values(ContourCase{"TriangleMidway", Triangle, 5, 2, 5, 15},
                      ContourCase{"TriangleAtItsBase", Triangle, 0, 2, 0, 20},
                      ContourCase{"TriangleNeverReaches", Triangle, 10.5, 0, 0, 0},
                      ContourCase{"ZigzagThreeTimes", Zigzag, 0, 3, 1, 5},
                      ContourCase{"LevelRunCountsOnceAndBoundsBothEnds", LevelRun, 1, 1, 5, 15},
                      ContourCase{"BelowTheLevelRun", LevelRun, 0, 1, 17.5, 17.5},
                      ContourCase{"TouchingPeakCountsOnce", Peak, 2, 1, 5, 5},
                      ContourCase{"VerticalStepCrossesAtItsDistance", Step, 0, 1, 10, 10},
                      ContourCase{"TopOfTheStepIsARun", Step, 2, 1, 0, 10},
                      ContourCase{"ShotsAtTheLevelApartCountApart", {{0, 1}, {5, 3}, {10, 1}}, 1, 2, 0, 10},
                      ContourCase{"OneShotAtTheLevel", {{7, 1.5}}, 1.5, 1, 7, 7},
                      ContourCase{"OneShotElsewhere", {{7, 1.5}}, 1, 0, 0, 0},
                      ContourCase{"EmptyProfile", {}, 0, 0, 0, 0},
                      // A level typed as 0.3 meets a shot stored as 0.3 exactly.
                      ContourCase{"LevelTakenAsStored", {{0, 0.5}, {4, 0.3}, {8, 0.3}, {12, 0.5}}, 0.3, 1, 4, 8}),
    [](const auto& info) { return std::string(info.param.Name); });

struct AreaCase {
    const char* Name;
    std::vector<TestShot> Shots;
    double Datum;
    double From;
    double To;
    double Area;
};

class AreaAbove : public ::testing::TestWithParam<AreaCase> {};

TEST_P(AreaAbove, IsTheExactIntegralWithinTheLimits) {
    const auto& c = GetParam();
    const auto points = Points(c.Shots);
    EXPECT_NEAR(AreaAboveDatum(points, c.Datum, c.From, c.To), c.Area, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(HandChecked, AreaAbove,
                         ::testing::Values(AreaCase{"Triangle", Triangle, 0, -Inf, Inf, 100},
                                           AreaCase{"TriangleTop", Triangle, 5, -Inf, Inf, 25},
                                           AreaCase{"TriangleAboveItsTop", Triangle, 11, -Inf, Inf, 0},
                                           AreaCase{"ZigzagSplitAtEachCrossing", Zigzag, 0, -Inf, Inf, 3},
                                           AreaCase{"LevelRunAtTheDatum", LevelRun, 1, -Inf, Inf, 5},
                                           AreaCase{"VerticalStepAddsNothing", Step, 0, -Inf, Inf, 20},
                                           AreaCase{"LimitsBeyondBothEnds", Triangle, 0, -100, 100, 100},
                                           AreaCase{"LimitInsideASegment", Triangle, 0, 5, 100, 87.5},
                                           AreaCase{"LimitsReversed", Triangle, 0, 100, 5, 87.5},
                                           AreaCase{"LimitsBesideTheProfile", Triangle, 0, 30, 40, 0},
                                           AreaCase{"LimitsAtOneDistance", Triangle, 0, 10, 10, 0},
                                           AreaCase{"OneShot", {{7, 3}}, 0, -Inf, Inf, 0},
                                           AreaCase{"Empty", {}, 0, -Inf, Inf, 0}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct TemplateCase {
    const char* Name;
    std::vector<TestShot> Survey;
    std::vector<TestShot> Design;
    double Above;
    double Below;
};

class TemplateDifference : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(TemplateDifference, CountsOnlyWhereBothCover) {
    const auto& c = GetParam();
    const auto survey = Points(c.Survey);
    const auto design = Points(c.Design);
    const auto areas = AreasBetween(survey, design, -Inf, Inf);
    EXPECT_NEAR(areas.Above, c.Above, 1e-12);
    EXPECT_NEAR(areas.Below, c.Below, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    HandChecked, TemplateDifference,
    ::testing::Values(TemplateCase{"TemplateStartsInside", {{0, 1}, {20, 1}}, {{10, 0}, {30, 0}}, 10, 0},
                      TemplateCase{"TemplateEndsInside", {{0, 1}, {20, 1}}, {{-10, 2}, {10, 2}}, 0, 10},
                      TemplateCase{"SurveyInsideTemplate", {{5, 1}, {10, 1}}, {{0, 0}, {100, 0}}, 5, 0},
                      TemplateCase{"TheyCross", {{0, 0}, {10, 10}}, {{0, 10}, {10, 0}}, 25, 25},
                      TemplateCase{
                          "TemplateVertexInsideASegment", {{0, 0}, {10, 0}}, {{0, -1}, {5, 1}, {10, -1}}, 2.5, 2.5},
                      TemplateCase{"StepInTheSurvey", Step, {{0, 0}, {20, 0}}, 20, 20},
                      TemplateCase{"NoOverlap", {{0, 1}, {5, 1}}, {{6, 0}, {9, 0}}, 0, 0},
                      TemplateCase{"OnePointTemplate", {{0, 1}, {5, 1}}, {{2, 0}}, 0, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

// Through the job: ignored shots and lines, the order of the shots, the states.
TEST(AnalyseJob, TakesTheProfileAsTheChartsDrawIt) {
    Job job(10, 20);
    // The ignored shot would put the crossing near 0.8 and shrink the area.
    testing::AddLine(job, "1", {{0, 2}, {5, -10, true}, {10, -2}});
    // Shots out of order, a step at 10 in stored order: sorted stably it keeps its top first.
    testing::AddLine(job, "2", {{20, -2}, {0, 2}, {10, 2}, {10, -2}});
    testing::AddLine(job, "3", {{5, 1}});
    testing::AddLine(job, "4", {});
    testing::AddLine(job, "5", {{0, 1}, {10, 1}}, false);
    testing::AddLine(job, "6", {{0, 1}, {10, 1}});
    job.Data.EditHeader(6).LineIgnored() = true;

    AnalysisOptions options;
    options.Contours = {0};
    const auto result = AnalyseJob(job, options);
    ASSERT_EQ(result.Lines.size(), 6u);
    const auto& one = result.Lines[0];
    EXPECT_EQ(one.State, LineState::Analysed);
    EXPECT_EQ(one.ShotsUsed, 2);
    EXPECT_DOUBLE_EQ(one.AreaAboveDatum, 5);
    EXPECT_DOUBLE_EQ(one.Contours[0].First, 5);
    EXPECT_DOUBLE_EQ(one.MinElevation, -2);
    const auto& two = result.Lines[1];
    EXPECT_DOUBLE_EQ(two.AreaAboveDatum, 20);
    EXPECT_EQ(two.Contours[0].Count, 1);
    EXPECT_DOUBLE_EQ(two.MinDistance, 0);
    EXPECT_DOUBLE_EQ(two.MaxDistance, 20);
    EXPECT_EQ(result.Lines[2].State, LineState::TooFewShots);
    EXPECT_EQ(result.Lines[2].ShotsUsed, 1);
    EXPECT_EQ(result.Lines[3].State, LineState::TooFewShots);
    EXPECT_EQ(result.Lines[3].ShotsUsed, 0);
    EXPECT_EQ(result.Lines[4].State, LineState::NoStartingPoint);
    EXPECT_EQ(result.Lines[5].State, LineState::Ignored);
    EXPECT_EQ(result.Lines[5].ShotsUsed, 0);
}

// Average end area: spacings from the starting points, ignored lines passed
// over, lines without a starting point or without a profile breaking the chain.
TEST(AnalyseJob, VolumesBetweenNeighbouringLines) {
    Job job(10, 20);
    const std::vector<TestShot> areaTwenty = {{0, 2}, {10, 2}};
    const std::vector<TestShot> areaForty = {{0, 4}, {10, 4}};
    testing::AddLine(job, "1", areaTwenty, true, 1000, 2000);
    testing::AddLine(job, "2", areaForty, true, 1030, 2040); // 50 from line 1
    testing::AddLine(job, "3", areaForty, true, 5000, 5000);
    job.Data.EditHeader(3).LineIgnored() = true;              // passed over
    testing::AddLine(job, "4", areaTwenty, true, 1030, 2140); // 100 from line 2
    testing::AddLine(job, "5", areaTwenty, false);            // breaks
    testing::AddLine(job, "6", areaForty, true, 1030, 2240);
    testing::AddLine(job, "7", {{3, 3}}, true, 1030, 2340); // breaks: no end area
    testing::AddLine(job, "8", areaForty, true, 1030, 2440);
    testing::AddLine(job, "9", areaForty, true, 1030, 2450);

    const auto result = AnalyseJob(job, AnalysisOptions{});
    ASSERT_EQ(result.Reaches.size(), 3u);
    EXPECT_EQ(result.Reaches[0].FromIndex, 0u);
    EXPECT_EQ(result.Reaches[0].ToIndex, 1u);
    EXPECT_DOUBLE_EQ(result.Reaches[0].Spacing, 50);
    EXPECT_DOUBLE_EQ(result.Reaches[0].Volume, 30 * 50);
    EXPECT_EQ(result.Reaches[1].FromIndex, 1u);
    EXPECT_EQ(result.Reaches[1].ToIndex, 3u);
    EXPECT_DOUBLE_EQ(result.Reaches[1].Volume, 30 * 100);
    EXPECT_EQ(result.Reaches[2].FromIndex, 7u);
    EXPECT_DOUBLE_EQ(result.Reaches[2].Volume, 40 * 10);
    EXPECT_DOUBLE_EQ(result.ReachTotal, 1500 + 3000 + 400);
    EXPECT_EQ(result.Breaks, (std::vector<std::size_t>{4, 6}));
}

TEST(AnalyseJob, LimitsAndTemplateReachEveryLine) {
    Job job(10, 20);
    testing::AddLine(job, "12A", {{0, 3}, {10, 1}, {20, -1}});
    testing::AddLine(job, "13", {{0, 3}, {10, 1}, {20, -1}});
    ProfileTemplates templates;
    templates.Parse({"PRO12,0,2,20,-2"}, false); // the survey lies 1 above it throughout
    AnalysisOptions options;
    options.From = 5;
    options.To = 15;
    options.Templates = &templates;
    const auto result = AnalyseJob(job, options);
    EXPECT_DOUBLE_EQ(result.Lines[0].AreaAboveDatum, 10); // 2 at 5, 1 at 10, 0 at 15
    EXPECT_TRUE(result.Lines[0].HasTemplate);
    EXPECT_DOUBLE_EQ(result.Lines[0].Template.Above, 20);
    EXPECT_DOUBLE_EQ(result.Lines[0].Template.Below, 0);
    EXPECT_FALSE(result.Lines[1].HasTemplate);
}

} // namespace
} // namespace tolvanor
