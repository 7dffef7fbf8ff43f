// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/PassBatch.h"

#include "core/Job.h"

#include <algorithm>
#include <mutex>

namespace tolvanor {

PassBatch::PassBatch(bool threaded, bool plans) : worker_(threaded), gatherPlans_(plans) {}

bool PassBatch::Holds(std::int32_t line) const noexcept {
    return std::any_of(entries_.begin(), entries_.end(), [line](const Entry& entry) { return entry.Line == line; });
}

void PassBatch::Run(const Job& job, int sortOrder) {
    next_ = 0;
    if (gatherPlans_ && plans_.size() < entries_.size()) plans_.resize(entries_.size());
    // The worker and this thread take lines in turn until none are left;
    // taking one by one evens out lines of different lengths.
    if (entries_.size() > 1) worker_.Start([this, &job, sortOrder] { PassFrom(job, sortOrder, passes_[1]); });
    PassFrom(job, sortOrder, passes_[0]);
    worker_.Wait();
}

void PassBatch::PassFrom(const Job& job, int sortOrder, GridPass& pass) {
    for (;;) {
        std::size_t at = 0;
        {
            std::lock_guard lock(taking_);
            if (next_ == entries_.size()) return;
            at = next_++;
        }
        auto& entry = entries_[at];
        if (gatherPlans_) GatherPlan(job, entry, plans_[at]);
        if (!entry.Pass) continue;
        if (entry.Recompute) SetDistances(*entry.Recompute);
        entry.Changed = pass.Run(entry.Shots, sortOrder, entry.ProfileNumber, entry.DistancesBefore) || entry.Changed;
    }
}

// The line's positions as the plan view shows them: those of its shots up
// to its shot count, an unstored shot counting as an empty record.
void PassBatch::GatherPlan(const Job& job, const Entry& entry, PlanPoints& points) const {
    const auto shots = static_cast<std::size_t>(std::clamp(job.ShotCount(entry.Line), 0, job.Data.ShotBound()));
    points.Eastings.resize(shots);
    points.Northings.resize(shots);
    if (entry.Pass && entry.Shots.size() == shots) {
        for (std::size_t at = 0; at < shots; ++at) {
            points.Eastings[at] = entry.Shots[at].Easting;
            points.Northings[at] = entry.Shots[at].Northing;
        }
        return;
    }
    for (std::size_t at = 0; at < shots; ++at) {
        const auto& record = job.Data.At(entry.Line, static_cast<std::int32_t>(at + 1));
        points.Eastings[at] = record.Easting;
        points.Northings[at] = record.Northing;
    }
}

} // namespace tolvanor
