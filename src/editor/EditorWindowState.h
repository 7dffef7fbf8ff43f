// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tolvanor {

// The "Starting Point" frame for the line in the grid.
struct StartingPointDisplay {
    bool Loaded = false; // false: the label has a red background
    std::string Caption; // "Starting Point Loaded" or "No Starting Point!"
    std::string ToolTip;
    std::string Easting; // the three read-only boxes; empty without a starting point
    std::string Northing;
    std::string Angle;
};

// What the editor window shows besides the grid, as plain state.
struct EditorWindowState {
    std::string Caption = "Survey Data View/Edit";
    bool GridVisible = true;         // false: the line is ignored and "LINE IGNORED" shows instead
    bool UndoEnabled = false;        // "Undo": the snapshot belongs to the line shown
    bool CopiedCurveShown = false;   // the "Copied Data" curve is on the profile chart
    bool UpdatePlotsVisible = false; // "Update Plots" after the additional plot lines changed
    StartingPointDisplay StartingPoint;
};

} // namespace tolvanor
