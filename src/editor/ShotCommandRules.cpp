// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ShotCommandRules.h"

#include "core/Prompter.h"
#include "grid/GridModel.h"

namespace tolvanor {

bool InterpolateEnabled(const GridModel& grid) noexcept {
    const int lastRow = grid.Rows() - 1;
    return grid.Row() != 1 && grid.Row() != lastRow;
}

void RefuseStartingPointEdit(Prompter& prompter) {
    prompter.Message("Starting Point data must be changed in Starting Point File");
}

} // namespace tolvanor
