// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/GridPass.h"

#include "core/Job.h"
#include "core/PatternValue.h"
#include "editor/GridSortRules.h"
#include "editor/ShotRow.h"
#include "grid/GridSort.h"

#include <algorithm>
#include <cassert>
#include <numeric>

namespace tolvanor {

namespace {

// The value the numeric sorts read from a sort column's cell.
double ShownKey(const ShotRecord& shot, int col) {
    switch (col) {
    case LineDataColumn::SeqNum:
        return shot.SeqNum; // every such cell is a number
    case LineDataColumn::Easting:
        return PatternValue(shot.Easting, 4);
    case LineDataColumn::Northing:
        return PatternValue(shot.Northing, 4);
    case LineDataColumn::Distance:
        // Read from the text as a 64-bit value, not as the stored float.
        return PatternValueAsDouble(shot.DistDownRange, 1);
    default:
        return 0;
    }
}

} // namespace

std::vector<int> GridPass::SortedOrder(std::span<const ShotRecord> shots, int sortOrder) {
    const auto rule = PassSortRule(sortOrder);
    // The grid sorts only when there are two shots or more.
    if (!rule || shots.size() < 2) {
        std::vector<int> identity(shots.size());
        std::iota(identity.begin(), identity.end(), 0);
        return identity;
    }
    if (rule->Col == LineDataColumn::Shot) {
        texts_.clear();
        for (const auto& shot : shots) texts_.push_back(shot.ShotType());
        return GridSortPermutation(std::span<const std::string_view>(texts_), rule->Order);
    }
    values_.clear();
    for (const auto& shot : shots) values_.push_back(ShownKey(shot, rule->Col));
    return GridSortPermutation(std::span<const double>(values_), rule->Order);
}

bool GridPass::Run(Job& job, std::int32_t line, int sortOrder, std::string_view profileNumber) {
    return Run(EditLineForPass(job, line), sortOrder, profileNumber);
}

bool GridPass::Run(std::span<ShotRecord> shots, int sortOrder, std::string_view profileNumber,
                   std::span<const float> distancesBefore) {
    assert(distancesBefore.empty() || distancesBefore.size() == shots.size());
    const auto order = SortedOrder(shots, sortOrder);
    const auto before = [&](std::size_t at) {
        return distancesBefore.empty() ? shots[at].DistDownRange : distancesBefore[at];
    };
    bool changed = false;
    if (std::is_sorted(order.begin(), order.end())) {
        for (std::size_t at = 0; at < shots.size(); ++at)
            changed |= ShotThroughRow(shots[at], profileNumber, shots[at], before(at));
        return changed;
    }
    shots_.assign(shots.begin(), shots.end());
    for (std::size_t at = 0; at < shots.size(); ++at) {
        changed |= ShotThroughRow(shots_[static_cast<std::size_t>(order[at])], profileNumber, shots[at], before(at));
    }
    return changed;
}

std::span<ShotRecord> EditLineForPass(Job& job, std::int32_t line) {
    const auto shots = std::clamp(job.ShotCount(line), 0, job.Data.ShotBound());
    const auto edited = job.Data.EditShots(line, 1, shots);
    job.Data.EditHeader(line).ShotCount() = shots;
    return edited;
}

} // namespace tolvanor
