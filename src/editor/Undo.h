// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class Job;

// The grid cell that was current when the undo snapshot was taken.
struct UndoCell {
    int Row = 0;
    int Col = 0;
};

// Takes the one-level undo snapshot: the current line's header and shots go
// to the job's undo line, the grid's current cell is remembered and Undo is
// enabled. Without a current line nothing is taken.
void StoreUndo(Job& job, DataEditor& editor);

// Puts the snapshot back over the current line (header included, so the shot
// count and starting point return too), reloads the grid and charts, makes
// the remembered cell current with the grid scrolled to show it, disables
// Undo and sets DataChanged. False, and nothing done, while Undo is disabled.
bool Undo(Job& job, DataEditor& editor);

} // namespace tolvanor
