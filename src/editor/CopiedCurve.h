// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class EditorPlots;
class Job;
class Prompter;

// The "Copied Data" curve of the profile chart, drawn from the editor's copy
// buffer (red, marked), and the user's handling of it.

// (Re)draws the curve from the copied shots and marks it shown.
void ShowCopiedData(DataEditor& editor, EditorPlots& plots);

// "Copied Data View": switches the curve on or off. Nothing without a copy.
void ToggleCopiedDataView(DataEditor& editor, EditorPlots* plots = nullptr);

// A mouse move with the left button down and no Shift, at chart position
// (x, y): the copied curve's point nearest in x when the drag began follows
// the mouse, the curve drawn shifted by the offsets. False when no shown
// copied curve exists (the move is then not a drag of it).
bool DragCopiedCurve(DataEditor& editor, double x, double y, EditorPlots* plots = nullptr);

// The left button released: a drag in progress moves the copied shots by the
// offsets (distance and elevation), places them on the current line at their
// new distances and clears the offsets. False when no drag was in progress.
bool ReleaseCopiedCurve(Job& job, DataEditor& editor, Prompter& prompter, EditorPlots* plots = nullptr);

} // namespace tolvanor
