// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/Thinning.h"

#include "core/GeneralText.h"
#include "core/Job.h"
#include "core/Rounding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <ranges>
#include <tuple>
#include <vector>

namespace tolvanor {
namespace {

using Shots = std::vector<int>;
constexpr std::int32_t Line = 3;

void SetLine(Job& job, const std::vector<float>& distances, const Shots& ignored = {}) {
    job.Data.EditHeader(Line).ShotCount() = static_cast<std::int32_t>(distances.size());
    for (std::int32_t shot = 1; shot <= job.ShotCount(Line); ++shot) {
        job.Data.Edit(Line, shot).DistDownRange = distances[static_cast<std::size_t>(shot - 1)];
        job.Data.Edit(Line, shot).Ignore = std::ranges::find(ignored, shot) != ignored.end();
    }
}

// The shots left unignored, in order.
Shots Kept(const Job& job) {
    Shots kept;
    for (int shot = 1; shot <= job.ShotCount(Line); ++shot)
        if (!job.Data.At(Line, shot).Ignore) kept.push_back(shot);
    return kept;
}

TEST(ThinLine, KeepsWhatTheMethodAsksFor) {
    const std::vector<float> upTo10{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const auto line = [](int shots) { return std::vector<float>(std::size_t(shots)); }; // for counting methods
    // The method, the increment, the line's distances, the shots ignored before and the shots kept.
    const std::tuple<const char*, const char*, std::vector<float>, Shots, Shots> cases[] = {
        // clang-format off
        // Distance: per target k * inc the nearest shot, the later one on a tie.
        {"Distance", "5", upTo10, {}, {1, 6, 11}},              {"Distance", "5", {0, 2.4f, 2.6f, 5}, {}, {1, 4}},
        {"DISTANCE", "5", {0, 4, 6}, {}, {1, 3}},               {"distance", "10", {0, 0, 0, 0}, {}, {4}},
        {"Distance", "5", upTo10, {6}, {1, 7, 11}},             {"Distance", " -5 m", upTo10, {}, {1, 6, 11}},
        // No increment, falling distances, huge target numbers: no thinning.
        {"Distance", "0", line(3), {}, {1, 2, 3}},              {"Distance", "abc", line(3), {}, {1, 2, 3}},
        {"Distance", "5", {10, 5, 0}, {}, {1, 2, 3}},           {"Distance", "1e-9", {0, 1, 1e30f}, {}, {1, 2, 3}},
        {"Distance", "0.001", {0, 1.0e6f}, {}, {1, 2}}, // a billion targets between two shots: skipped quickly
        // Number to Ignore: keep one, ignore the next inc; the divisor inc + 1 rounds halves to even.
        {"Number to Ignore", "2", line(10), {}, {1, 4, 7, 10}}, {"NUMBER TO IGNORE", "1", line(7), {}, {1, 3, 5, 7}},
        {"number to ignore", "0", line(3), {}, {1, 2, 3}},      {"Number to Ignore", "1.5", line(7), {}, {1, 3, 5, 7}},
        {"Number to Ignore", "2.5", line(9), {}, {1, 5, 9}},    {"Number to Ignore", "-0.4", line(3), {}, {1, 2, 3}},
        {"Number to Ignore", "1e300", line(4), {}, {1}},        {"Number to Ignore", "1", line(7), {1, 3}, {5, 7}},
        // None and unknown methods change nothing.
        {"None", "2", line(5), {4}, {1, 2, 3, 5}},              {"", "2", line(5), {4}, {1, 2, 3, 5}},
        {"Distance ", "2", line(5), {4}, {1, 2, 3, 5}},         {"Number", "2", line(5), {4}, {1, 2, 3, 5}},
        // clang-format on
    };
    Job job(6, 200);
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [method, increment, distances, ignored, kept] : cases) {
        SetLine(job, distances, ignored);
        ThinLine(job, Line, method, increment);
        EXPECT_EQ(Kept(job), kept) << method << " " << increment << " on " << distances.size() << " shots";
        EXPECT_FALSE(job.Data.Header(Line).LineIgnored()) << "the scan never reaches the header";
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ThinLine(job, -1, "Distance", "5"); // lines outside the table: nothing, not a crash
    ThinLine(job, job.Data.LineBound() + 1, "Number to Ignore", "1");
}

// The distance scan as the rule reads, one target at a time: the reference for
// the shortcuts the routine takes over stretches no target can reach.
void ScanStepByStep(Job& job, double increment) {
    const int n = job.ShotCount(Line);
    const auto distance = [&](int shot) { return job.Data.At(Line, shot).DistDownRange; };
    const auto ignore = [&](int shot) -> bool& { return job.Data.Edit(Line, shot).Ignore; };
    Shots chosen;
    int j = 0;
    const double last = RoundHalfEven(distance(n) / increment) + 1;
    for (double k = RoundHalfEven(distance(1) / increment); k <= last && j <= n; ++k) {
        double best = 10000;
        int pick = 0;
        while (++j <= n) {
            if (ignore(j)) continue;
            const double gap = std::fabs(distance(j) - k * increment);
            if (gap > best) break;
            best = gap;
            ignore(j) = true;
            pick = j;
        }
        if (pick != 0) chosen.push_back(pick);
        if (j <= n) j = std::max(j - 2, 0);
    }
    for (const int shot : chosen) ignore(shot) = false;
}

// Rising lines without wide gaps keep exactly the shot nearest each target (the later
// on a tie), by brute force; lines that wander back and jump far follow the step-by-step scan.
TEST(ThinLine, PropertyNearestShotPerTargetAndTheStepByStepScan) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> unit(0, 1);
    std::uniform_int_distribution<int> count(1, 150);
    const double coarse[] = {0.5, 1, 2.5, 5, 7.3, 12000, 25000, 40000};
    Job job(6, 400);
    Job reference(6, 400);
    for (int trial = 0; trial < 3000; ++trial) {
        const bool rising = trial % 2 == 0;
        const double increment = rising ? 0.5 + 20 * unit(random) : coarse[trial / 2 % 8];
        const int used = count(random);
        float at = (unit(random) - 0.5f) * (rising ? 100.0f : 30000.0f);
        std::vector<float> distance{at};
        Shots ignored;
        if (!rising && unit(random) < 0.15f) ignored.push_back(1);
        for (int i = 1; i < used; ++i) {
            const float roll = unit(random);
            float step = roll < 0.1f ? 0.0f : unit(random) * 0.45f * static_cast<float>(increment);
            if (!rising) { // far jumps, steps back, repeats and small steps up
                step = roll < 0.1f && increment >= 5
                           ? static_cast<float>(std::max(30000.0, 2 * increment)) * unit(random)
                       : roll < 0.2f ? -8 * unit(random)
                                     : (roll < 0.3f ? 0 : std::round(80 * unit(random)) / 10);
            }
            if (unit(random) < 0.2f) { // ignored shots may sit anywhere between two in use
                distance.push_back(at + step * unit(random));
                ignored.push_back(static_cast<int>(distance.size()));
            }
            distance.push_back(at += step);
        }
        SetLine(job, distance, ignored);
        SetLine(reference, distance, ignored);
        const Shots before = Kept(job);
        ThinLine(job, Line, "Distance", ShortestText(increment));
        ScanStepByStep(reference, increment);
        ASSERT_EQ(Kept(job), Kept(reference)) << "trial " << trial << " increment " << increment;
        if (!rising) continue;

        // Brute force: every target from the first shot's to one past the last's.
        Shots nearest;
        const double last = RoundHalfEven(distance.back() / increment) + 1;
        for (double k = RoundHalfEven(distance.front() / increment); k <= last; ++k) {
            const auto gap = [&](int shot) { return std::fabs(distance[std::size_t(shot - 1)] - k * increment); };
            const int best = *std::ranges::min_element(before | std::views::reverse, {}, gap); // later on a tie
            if (nearest.empty() || nearest.back() != best) nearest.push_back(best);
        }
        ASSERT_EQ(Kept(job), nearest) << "trial " << trial << " increment " << increment;
    }
}

} // namespace
} // namespace tolvanor
