// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tolvanor {

// A stretch of a profile copied between the profile chart's cursors, kept
// across line changes so it can be shown over and pasted into another line.
// The "Copied Data" curve is drawn from the shots' distances (x) and
// elevations (y), shifted by the drag offsets while the user drags it.
struct CopyBuffer {
    // Cursor ranges wider than this are cut.
    static constexpr std::size_t Capacity = 3001;

    // In curve order; each carries distance, elevation, DBT, heave, tide,
    // northing, easting and the cursor shot type, nothing else.
    std::vector<ShotRecord> Shots;
    // The Shot cell of the grid row found for the second cursor when the
    // cursors last moved; the copied shots take it.
    std::string CursorShotType;

    // While dragging: the curve is drawn shifted by these, its points unchanged.
    double OffsetX = 0;
    double OffsetY = 0;
    bool Dragging = false;
    // The point that follows the mouse during a drag.
    int GrabbedPoint = -1;

    int Count() const noexcept { return static_cast<int>(Shots.size()); }
};

} // namespace tolvanor
