// SPDX-License-Identifier: GPL-3.0-or-later
// Contours, areas and volumes on profiles small enough to check by hand.
#include "analysis/AnalyseJob.h"
#include "analysis/AnalysisTestSupport.h"
#include "analysis/ProfileTemplates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

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

// The level, the shots, then the count and the first and last places found.
TEST(Contours, FindsEveryPlaceAtTheLevelOnce) {
    const std::tuple<double, std::vector<TestShot>, int, double, double> cases[] = {
        // clang-format off
        {5, Triangle, 2, 5, 15}, {0, Triangle, 2, 0, 20}, {10.5, Triangle, 0, 0, 0}, {0, Zigzag, 3, 1, 5},
        {1, LevelRun, 1, 5, 15}, // a run at the level counts once and bounds both ends
        {0, LevelRun, 1, 17.5, 17.5}, {2, Peak, 1, 5, 5}, // a peak touching the level counts once
        {0, Step, 1, 10, 10}, {2, Step, 1, 0, 10}, // a vertical step crosses at its distance; its top is a run
        {1, {{0, 1}, {5, 3}, {10, 1}}, 2, 0, 10}, {1.5, {{7, 1.5}}, 1, 7, 7}, {1, {{7, 1.5}}, 0, 0, 0}, {0, {}, 0, 0, 0},
        {0.3, {{0, 0.5}, {4, 0.3}, {8, 0.3}, {12, 0.5}}, 1, 4, 8}, // a level typed as 0.3 meets a shot stored so
        // clang-format on
    };
    for (const auto& [level, shots, count, first, last] : cases) {
        const auto found = FindContourCrossings(Points(shots), level);
        EXPECT_EQ(found.Count, count) << level << " on " << shots.size() << " shots";
        if (count == 0) continue;
        EXPECT_DOUBLE_EQ(found.First, first) << level << " on " << shots.size() << " shots";
        EXPECT_DOUBLE_EQ(found.Last, last) << level << " on " << shots.size() << " shots";
    }
}

// The exact integral above the datum within the limits, in either order.
TEST(AreaAbove, IsTheExactIntegralWithinTheLimits) {
    // The shots, the datum, the limits and the area.
    const std::tuple<std::vector<TestShot>, double, double, double, double> cases[] = {
        // clang-format off
        {Triangle, 0, -Inf, Inf, 100}, {Triangle, 5, -Inf, Inf, 25}, {Triangle, 11, -Inf, Inf, 0},
        {Zigzag, 0, -Inf, Inf, 3}, {LevelRun, 1, -Inf, Inf, 5}, {Step, 0, -Inf, Inf, 20},
        {Triangle, 0, -100, 100, 100}, {Triangle, 0, 5, 100, 87.5}, {Triangle, 0, 100, 5, 87.5},
        {Triangle, 0, 30, 40, 0}, {Triangle, 0, 10, 10, 0}, {{{7, 3}}, 0, -Inf, Inf, 0}, {{}, 0, -Inf, Inf, 0},
        // clang-format on
    };
    for (const auto& [shots, datum, from, to, area] : cases)
        EXPECT_NEAR(AreaAboveDatum(Points(shots), datum, from, to), area, 1e-12) << datum << " " << from << " " << to;
}

// Above and below the template only where both cover the distance.
TEST(TemplateDifference, CountsOnlyWhereBothCover) {
    // The survey, the template, the areas above and below.
    const std::tuple<std::vector<TestShot>, std::vector<TestShot>, double, double> cases[] = {
        // clang-format off
        {{{0, 1}, {20, 1}}, {{10, 0}, {30, 0}}, 10, 0}, {{{0, 1}, {20, 1}}, {{-10, 2}, {10, 2}}, 0, 10},
        {{{5, 1}, {10, 1}}, {{0, 0}, {100, 0}}, 5, 0}, {{{0, 0}, {10, 10}}, {{0, 10}, {10, 0}}, 25, 25},
        {{{0, 0}, {10, 0}}, {{0, -1}, {5, 1}, {10, -1}}, 2.5, 2.5}, {Step, {{0, 0}, {20, 0}}, 20, 20},
        {{{0, 1}, {5, 1}}, {{6, 0}, {9, 0}}, 0, 0}, {{{0, 1}, {5, 1}}, {{2, 0}}, 0, 0},
        // clang-format on
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [survey, design, above, below] = cases[i];
        const auto areas = AreasBetween(Points(survey), Points(design), -Inf, Inf);
        EXPECT_NEAR(areas.Above, above, 1e-12) << "case " << i;
        EXPECT_NEAR(areas.Below, below, 1e-12) << "case " << i;
    }
}

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
    EXPECT_EQ(std::tuple(one.State, one.ShotsUsed, one.AreaAboveDatum, one.Contours[0].First, one.MinElevation),
              std::tuple(LineState::Analysed, 2, 5.0, 5.0, -2.0));
    const auto& two = result.Lines[1];
    EXPECT_EQ(std::tuple(two.AreaAboveDatum, two.Contours[0].Count, two.MinDistance, two.MaxDistance),
              std::tuple(20.0, 1, 0.0, 20.0));
    EXPECT_EQ(std::pair(result.Lines[2].State, result.Lines[2].ShotsUsed), std::pair(LineState::TooFewShots, 1));
    EXPECT_EQ(std::pair(result.Lines[3].State, result.Lines[3].ShotsUsed), std::pair(LineState::TooFewShots, 0));
    EXPECT_EQ(result.Lines[4].State, LineState::NoStartingPoint);
    EXPECT_EQ(std::pair(result.Lines[5].State, result.Lines[5].ShotsUsed), std::pair(LineState::Ignored, 0));
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
    // From, to, spacing and volume of each reach.
    std::vector<std::tuple<std::size_t, std::size_t, double, double>> reaches;
    for (const auto& r : result.Reaches) reaches.emplace_back(r.FromIndex, r.ToIndex, r.Spacing, r.Volume);
    EXPECT_EQ(reaches, (std::vector<std::tuple<std::size_t, std::size_t, double, double>>{
                           {0, 1, 50, 30 * 50}, {1, 3, 100, 30 * 100}, {7, 8, 10, 40 * 10}}));
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
    EXPECT_EQ(std::tuple(result.Lines[0].HasTemplate, result.Lines[0].Template.Above, result.Lines[0].Template.Below),
              std::tuple(true, 20.0, 0.0));
    EXPECT_FALSE(result.Lines[1].HasTemplate);
}

} // namespace
} // namespace tolvanor
