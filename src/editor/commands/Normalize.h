// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class Job;
class Prompter;

// "Normalize Line": moves every shot of the listed line onto its profile line
// after taking the undo snapshot, then reloads, re-sorts and redraws. A line
// without starting point is refused with "Unable to Normalize.  No Starting
// Point for this line." False when nothing was changed.
bool NormalizeLineCommand(Job& job, DataEditor& editor, Prompter& prompter);

// "Normalize Shots": the same for the selected rows of the current line only.
bool NormalizeShotsCommand(Job& job, DataEditor& editor, Prompter& prompter);

} // namespace tolvanor
