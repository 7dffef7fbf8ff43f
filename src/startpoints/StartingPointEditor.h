// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grid/GridModel.h"
#include "startpoints/StartingPointGrid.h"

#include <array>
#include <string>
#include <string_view>

namespace tolvanor {

class Prompter;

// What the window does after Quit.
enum class QuitDecision { Hide, Stay };

// The outcome of Add New Entry or Replace Data: whether the row was
// written, and the edit box that should take the focus (the refused one,
// or box 0 after a stored entry).
struct EntryResult {
    bool Stored = false;
    int FocusBox = 0;
};

// The starting-point editor's state and commands: the grid of entries, the
// four edit boxes, "Keep This Angle", the saved state and the current file.
// The window forwards its events here and draws what it reads back.
class StartingPointEditor {
public:
    static constexpr int BoxCount = StartingPointColumn::Count;

    explicit StartingPointEditor(Prompter& prompter);

    GridModel& Grid() noexcept { return grid_; }
    const GridModel& Grid() const noexcept { return grid_; }

    const std::string& EditText(int box) const noexcept;
    void SetEditText(int box, std::string_view text);
    bool KeepAngle() const noexcept { return keepAngle_; }
    void SetKeepAngle(bool keep) noexcept { keepAngle_ = keep; }
    // Ticked: the grid matches the file last loaded or saved.
    bool Saved() const noexcept { return saved_; }
    // Entries typed, changed or chosen since the last load or save (an
    // untouched fresh grid has none): the program's end must ask first.
    bool HasUnsavedEntries() const noexcept { return !saved_ && HasEntries(); }
    // The row drawn in the button-face colour (0: none).
    int HighlightedRow() const noexcept { return highlightedRow_; }
    // The text of the "Current File" box.
    const std::string& CurrentFileText() const noexcept { return currentFileText_; }
    // Where the open dialog starts: the main window's starting-point file.
    void SetInitialPath(std::string path) { initialPath_ = std::move(path); }
    const std::string& InitialPath() const noexcept { return initialPath_; }

    // Fills row 1 of a fresh grid, else appends a row; then clears the boxes.
    EntryResult AddNewEntry(bool formatProfileNumbers);
    // Writes the boxes into the current row: trimmed, upper-cased, the
    // profile number formatted.
    EntryResult ReplaceData(bool formatProfileNumbers);
    // Empties the boxes; the angle stays when "Keep This Angle" is ticked.
    void ClearEditData();
    // Removes the current row and shows the entry that moved into its place.
    void DeleteEntry();
    // A row chosen in the grid: highlights it and copies it into the boxes.
    void SelectRow(int row);
    void Open(bool formatProfileNumbers);
    void Save();
    QuitDecision Quit();

private:
    // The refused box, or -1 when every box holds a usable value.
    int RefusedBox(std::string_view emptyTitle);
    void WriteRow(int row, bool formatProfileNumbers);
    bool HasEntries() const noexcept;
    // Asks before unsaved entries are replaced; false when the user stops.
    bool OfferSave();
    void KeepOneEntryRow();

    Prompter& prompter_;
    GridModel grid_;
    std::array<std::string, BoxCount> edits_;
    bool keepAngle_ = false;
    bool saved_ = false;
    int highlightedRow_ = 0;
    std::string currentFile_;
    std::string currentFileText_;
    std::string initialPath_;
};

// The "Current File" text of a path: "..." and its last 68 characters when
// it is 71 characters or longer, else the path itself.
std::string ShortenedFileName(std::string_view path);

} // namespace tolvanor
