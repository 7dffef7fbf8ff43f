// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tolvanor {

class DataEditor;
class Job;
class Prompter;

enum class OverlayOutcome {
    Pasted,
    NothingToPaste, // nothing copied, or the copied curve is switched off
    LineFull,       // the line cannot take that many more shots (message shown)
};

// "Overlay": pastes the copied shots into the current line after taking the
// undo snapshot. Each pasted shot takes the remark of the grid's current row,
// the line's profile number, sequence number 0 and no ignore flag; the line
// is sorted by the sort order, stored and redrawn. A paste that would take
// the line past its shot limit is refused instead of losing shots.
OverlayOutcome Overlay(Job& job, DataEditor& editor, Prompter& prompter);

} // namespace tolvanor
