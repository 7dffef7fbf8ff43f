// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Prompter.h"

#include <optional>
#include <string_view>

namespace tolvanor {

// The open dialog of "Select Input File": the data type's filter, started in
// the folder of the current source file (no file preselected).
FileDialogRequest SourceFileRequest(int dataType, std::string_view currentFile);

// The data type a file's extension names without doubt (".tvn" a saved job,
// ".co" a field file, ".dat" a processed file, ".csv" a Trimble file); nothing
// for an extension several types share (".xyz") or none uses.
std::optional<int> DataTypeFromExtension(std::string_view path);

} // namespace tolvanor
