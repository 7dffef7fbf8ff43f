// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tolvanor {

class Job;

// One line through the line-data grid without the grid: what loading the
// line, sorting it by a sort order and storing it back under a profile
// number leave in the table, computed from the values. Every stored number
// is the value its display pattern reads back as, and the shots are sorted
// on the values the grid's cells would give. Keeps its buffers between lines.
class GridPass {
public:
    // `line` must be a data line (1..MaxLines).
    // True when any bit of the line's shots changed.
    bool Run(Job& job, std::int32_t line, int sortOrder, std::string_view profileNumber);
    // The same on the records EditLineForPass gave. Touches nothing else of
    // the job, so it may run beside work on other lines.
    // With `distancesBefore` (one per shot), a shot's distance is judged
    // against that instead of what it holds now.
    bool Run(std::span<ShotRecord> shots, int sortOrder, std::string_view profileNumber,
             std::span<const float> distancesBefore = {});

private:
    // The order the grid's sort would leave the shots in.
    std::vector<int> SortedOrder(std::span<const ShotRecord> shots, int sortOrder);

    std::vector<double> values_;
    std::vector<std::string_view> texts_;
    std::vector<ShotRecord> shots_;
};

// Edits the records a pass of the line stores, in the order the grid's
// store edits them (shots 1..n, then the header with its count n, n the
// line's count kept within the table), and returns shots 1..n. Their values
// are still those the pass reads.
std::span<ShotRecord> EditLineForPass(Job& job, std::int32_t line);

} // namespace tolvanor
