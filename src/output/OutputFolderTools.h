// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Prompter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanor {

// The preview label before a prefix is set.
inline constexpr std::string_view NoPrefixPreview = "(need to select an output file prefix)";
inline constexpr std::size_t PreviewLength = 60;

// The preview of the output names: folder, separator (unless the folder
// ends in one), prefix, ".xxx"; over 60 characters, "..." and the last 60.
std::string OutputFileStringPreview(std::string_view folder, std::string_view prefix);

// A folder and a name below it, with a separator unless the folder ends in one.
std::string JoinFolder(std::string_view folder, std::string_view name);

// "File Prefix": asks for the prefix; nothing when the answer is empty.
std::optional<std::string> AskOutputPrefix(Prompter& prompter);

// "New Folder": asks for a name below `folder`, confirms and creates it.
// The new folder's path, or nothing (cancelled, or the failure was shown).
std::optional<std::string> NewOutputFolder(std::string_view folder, Prompter& prompter);

// "Change Drive": with drive letters (`volumes` empty) asks for a letter;
// otherwise offers the mounted volumes' root folders. The root of the
// chosen drive, or nothing (cancelled, or "Drive not found..." was shown).
std::optional<std::string> ChangeOutputDrive(Prompter& prompter, const std::vector<std::string>& volumes);
inline constexpr std::string_view DriveNotFoundMessage = "Drive not found or no media in drive";

// The dialogs of "Select Output Folder" and "Select Template File".
FolderRequest OutputFolderRequest(std::string_view currentFolder);
FileDialogRequest TemplateFileRequest(std::string_view currentFile);

} // namespace tolvanor
