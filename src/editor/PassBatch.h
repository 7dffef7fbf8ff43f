// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PassWorker.h"
#include "core/ShotRecord.h"
#include "editor/GridPass.h"
#include "processing/LineGeometry.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tolvanor {

class Job;

// Lines of a whole-job pass gathered to be passed side by side. Passing a
// line touches only the records EditLineForPass gave for it, so two threads
// can pass two lines at once; nothing else of the job is written meanwhile.
// When the plan view is shown, each entry's positions are gathered on the
// same thread just before its pass, while its records are being read anyway.
class PassBatch {
public:
    struct Entry {
        std::int32_t Line = 0;
        bool Pass = true;            // false: only the plan view's points are wanted
        std::span<ShotRecord> Shots; // the records to pass
        std::string ProfileNumber;
        std::string PlanName; // the line's name before its pass
        // Set when the shots' distances are recomputed before the pass (on
        // the pass's thread): the same shots, with the line's starting point.
        std::optional<LineShots> Recompute;
        // Set when the memo wants to know whether the line changed with its
        // recomputed distances: the shots' distances before, so that Changed
        // compares with the line as it was (the pass may bring them back).
        std::vector<float> DistancesBefore;
        bool Changed = false; // any bit of the shots
    };

    struct PlanPoints {
        std::vector<double> Eastings;
        std::vector<double> Northings;
    };

    // `plans`: gather every entry's plan-view points as they are before its pass.
    PassBatch(bool threaded, bool plans);

    void Add(Entry entry) { entries_.push_back(std::move(entry)); }
    bool Holds(std::int32_t line) const noexcept;
    bool Empty() const noexcept { return entries_.empty(); }
    std::size_t Size() const noexcept { return entries_.size(); }

    // Passes every entry, then the entries are theirs to read in order.
    void Run(const Job& job, int sortOrder);
    std::span<const Entry> Entries() const noexcept { return entries_; }
    // The points of entry `at`; only when plans are gathered.
    const PlanPoints& Plan(std::size_t at) const noexcept { return plans_[at]; }
    void Clear() noexcept { entries_.clear(); }

private:
    void PassFrom(const Job& job, int sortOrder, GridPass& pass);
    void GatherPlan(const Job& job, const Entry& entry, PlanPoints& points) const;

    PassWorker worker_;
    std::array<GridPass, 2> passes_; // one per thread: they keep buffers
    std::vector<Entry> entries_;
    // One per entry, kept from batch to batch so their memory is reused.
    std::vector<PlanPoints> plans_;
    bool gatherPlans_;
    std::size_t next_ = 0;
    std::mutex taking_;
};

} // namespace tolvanor
