// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace tolvanor {

class DataEditor;
class Job;
class Prompter;

// Deletes every line whose profile number contains `text` (case-sensitive),
// or equals it exactly when the text is wrapped in double quotes ("12");
// a lone `"` is a plain substring. Later lines move down, the profile list
// loses the deleted entries, and the result is reported: "3 lines containing
// 12 deleted." or "No lines matching   12   were found. ". An empty text does
// nothing. Returns the number of lines deleted.
std::int32_t DeleteLinesContaining(Job& job, DataEditor& editor, Prompter& prompter, std::string_view text);

enum class DeleteLinesOutcome {
    LinesLeft,  // the first profile is shown
    AllDeleted, // "All lines have been deleted.": the window hides the editor
};

// "Delete Lines": asks for the text, deletes, then shows the first profile
// (both profile lists are refilled). No undo; sets DataChanged.
DeleteLinesOutcome DeleteLines(Job& job, DataEditor& editor, Prompter& prompter);

} // namespace tolvanor
