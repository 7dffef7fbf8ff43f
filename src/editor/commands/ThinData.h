// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tolvanor {

class DataEditor;
class Job;
class Prompter;

// The main window's thinning choices.
struct ThinSettings {
    std::string Method;    // "None", "Distance" or "Number to Ignore"
    std::string Increment; // the increment box's text
};

// "Thin Data": thins the current line by the main window's method after
// taking the undo snapshot, then reloads and redraws. Method "None" or no
// listed profile does nothing; a line without starting point is refused with
// "Can't thin without a starting point." False when nothing was changed.
bool ThinData(Job& job, DataEditor& editor, Prompter& prompter, const ThinSettings& settings);

} // namespace tolvanor
