// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class Job;

// "Toggle Ignore Line": the current line is left out of the output, or taken
// back in; an ignored line shows "LINE IGNORED" instead of the grid. No undo.
void ToggleIgnoreLine(Job& job, DataEditor& editor);

// "Toggle Ignore Shot": every selected row's Ignore flips by itself ("Yes"
// becomes "No" and the other way), in the grid and the line; the charts are
// redrawn. No undo.
void ToggleIgnoreShot(Job& job, DataEditor& editor);

} // namespace tolvanor
