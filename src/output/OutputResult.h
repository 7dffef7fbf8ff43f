// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tolvanor {

enum class OutputStatus {
    Written,        // every file the walk opened was written and closed
    NothingWritten, // no line to write (none, or all ignored): no file touched
    Failed,         // stopped at FailedPath; files before it are complete
};

// What one writer call did.
struct OutputResult {
    OutputStatus Status = OutputStatus::NothingWritten;
    // Complete files, in the order they were opened, each named once.
    std::vector<std::string> FilesWritten;
    // On failure: the output file being created or written, and the system's
    // reason (for a template that cannot be read: its path and the reason).
    std::string FailedPath;
    std::string Reason;
    // Worksheet cells that could not be stored (rows past the worksheet's
    // last row, texts over 255 bytes, numbers that are no numbers); the
    // .xls writer leaves them out without failing.
    std::int64_t CellsLeftOut = 0;

    bool Failed() const noexcept { return Status == OutputStatus::Failed; }
};

} // namespace tolvanor
