// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class Job;
class Prompter;

// "Reset Ignore to NO - this line only": stores the grid, takes back every
// ignored shot of the current line (after taking the undo snapshot), reloads
// and redraws. The line's own ignore flag stays.
void ResetIgnoreLine(Job& job, DataEditor& editor);

// "Reset Ignore to NO - ALL Lines": asks first (OK / Cancel; it cannot be
// undone), then stores the grid and takes back every ignored shot of every
// line. Line ignore flags stay. False when cancelled.
bool ResetIgnoreAllLines(Job& job, DataEditor& editor, Prompter& prompter);

} // namespace tolvanor
