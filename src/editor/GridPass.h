// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace tolvanor {

class Job;

// One line through the line-data grid without the grid: what loading the
// line, sorting it by a sort order and storing it back under a profile
// number leave in the table, computed from the values. Every stored number
// is the value its display pattern reads back as, the shots are sorted on
// the values the grid's cells would give, and the records are written in
// the same order as the store writes them. Keeps its buffers between lines.
class GridPass {
public:
    // `line` must be a data line (1..MaxLines).
    void Run(Job& job, std::int32_t line, int sortOrder, std::string_view profileNumber);

private:
    // The order the grid's sort would leave shots 1..shots in.
    std::vector<int> SortedOrder(const Job& job, std::int32_t line, std::int32_t shots, int sortOrder);

    std::vector<double> values_;
    std::vector<std::string_view> texts_;
    std::vector<ShotRecord> shots_;
};

} // namespace tolvanor
