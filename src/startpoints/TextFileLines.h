// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanor {

// The lines of a text file as bytes: a line ends at LF or at the end of the
// file, one CR before its end is dropped. Nothing when it cannot be read.
std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path);

// Empty or only spaces and tabs.
bool IsBlankLine(std::string_view line) noexcept;

} // namespace tolvanor
