// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/StoreEditedCell.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tolvanor {

class DataEditor;
class GridModel;
class Job;
class Prompter;

// The in-place cell editor as a state machine the window drives: closed, or
// open over exactly one cell (the edit origin). The window's text box shows
// and collects the text; this decides what opening and closing do.
class CellEditSession {
public:
    // The editor's text right after it opens; a commit of only this stores nothing.
    static constexpr std::string_view NothingTyped = " ";

    struct Opening {
        std::string Text;    // what the text box shows
        std::size_t Caret;   // where typing goes on
        std::string ToolTip; // the cell's text
        int Row;
        int Col;
    };

    // How a close ended.
    enum class Outcome {
        Stored,   // committed: shot, grid and charts hold the new value
        Rejected, // a shot type other than B, L, S or W (message shown)
        Restored, // nothing typed or Escape: the cell shows its old text
        NotOpen,  // nothing to close
    };

    // A key press on the grid with character code `key` (a double click is a
    // blank). Nothing opens over the title row, the sequence column, DR Dist.
    // or Ignore. The opening key is kept in front of the nothing-typed marker
    // when the column's filter accepts it, so no keystroke is lost.
    std::optional<Opening> Open(const GridModel& grid, int key);
    // A key typed into the open editor: the key to insert, 0 to discard it.
    // Columns 1 to 8 take digits, "-", "." and Backspace only.
    int FilterKey(int key) const noexcept;

    // Enter: commits unless nothing was typed; an Easting or Northing commit
    // re-sorts the line; the line is stored whole and redrawn.
    Outcome Enter(Job& job, DataEditor& editor, Prompter& prompter, std::string_view text);
    // Escape: the cell gets its old text back; nothing is stored.
    Outcome Escape(DataEditor& editor);
    // Focus went elsewhere while the user moved to (row, col): commits like
    // Enter unless nothing was typed, then makes (row, col) current.
    Outcome FocusLeft(Job& job, DataEditor& editor, Prompter& prompter, std::string_view text, int row, int col);

    bool IsOpen() const noexcept { return open_; }
    int OriginRow() const noexcept { return originRow_; }
    int OriginCol() const noexcept { return originCol_; }
    const std::string& OriginText() const noexcept { return originText_; }

    // Columns the in-place editor opens over.
    static bool IsEditableColumn(int col) noexcept;
    // The key filter of a column (see FilterKey).
    static int FilterKey(int col, int key) noexcept;

private:
    Outcome Commit(Job& job, DataEditor& editor, Prompter& prompter, std::string_view text);
    void Close() noexcept { open_ = false; }

    bool open_ = false;
    int originRow_ = 0;
    int originCol_ = 0;
    std::string originText_;
};

} // namespace tolvanor
