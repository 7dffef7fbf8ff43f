// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tolvanor {

// Reads a text file for copying line by line into an output: every line
// (ended by LF or by the end of the file, one CR before the end dropped)
// becomes the line's bytes and CR LF; a UTF-8 byte-order mark at its start is
// skipped. False, with the system's reason, when the file cannot be read.
bool ReadTemplateText(const std::string& path, std::string& text, std::string& reason);

} // namespace tolvanor
