// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tolvanor {

class DataEditor;
class Job;
class Prompter;

// What a commit of the in-place editor did.
enum class CellCommit {
    Stored,           // the cell and the shot have the new value
    NotStored,        // loading in progress, or the current cell is a title or the sequence column
    ShotTypeRejected, // not B, L, S or W: cell empty while the message shows, then the shot's type again
};

// The cell text a commit into column `col` writes for the typed text:
// numbers through the column's commit pattern (Easting and Northing four
// decimals; Elevation, DBT, Tide, Pitch and Roll one; Heave two), other texts
// as typed; the Shot column upper-cased and trimmed; the Remark as typed.
std::string CommittedCellText(int col, std::string_view typed);

// Writes the typed text into the grid's current cell and into that shot of
// the current line, after taking the undo snapshot. An Easting or Northing
// commit recomputes the row's DR Dist. cell; numeric columns redraw the
// charts. The current cell stays where it was. Sets DataChanged.
CellCommit StoreEditedCell(Job& job, DataEditor& editor, Prompter& prompter, std::string_view typed);

} // namespace tolvanor
