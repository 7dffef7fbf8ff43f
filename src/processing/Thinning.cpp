// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/Thinning.h"

#include "core/Job.h"
#include "core/NumberParsing.h"
#include "core/Rounding.h"
#include "core/Text.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tolvanor {

namespace {

// Target numbers are counted in doubles; beyond this they would stop being whole.
constexpr double LargestTargetNumber = 9.0e15;
// Every target's search starts out accepting any shot this close.
constexpr double InitialBest = 10000;

std::int32_t ShotsOf(const Job& job, std::int32_t line) {
    return std::min(job.ShotCount(line), job.Data.ShotBound());
}

// Keep one shot, then ignore the next `increment` shots, and so on. Both
// operands of the remainder are whole numbers first (halves to even).
void ThinByNumber(Job& job, std::int32_t line, double increment) {
    const double divisor = RoundHalfEven(increment + 1);
    const std::int32_t count = ShotsOf(job, line);
    for (std::int32_t shot = 2; shot <= count; ++shot) {
        if (std::fmod(static_cast<double>(shot - 1), divisor) != 0) job.Data.Edit(line, shot).Ignore = true;
    }
}

struct DistanceScan {
    Job& job;
    std::int32_t line;
    std::int32_t count;
    double increment;

    float Distance(std::int32_t shot) const { return job.Data.At(line, shot).DistDownRange; }
    bool Ignored(std::int32_t shot) const { return job.Data.At(line, shot).Ignore; }
    double Gap(std::int32_t shot, double target) const { return std::fabs(Distance(shot) - target); }
};

// The first target number from `next` on whose target is close enough to
// `distance` to accept it as a first candidate, or past `last` when none is.
// Targets only grow, so once they have passed the shot none comes back.
double NextReachableTarget(const DistanceScan& scan, double distance, double next, double last) {
    const double target = next * scan.increment;
    if (distance < target && target - distance > InitialBest) return last + 1;
    const double estimate = std::ceil((distance - InitialBest) / scan.increment) - 2;
    return std::max(next, estimate);
}

// For every multiple of the increment, keep the shot nearest to it among the
// run of shots approaching it; ignore the others of the run.
void ThinByDistance(Job& job, std::int32_t line, double increment) {
    DistanceScan scan{job, line, ShotsOf(job, line), increment};
    if (scan.count < 1) return;
    const double first = RoundHalfEven(scan.Distance(1) / increment);
    const double last = RoundHalfEven(scan.Distance(scan.count) / increment) + 1;
    if (!std::isfinite(first) || !std::isfinite(last) || last < first) return;
    if (std::fabs(first) > LargestTargetNumber || std::fabs(last) > LargestTargetNumber) return;

    std::vector<std::int32_t> survivors;
    std::int32_t shot = 0;
    double k = first;
    while (k <= last) {
        const double target = k * increment;
        double best = InitialBest;
        std::int32_t chosen = 0;
        bool finished = false;
        for (;;) {
            ++shot;
            if (shot > scan.count) {
                finished = true;
                break;
            }
            if (scan.Ignored(shot)) continue;
            const double gap = scan.Gap(shot, target);
            if (gap > best) break;
            best = gap;
            job.Data.Edit(line, shot).Ignore = true;
            chosen = shot;
        }
        if (chosen != 0) survivors.push_back(chosen);
        if (finished) break;

        // The shot that ended this target's run is examined again for the next one.
        const std::int32_t stopper = shot;
        shot = std::max(shot - 2, 0);
        k = chosen != 0 ? k + 1 : NextReachableTarget(scan, scan.Distance(stopper), k + 1, last);
    }
    for (const std::int32_t survivor : survivors) job.Data.Edit(line, survivor).Ignore = false;
}

} // namespace

void ThinLine(Job& job, std::int32_t line, std::string_view method, std::string_view increment) {
    if (!job.Data.InRange(line, 0)) return;
    const std::string name = UpperAscii(method);
    const double step = std::fabs(LeadingNumberValue(increment));
    if (name == "NUMBER TO IGNORE") {
        ThinByNumber(job, line, step);
    } else if (name == "DISTANCE") {
        if (step > 0) ThinByDistance(job, line, step);
    }
}

} // namespace tolvanor
