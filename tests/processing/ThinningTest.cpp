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
#include <vector>

namespace tolvanor {
namespace {

constexpr std::int32_t Line = 3;

class ThinningTest : public ::testing::Test {
protected:
    void SetDistances(const std::vector<float>& distances, const std::vector<int>& ignored = {}) {
        job.Data.EditHeader(Line).ShotCount() = static_cast<std::int32_t>(distances.size());
        for (std::size_t i = 0; i < distances.size(); ++i) {
            ShotRecord& shot = job.Data.Edit(Line, static_cast<std::int32_t>(i + 1));
            shot.DistDownRange = distances[i];
            shot.Ignore = false;
        }
        for (const int shot : ignored) job.Data.Edit(Line, shot).Ignore = true;
    }

    void SetLine(std::int32_t count, const std::vector<int>& ignored = {}) {
        SetDistances(std::vector<float>(static_cast<std::size_t>(count), 0.0f), ignored);
    }

    // The shots left unignored, in order.
    std::vector<int> Kept() const {
        std::vector<int> kept;
        for (int shot = 1; shot <= job.ShotCount(Line); ++shot) {
            if (!job.Data.At(Line, shot).Ignore) kept.push_back(shot);
        }
        return kept;
    }

    void Thin(std::string_view method, std::string_view increment) { ThinLine(job, Line, method, increment); }

    Job job{6, 200};
};

std::vector<float> Steps(int count, float step = 1) {
    std::vector<float> distances;
    for (int i = 0; i < count; ++i) distances.push_back(static_cast<float>(i) * step);
    return distances;
}

TEST_F(ThinningTest, DistanceKeepsTheNearestShotPerTarget) {
    SetDistances(Steps(11));
    Thin("Distance", "5");
    EXPECT_EQ(Kept(), (std::vector<int>{1, 6, 11}));

    SetDistances({0, 2.4f, 2.6f, 5});
    Thin("Distance", "5");
    EXPECT_EQ(Kept(), (std::vector<int>{1, 4}));
}

TEST_F(ThinningTest, DistanceTieGoesToTheLaterShot) {
    SetDistances({0, 4, 6});
    Thin("DISTANCE", "5");
    EXPECT_EQ(Kept(), (std::vector<int>{1, 3}));
}

TEST_F(ThinningTest, DistanceOnALineWithoutDistancesKeepsTheLastShot) {
    SetDistances(std::vector<float>(7, 0.0f));
    Thin("distance", "10");
    EXPECT_EQ(Kept(), (std::vector<int>{7}));
}

TEST_F(ThinningTest, DistanceNeverChoosesAnIgnoredShot) {
    // Shot 6 sits on target 5 but was ignored by the user.
    SetDistances(Steps(11), {6});
    Thin("Distance", "5");
    EXPECT_EQ(Kept(), (std::vector<int>{1, 7, 11}));
}

TEST_F(ThinningTest, DistanceIncrementIsTheLeadingNumberWithoutSign) {
    SetDistances(Steps(11));
    Thin("Distance", " -5 m");
    EXPECT_EQ(Kept(), (std::vector<int>{1, 6, 11}));
}

TEST_F(ThinningTest, DistanceWithZeroIncrementOrInvertedRangeThinsNothing) {
    for (const auto* increment : {"0", "", "abc", "0.0"}) {
        SetDistances(Steps(11));
        Thin("Distance", increment);
        EXPECT_EQ(Kept().size(), 11u) << increment;
    }
    // Distances falling along the line: the target range runs backwards.
    SetDistances({20, 15, 10, 5, 0});
    Thin("Distance", "5");
    EXPECT_EQ(Kept().size(), 5u);
}

TEST_F(ThinningTest, DistanceWithAHugeIncrementNeverStepsBeforeTheFirstShot) {
    // The first target is more than 10000 from shot 1, so the scan keeps
    // backing up; it must stay on shot 1 and leave the header alone.
    SetDistances({12000, 13000, 60000});
    const ShotRecord header = job.Data.Header(Line);
    Thin("Distance", "25000");
    EXPECT_EQ(Kept().size(), 3u);
    EXPECT_EQ(job.Data.Header(Line), header);
}

TEST_F(ThinningTest, DistanceWithATinyIncrementFinishesQuickly) {
    // A billion targets between two shots: the scan skips the empty stretch.
    SetDistances({0, 1.0e6f});
    const auto start = std::chrono::steady_clock::now();
    Thin("Distance", "0.001");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(Kept(), (std::vector<int>{1, 2}));

    // Target numbers beyond exact whole doubles: nothing is thinned.
    SetDistances({0, 1, 2, 1.0e30f});
    Thin("Distance", "1e-9");
    EXPECT_EQ(Kept().size(), 4u);
}

TEST_F(ThinningTest, DistanceLeavesShotsBeyondTheLastTargetAlone) {
    // Shot 1 decides the first target and the last shot the last one; a line
    // that wanders out and back stops thinning when the targets run out.
    SetDistances({0, 5, 10, 4, 3, 2});
    Thin("Distance", "5");
    // Targets 0 and 5 only (2/5 rounds to 0, plus one): shot 3 ends the scan.
    EXPECT_EQ(Kept(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(ThinningTest, NumberToIgnoreKeepsOneThenSkipsIncrement) {
    SetLine(10);
    Thin("Number to Ignore", "2");
    EXPECT_EQ(Kept(), (std::vector<int>{1, 4, 7, 10}));

    SetLine(7);
    Thin("NUMBER TO IGNORE", "1");
    EXPECT_EQ(Kept(), (std::vector<int>{1, 3, 5, 7}));

    SetLine(7);
    Thin("number to ignore", "0");
    EXPECT_EQ(Kept().size(), 7u);
}

TEST_F(ThinningTest, NumberToIgnoreRoundsTheDivisorHalvesToEven) {
    SetLine(9);
    Thin("Number to Ignore", "1.5"); // divisor 2.5 -> 2
    EXPECT_EQ(Kept(), (std::vector<int>{1, 3, 5, 7, 9}));

    SetLine(9);
    Thin("Number to Ignore", "2.5"); // divisor 3.5 -> 4
    EXPECT_EQ(Kept(), (std::vector<int>{1, 5, 9}));

    SetLine(4);
    Thin("Number to Ignore", "-0.4"); // divisor 1.4 -> 1: nothing
    EXPECT_EQ(Kept().size(), 4u);

    SetLine(4);
    Thin("Number to Ignore", "1e300"); // only shot 1 is kept
    EXPECT_EQ(Kept(), (std::vector<int>{1}));
}

TEST_F(ThinningTest, NumberToIgnoreNeverClearsAFlag) {
    SetLine(7, {1, 3});
    Thin("Number to Ignore", "1");
    EXPECT_EQ(Kept(), (std::vector<int>{5, 7}));
}

TEST_F(ThinningTest, NoneAndUnknownMethodsChangeNothing) {
    for (const auto* method : {"None", "none", "NONE", "", "Thin", "Distance ", "Number"}) {
        SetDistances(Steps(11), {4});
        Thin(method, "2");
        EXPECT_EQ(Kept().size(), 10u) << method;
    }
}

TEST_F(ThinningTest, OnlyTheGivenLineChanges) {
    SetDistances(Steps(11));
    job.Data.EditHeader(Line + 1).ShotCount() = 3;
    for (int shot = 1; shot <= 3; ++shot) job.Data.Edit(Line + 1, shot).DistDownRange = static_cast<float>(shot);
    Thin("Number to Ignore", "1");
    for (int shot = 1; shot <= 3; ++shot) EXPECT_FALSE(job.Data.At(Line + 1, shot).Ignore);
    // Lines outside the table are ignored, not a crash.
    ThinLine(job, -1, "Distance", "5");
    ThinLine(job, job.Data.LineBound() + 1, "Number to Ignore", "1");
}

// The distance scan written out step by step, with a table entry per target,
// as an independent check of the scan's shortcuts.
std::vector<bool> ThinByDistanceStepByStep(const std::vector<float>& distance, std::vector<bool> ignored,
                                           double increment) {
    const int n = static_cast<int>(distance.size()) - 1; // index 0 unused
    const auto first = static_cast<long>(RoundHalfEven(distance[1] / increment));
    const auto last = static_cast<long>(RoundHalfEven(distance[static_cast<std::size_t>(n)] / increment)) + 1;
    if (last < first) return ignored;
    std::vector<int> chosen(static_cast<std::size_t>(last - first + 1), 0);
    int j = 0;
    for (long k = first; k <= last; ++k) {
        const double target = static_cast<double>(k) * increment;
        double best = 10000;
        bool nextTarget = false;
        while (!nextTarget) {
            ++j;
            if (j > n) goto scanned;
            if (ignored[static_cast<std::size_t>(j)]) continue;
            const double d = std::fabs(distance[static_cast<std::size_t>(j)] - target);
            if (d > best) {
                j = std::max(j - 2, 0);
                nextTarget = true;
            } else {
                best = d;
                ignored[static_cast<std::size_t>(j)] = true;
                chosen[static_cast<std::size_t>(k - first)] = j;
            }
        }
    }
scanned:
    for (const int shot : chosen) {
        if (shot != 0) ignored[static_cast<std::size_t>(shot)] = false;
    }
    return ignored;
}

TEST_F(ThinningTest, PropertyDistanceScanMatchesTheStepByStepScan) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> count(1, 60);
    std::uniform_real_distribution<float> unit(0, 1);
    const std::vector<double> increments{0.5, 1, 2.5, 5, 7.3, 12000, 25000, 40000};

    for (int trial = 0; trial < 3000; ++trial) {
        const double increment = increments[static_cast<std::size_t>(trial) % increments.size()];
        const int n = count(random);
        // Mostly rising lines with jitter, duplicates, reversals and big jumps.
        std::vector<float> distance(static_cast<std::size_t>(n) + 1, 0);
        std::vector<bool> ignored(static_cast<std::size_t>(n) + 1, false);
        float at = (unit(random) - 0.3f) * 50;
        for (int i = 1; i <= n; ++i) {
            const float roll = unit(random);
            if (roll < 0.1f && increment >= 5) {
                at += 30000 * unit(random); // beyond the 10000 reach; few targets with a coarse increment
            } else if (roll < 0.2f) {
                at -= 8 * unit(random);
            } else if (roll > 0.3f) {
                at += std::round(8 * unit(random) * 10) / 10;
            }
            distance[static_cast<std::size_t>(i)] = at;
            ignored[static_cast<std::size_t>(i)] = unit(random) < 0.15f;
        }
        std::vector<int> ignoredShots;
        for (int i = 1; i <= n; ++i) {
            if (ignored[static_cast<std::size_t>(i)]) ignoredShots.push_back(i);
        }
        SetDistances(std::vector<float>(distance.begin() + 1, distance.end()), ignoredShots);

        const auto expected = ThinByDistanceStepByStep(distance, ignored, increment);
        ThinLine(job, Line, "Distance", ShortestText(increment));
        for (int i = 1; i <= n; ++i) {
            ASSERT_EQ(job.Data.At(Line, i).Ignore, expected[static_cast<std::size_t>(i)])
                << "trial " << trial << " shot " << i << " increment " << increment;
        }
    }
}

// On a line whose distances rise, with no wide gap between the shots still
// in use, thinning by distance keeps exactly the shot nearest to each target
// (the later one on a tie) and ignores every other shot.
TEST_F(ThinningTest, PropertyRisingLineKeepsTheNearestShotPerTarget) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> unit(0, 1);
    std::uniform_int_distribution<int> count(1, 150);

    for (int trial = 0; trial < 2000; ++trial) {
        const double increment = 0.5 + 20 * unit(random);
        const int used = count(random);
        std::vector<float> distance;
        std::vector<int> ignoredShots;
        float at = (unit(random) - 0.5f) * 100;
        for (int i = 0; i < used; ++i) {
            if (i > 0) {
                const float step = unit(random) < 0.1f ? 0.0f : unit(random) * 0.45f * static_cast<float>(increment);
                // Shots the user ignored may sit anywhere between two shots in use.
                if (unit(random) < 0.2f) {
                    distance.push_back(at + step * unit(random));
                    ignoredShots.push_back(static_cast<int>(distance.size()));
                }
                at += step;
            }
            distance.push_back(at);
        }
        SetDistances(distance, ignoredShots);
        const std::vector<int> before = Kept();

        // Brute force: every target from the first shot's to one past the last's.
        std::vector<int> nearest;
        const double first = RoundHalfEven(distance.front() / increment);
        const double last = RoundHalfEven(distance.back() / increment) + 1;
        for (double k = first; k <= last; ++k) {
            int best = 0;
            double bestGap = 10000;
            for (const int shot : before) {
                const double gap = std::fabs(distance[static_cast<std::size_t>(shot - 1)] - k * increment);
                if (gap <= bestGap) {
                    bestGap = gap;
                    best = shot;
                }
            }
            if (best != 0 && (nearest.empty() || nearest.back() != best)) nearest.push_back(best);
        }

        ThinLine(job, Line, "Distance", ShortestText(increment));
        ASSERT_EQ(Kept(), nearest) << "trial " << trial << " increment " << increment;
    }
}

} // namespace
} // namespace tolvanor
