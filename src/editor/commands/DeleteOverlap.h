// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tolvanor {

class DataEditor;
class Job;

// Where shots of different types cover the same stretch of a line, keeps
// only those of the higher rank (B, then L, S, W, then A): a shot is marked
// ignored when its distance lies strictly inside the distance range of a
// type ranked above its own. Types are compared upper-cased and trimmed;
// other types are neither used nor changed; nothing is removed. Returns the
// number of shots marked.
std::int32_t DeleteOverlap(Job& job, std::int32_t line);

// "Delete Overlap": for every line when `fromAllLines` is ticked, else the
// current line; then reloads and redraws, and unticks `fromAllLines`. No undo.
std::int32_t DeleteOverlapCommand(Job& job, DataEditor& editor, bool& fromAllLines);

} // namespace tolvanor
