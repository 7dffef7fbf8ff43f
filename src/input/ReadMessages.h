// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/NumberParsing.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvanor {

// Why a read stopped.
enum class ReadError {
    None,
    Format,    // a value that is not a number
    Open,      // the file cannot be opened or read
    EndOfFile, // reading past the end of the file
    Other,     // anything else: a missing column, an overflow, an index outside the table
};

// The read error a failed strict conversion stands for: a text that is no
// number is the format error, an overflow the general one.
inline ReadError ErrorOf(ConversionStatus status) noexcept {
    switch (status) {
    case ConversionStatus::Ok:
        return ReadError::None;
    case ConversionStatus::TypeMismatch:
        return ReadError::Format;
    case ConversionStatus::Overflow:
        return ReadError::Other;
    }
    return ReadError::Other;
}

// The message shown for a read error. `rawLine` is the last line read, as
// read; `jobLineCounter` the text lines of a job file read so far (0 for
// the other data types).
std::string ReadErrorMessage(ReadError error, std::string_view rawLine, std::int64_t jobLineCounter);

// Shown once when a read meets a profile that no longer fits the table.
std::string LineLimitMessage(std::int32_t maxLines, std::string_view profileNumber);
// Shown once per read when a line is full; reading goes on.
std::string ShotLimitMessage(std::int32_t maxShots, std::string_view profileNumber);

} // namespace tolvanor
