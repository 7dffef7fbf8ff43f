// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tolvanor {

// The bytes a spreadsheet's "CSV UTF-8" puts at the start of a text file.
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// The text without a UTF-8 byte-order mark at its start. Text files are read
// as bytes, so the mark would otherwise become part of the first field.
inline std::string_view WithoutByteOrderMark(std::string_view text) noexcept {
    if (text.starts_with(Utf8ByteOrderMark)) text.remove_prefix(Utf8ByteOrderMark.size());
    return text;
}

// Why a file could not be read.
struct FileReadError {
    bool Missing = false; // there is no such file
    std::string Reason;   // the system's reason
};

// Reads a whole file as bytes into `bytes`. Never throws: false, with the
// reason in `error`, when it cannot be opened or read to its end.
bool ReadFileBytes(const std::string& path, std::string& bytes, FileReadError& error);

} // namespace tolvanor
