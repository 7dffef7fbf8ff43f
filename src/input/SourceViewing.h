// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tolvanor {

class Prompter;

// How "View Source Data" shows a source file.
enum class SourceViewRoute {
    NoFile,            // "No valid filename specified..." and nothing else
    TextEditor,        // a job file, in the system's plain text editor
    AssociatedProgram, // the program the system associates with the file
    InternalViewer,    // a job file where no text editor exists, straight to the viewer
};

// The copy of the source file the internal viewer shows, in the temporary folder.
inline constexpr std::string_view SourceCopyName = "tolvasource.tmp";
inline constexpr std::string_view SourceViewerCaption = "Source Data File";
inline constexpr std::string_view NoValidSourceFileMessage =
    "No valid filename specified.  Please select a valid file.";

// A job file is one whose name ends in "tvn", in any letter case.
bool IsJobFileName(std::string_view path) noexcept;

SourceViewRoute ChooseSourceViewRoute(std::string_view sourceFile, bool fileExists, bool hasTextEditor) noexcept;

// Shown when the system cannot open the file, before the internal viewer
// opens. Off Windows the advice names the user's file manager.
std::string NoAssociatedProgramMessage(bool windows);

// The viewer's close question when its text was changed: true to close.
bool ConfirmDiscardViewerChanges(Prompter& prompter);

// The viewer's save dialog, preset to the file it shows; empty when cancelled.
std::string AskViewerSaveName(Prompter& prompter, std::string_view currentName);

// "Unable to save the file." with the path and the system's reason.
std::string ViewerSaveFailedMessage(std::string_view path, std::string_view reason);

// The line end a text uses (the first one found; CR LF when it has none), so
// the viewer writes an edited file back the way it came.
enum class LineEnding { CrLf, Lf, Cr };
LineEnding DetectLineEnding(std::string_view text) noexcept;
// `text` with "\n" line ends, written with `ending`.
std::string WithLineEnding(std::string_view text, LineEnding ending);

} // namespace tolvanor
