// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class Job;
class Prompter;

enum class InterpolateOutcome {
    Interpolated,
    EndShotSelected, // "Can not interpolate if first or last shot is selected."
    NotElevation,    // "No elevations selected"
    AnchorsTogether, // both neighbours of the selection at one position
    NoLine,          // no line is shown
};

// "Interpolate Elevation": the elevations of the selected rows (in the
// Elevation column) are set on the straight grade between the shots just
// before and just after the selection, by plan distance from the first of
// them; each DBT moves by the same amount. The shot before the selection is
// only rounded, the one after it is untouched. Takes the undo snapshot.
// Refusals show their message (title "Interpolation Problem") and change nothing.
InterpolateOutcome InterpolateElevation(Job& job, DataEditor& editor, Prompter& prompter);

} // namespace tolvanor
