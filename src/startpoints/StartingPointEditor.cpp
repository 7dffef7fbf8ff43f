// SPDX-License-Identifier: GPL-3.0-or-later
#include "startpoints/StartingPointEditor.h"

#include "core/NumberParsing.h"
#include "core/Prompter.h"
#include "core/Text.h"
#include "processing/FieldHelpers.h"
#include "processing/ProfileNumber.h"

#include <array>

namespace tolvanor {

namespace {

constexpr std::string_view InvalidDataText = "Invalid Data.  All fields must be filled out.";
constexpr std::string_view DataEntryTitle = "Data Entry Error";
constexpr std::string_view SaveQuestion = "Do you wish to save your Starting Point File first?";
constexpr std::string_view NotSavedText = "Your Starting Points were not saved";
constexpr std::string_view FileFilter = "Starting Point Files (*.spf)|*.spf|All Files (*.*)|*.*|";
constexpr std::string_view FileExtension = "spf";
constexpr std::string_view CrLf = "\r\n";
constexpr std::size_t ShortenFrom = 71;
constexpr std::size_t ShortenedTail = 68;

constexpr std::array<std::string_view, StartingPointColumn::Count> FieldNames = {"Profile Number", "Easting",
                                                                                 "Northing", "Line Angle"};

// An easting or northing the merge reads as a 64-bit number, an angle as a 32-bit one.
bool IsUsableNumber(int box, std::string_view text) {
    if (box == StartingPointColumn::LineAngle) {
        float angle = 0;
        return StrictToFloat(text, angle) == ConversionStatus::Ok;
    }
    double value = 0;
    return StrictToDouble(text, value) == ConversionStatus::Ok;
}

// A common dialog adds the default extension to a name typed without one.
std::string WithDefaultExtension(std::string path) {
    const auto nameStart = path.find_last_of("/\\");
    const auto name = std::string_view(path).substr(nameStart == std::string::npos ? 0 : nameStart + 1);
    if (!name.empty() && name.find('.') == std::string_view::npos) path += "." + std::string(FileExtension);
    return path;
}

} // namespace

std::string ShortenedFileName(std::string_view path) {
    if (path.size() < ShortenFrom) return std::string(path);
    return "..." + std::string(path.substr(path.size() - ShortenedTail));
}

StartingPointEditor::StartingPointEditor(Prompter& prompter) : prompter_(prompter) {
    SetUpStartingPointGrid(grid_);
}

const std::string& StartingPointEditor::EditText(int box) const noexcept {
    static const std::string none;
    return box >= 0 && box < BoxCount ? edits_[static_cast<std::size_t>(box)] : none;
}

void StartingPointEditor::SetEditText(int box, std::string_view text) {
    if (box >= 0 && box < BoxCount) edits_[static_cast<std::size_t>(box)] = text;
}

int StartingPointEditor::RefusedBox(std::string_view emptyTitle) {
    for (int box = 0; box < BoxCount; ++box) {
        if (!edits_[static_cast<std::size_t>(box)].empty()) continue;
        prompter_.Message(MessageRequest{std::string(InvalidDataText), std::string(emptyTitle)});
        return box;
    }
    // A comma would split the entry in the file, and a number the merge
    // cannot read would make it skip the entry: refuse both here.
    const auto& profile = edits_[StartingPointColumn::ProfileNumber];
    if (profile.find(',') != std::string::npos) {
        prompter_.Message(
            MessageRequest{"Invalid Data.  The Profile Number must not contain a comma.", std::string(DataEntryTitle)});
        return StartingPointColumn::ProfileNumber;
    }
    for (int box = StartingPointColumn::Easting; box < BoxCount; ++box) {
        if (IsUsableNumber(box, edits_[static_cast<std::size_t>(box)])) continue;
        prompter_.Message(MessageRequest{
            "Invalid Data.  The " + std::string(FieldNames[static_cast<std::size_t>(box)]) + " must be a number.",
            std::string(DataEntryTitle)});
        return box;
    }
    return -1;
}

void StartingPointEditor::WriteRow(int row, bool formatProfileNumbers) {
    grid_.BeginBatch();
    grid_.SetRow(row);
    for (int col = 0; col < BoxCount; ++col) {
        auto text = UpperAscii(TrimBlanks(edits_[static_cast<std::size_t>(col)]));
        if (col == StartingPointColumn::ProfileNumber) text = FormatProfileNumber(text, formatProfileNumbers);
        grid_.SetTextMatrix(row, col, text);
    }
    grid_.SetCol(StartingPointColumn::ProfileNumber);
    grid_.Sort(GridSortOrder::GenericAscending);
    grid_.EndBatch();
}

EntryResult StartingPointEditor::AddNewEntry(bool formatProfileNumbers) {
    if (const int refused = RefusedBox(DataEntryTitle); refused >= 0) return {false, refused};
    grid_.SetRow(1);
    grid_.SetCol(0);
    const bool freshRow = grid_.Rows() == 2 && grid_.TextMatrix(1, 0).empty();
    if (!freshRow) grid_.AddRow(std::span<const std::string_view>{});
    WriteRow(freshRow ? 1 : grid_.Rows() - 1, formatProfileNumbers);
    ClearEditData();
    saved_ = false;
    return {true, 0};
}

EntryResult StartingPointEditor::ReplaceData(bool formatProfileNumbers) {
    if (const int refused = RefusedBox({}); refused >= 0) return {false, refused};
    WriteRow(std::max(grid_.Row(), grid_.FixedRows()), formatProfileNumbers);
    ClearEditData();
    // The grid no longer matches the file, so Quit must ask.
    saved_ = false;
    return {true, 0};
}

void StartingPointEditor::ClearEditData() {
    const int last = keepAngle_ ? StartingPointColumn::LineAngle : BoxCount;
    for (int box = 0; box < last; ++box) edits_[static_cast<std::size_t>(box)].clear();
}

void StartingPointEditor::DeleteEntry() {
    const int row = grid_.Row();
    if (row >= grid_.FixedRows()) grid_.RemoveItem(row);
    KeepOneEntryRow();
    SelectRow(grid_.Row());
}

void StartingPointEditor::SelectRow(int row) {
    grid_.SetRow(std::max(row, grid_.FixedRows()));
    const int current = grid_.Row();
    for (int col = 0; col < BoxCount; ++col) edits_[static_cast<std::size_t>(col)] = grid_.TextMatrix(current, col);
    highlightedRow_ = current;
    saved_ = false;
}

bool StartingPointEditor::HasEntries() const noexcept {
    for (int row = grid_.FixedRows(); row < grid_.Rows(); ++row) {
        for (const auto& text : grid_.RowTexts(row))
            if (!text.empty()) return true;
    }
    return false;
}

bool StartingPointEditor::OfferSave() {
    if (!HasUnsavedEntries()) return true;
    const auto answer = prompter_.Message(
        MessageRequest{std::string(SaveQuestion), {}, MessageButtons::YesNoCancel, MessageIcon::Question});
    if (answer == MessageAnswer::Cancel) return false;
    if (answer != MessageAnswer::Yes) return true;
    Save();
    if (!saved_) prompter_.Message(NotSavedText);
    return saved_;
}

// Replace Data and Add New Entry need a row to write into; an empty grid
// keeps the one empty row of a fresh window.
void StartingPointEditor::KeepOneEntryRow() {
    if (grid_.Rows() <= grid_.FixedRows()) grid_.AddRow(std::span<const std::string_view>{});
    grid_.SetRow(std::max(grid_.Row(), grid_.FixedRows()));
}

void StartingPointEditor::Open(bool formatProfileNumbers) {
    // Opening another file replaces the grid: unsaved entries are offered for saving first.
    if (!OfferSave()) return;
    const auto path = prompter_.OpenFile(FileDialogRequest{"Open Starting Point File", std::string(FileFilter),
                                                           std::string(FileExtension), initialPath_});
    if (path.empty() || !FileExists(path)) {
        prompter_.Message(MessageRequest{"Invalid file name.  Please try again.", "File Open Error", MessageButtons::Ok,
                                         MessageIcon::Exclamation});
        return;
    }
    if (!LoadFlexGrid(grid_, path, formatProfileNumbers)) {
        prompter_.Message(MessageRequest{"Unable to read the starting point file." + std::string(CrLf) + path,
                                         "File Open Error", MessageButtons::Ok, MessageIcon::Exclamation});
        return;
    }
    KeepOneEntryRow();
    grid_.SetRow(grid_.FixedRows());
    highlightedRow_ = 0;
    currentFile_ = path;
    currentFileText_ = ShortenedFileName(path);
    saved_ = true;
}

void StartingPointEditor::Save() {
    auto path = prompter_.SaveFile(FileDialogRequest{"Save Starting Point File", std::string(FileFilter),
                                                     std::string(FileExtension),
                                                     currentFile_.empty() ? initialPath_ : currentFile_});
    if (path.empty()) return;
    path = WithDefaultExtension(std::move(path));
    std::string reason;
    if (!SaveFlexGrid(grid_, path, &reason)) {
        prompter_.Message(MessageRequest{"Unable to save the starting point file." + std::string(CrLf) + path +
                                             std::string(CrLf) + reason,
                                         {},
                                         MessageButtons::Ok,
                                         MessageIcon::Exclamation});
        return;
    }
    currentFile_ = path;
    currentFileText_ = path;
    saved_ = true;
}

QuitDecision StartingPointEditor::Quit() {
    if (saved_) return QuitDecision::Hide;
    const auto answer = prompter_.Message(
        MessageRequest{std::string(SaveQuestion), {}, MessageButtons::YesNoCancel, MessageIcon::Question});
    switch (answer) {
    case MessageAnswer::Cancel:
        return QuitDecision::Stay;
    case MessageAnswer::Yes:
        Save();
        if (saved_) return QuitDecision::Hide;
        prompter_.Message(NotSavedText);
        return QuitDecision::Stay;
    case MessageAnswer::No:
    case MessageAnswer::Ok:
        return QuitDecision::Hide;
    }
    return QuitDecision::Stay;
}

} // namespace tolvanor
