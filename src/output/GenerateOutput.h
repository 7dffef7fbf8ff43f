// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/OutputOptions.h"

#include <string>
#include <vector>

namespace tolvanor {

class Job;
class Progress;
class Prompter;

// The choices of the main window's output section.
struct GenerateOptions {
    bool Csv = false;  // "Trimble/Excel (.CSV)"
    bool Xyz = false;  // "Intergraph Format (.XYZ)"
    bool Isrp = false; // "ISRP 28 Format (.IRP)"
    bool Se = false;   // "ISRP for Intergraph (.SE)"
    bool Rer = false;  // "Range/Elev/Remark File (.RER)"
    bool Xls = false;  // "Excel Distance/Elevation/Pos (.XLS)"
    // "ISRP BPAS (.IRP)": remembered by the window only, selects nothing.
    bool IsrpBpas = false;

    std::string Folder;   // the output folder, as the folder list gives it
    OutputOptions Writer; // prefix, file mode, ISRP constants, template

    // 0 "None", 1 "Normalize (Straighten Line)", 2 "Thin the Data", 3 "Normalize and Thin Data".
    int PosnProcessing = 0;
    std::string ThinMethod = "None"; // "None", "Distance" or "Number to Ignore"
    std::string ThinIncrement = "1";
};

// What the output command needs of the profile editor. The window's editor
// implements it; without one (null) the editor steps are left out.
class OutputEditor {
public:
    virtual ~OutputEditor() = default;
    virtual bool IsVisible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual int SelectedProfileIndex() const = 0;
    // Selects a profile-list entry as a user would (the line is shown).
    virtual void SelectProfile(int index) = 0;
    // Every line once through the grid: sorted and rounded to its display.
    virtual void LoadArray() = 0;
    // Redraws the line the profile list names: plots, then grid.
    virtual void ShowListedProfile() = 0;
};

enum class GenerateStatus {
    Finished,  // ran to its final message (which may report failures)
    Refused,   // stopped at a precondition; nothing changed
    Cancelled, // the user cancelled at a line that cannot be normalized
};

struct GenerateResult {
    GenerateStatus Status = GenerateStatus::Refused;
    // A format was not written because its file existed and the user said No.
    bool FormatSkipped = false;
    // A writer could not create or write a file (reported to the user).
    bool WriteFailed = false;
    std::vector<std::string> FilesWritten;
};

// "Generate Output": checks, position processing on every line (in place,
// permanently), then each ticked format in its fixed order, asking before
// replacing a single file, and reports.
GenerateResult GenerateOutput(Job& job, const GenerateOptions& options, OutputEditor* editor, Prompter& prompter,
                              Progress* progress = nullptr);

} // namespace tolvanor
