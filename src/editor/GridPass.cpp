// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/GridPass.h"

#include "core/Job.h"
#include "core/MaskText.h"
#include "editor/GridSortRules.h"
#include "editor/ShotRow.h"
#include "grid/GridSort.h"

#include <algorithm>
#include <numeric>

namespace tolvanor {

namespace {

// The value the numeric sorts read from a sort column's cell.
double ShownKey(const ShotRecord& shot, int col) {
    switch (col) {
    case LineDataColumn::SeqNum:
        return shot.SeqNum; // every such cell is a number
    case LineDataColumn::Easting:
        return MaskedValue(shot.Easting, 4);
    case LineDataColumn::Northing:
        return MaskedValue(shot.Northing, 4);
    case LineDataColumn::Distance:
        // Read from the text as a 64-bit value, not as the stored float.
        return MaskedValue(static_cast<double>(shot.DistDownRange), 1, ValuePrecision::Single);
    default:
        return 0;
    }
}

} // namespace

std::vector<int> GridPass::SortedOrder(const Job& job, std::int32_t line, std::int32_t shots, int sortOrder) {
    const auto rule = PassSortRule(sortOrder);
    // The grid sorts only when there are two shots or more.
    if (!rule || shots < 2) {
        std::vector<int> identity(static_cast<std::size_t>(shots));
        std::iota(identity.begin(), identity.end(), 0);
        return identity;
    }
    if (rule->Col == LineDataColumn::Shot) {
        texts_.clear();
        for (std::int32_t shot = 1; shot <= shots; ++shot) texts_.push_back(job.Data.At(line, shot).ShotType());
        return GridSortPermutation(std::span<const std::string_view>(texts_), rule->Order);
    }
    values_.clear();
    for (std::int32_t shot = 1; shot <= shots; ++shot) values_.push_back(ShownKey(job.Data.At(line, shot), rule->Col));
    return GridSortPermutation(std::span<const double>(values_), rule->Order);
}

void GridPass::Run(Job& job, std::int32_t line, int sortOrder, std::string_view profileNumber) {
    const auto shots = std::clamp(job.ShotCount(line), 0, job.Data.ShotBound());
    const auto order = SortedOrder(job, line, shots, sortOrder);
    // Records are edited one by one, in order, as the grid's store does it.
    if (std::is_sorted(order.begin(), order.end())) {
        for (std::int32_t shot = 1; shot <= shots; ++shot) {
            auto& record = job.Data.Edit(line, shot);
            ShotThroughRow(record, profileNumber, record);
        }
    } else {
        shots_.clear();
        for (std::int32_t shot = 1; shot <= shots; ++shot) shots_.push_back(job.Data.At(line, shot));
        for (std::int32_t shot = 1; shot <= shots; ++shot) {
            const auto& from = shots_[static_cast<std::size_t>(order[static_cast<std::size_t>(shot - 1)])];
            ShotThroughRow(from, profileNumber, job.Data.Edit(line, shot));
        }
    }
    job.Data.EditHeader(line).ShotCount() = shots;
}

} // namespace tolvanor
