// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class GridModel;
class Prompter;

// "Interpolate Elevation" needs a shot on each side: it is enabled unless the
// current row is the first or the last data row.
bool InterpolateEnabled(const GridModel& grid) noexcept;

// A click on a starting-point box: they are changed in the starting-point
// file only, so this says so.
void RefuseStartingPointEdit(Prompter& prompter);

} // namespace tolvanor
