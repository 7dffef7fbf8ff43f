// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Job.h"
#include "output/OutputFormat.h"
#include "output/OutputOptions.h"
#include "output/OutputResult.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvanor {

class Progress;

// Where and why a deliverable could not be written.
struct WriteFailure {
    std::string Path;
    std::string Reason;
};

// One deliverable format as the common walk drives it. Every step returns
// false on failure and leaves the details in Failure().
class DeliverableWriter {
public:
    virtual ~DeliverableWriter() = default;
    // Creates, replaces or opens for appending, and writes the file's header.
    virtual bool Open(const std::string& path) = 0;
    // Writes the used shots of one line and the line's trailer.
    virtual bool WriteLine(const Job& job, std::int32_t line) = 0;
    virtual bool Close() = 0;
    virtual WriteFailure Failure() const = 0;
};

// The common walk: lines 1..LineCount in order, ignored lines skipped; one
// file for all lines or one per line (F/P_N.ext); in single-file mode the
// file is opened only when a line is written, so all-ignored writes nothing.
// Stops at the first failure.
OutputResult WriteDeliverable(const Job& job, const OutputOptions& options, std::string_view folder,
                              OutputFormat format, DeliverableWriter& writer, Progress* progress);

// Shots 1..LastShot(job, line) of a line; never past the table.
inline std::int32_t LastShot(const Job& job, std::int32_t line) noexcept {
    return std::min(job.ShotCount(line), job.Data.ShotBound());
}

} // namespace tolvanor
