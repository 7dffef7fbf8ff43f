// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/TextFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanor {

// The lines of a text file as bytes: a UTF-8 byte-order mark at its start is
// skipped, a line ends at LF or at the end of the file, one CR before its end
// is dropped. Nothing when it cannot be read, and then, when `error` is
// given, whether it is missing and the system's reason. Never throws.
std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path, FileReadError* error = nullptr);

// The lines of text already read, split as above.
std::vector<std::string> SplitTextLines(std::string_view bytes);

// Empty or only spaces and tabs.
bool IsBlankLine(std::string_view line) noexcept;

} // namespace tolvanor
