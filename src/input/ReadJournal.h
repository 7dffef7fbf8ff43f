// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tolvanor {

class Job;

// Remembers what a read changes in a job so that a failed read can put the
// job back as it was. It records only what the read overwrites (headers it
// recounts, records that held data, lines it inserts), so a successful read
// costs next to nothing extra; a read into an empty job records nothing and
// is undone by clearing the table.
class ReadJournal {
public:
    explicit ReadJournal(Job& job);

    // Call before writing record (line, shot).
    void BeforeWrite(std::int32_t line, std::int32_t shot);
    // Call after lines `at`..`lineCount` moved down one place and the slot
    // after them came up to `at` (a line was inserted at `at`).
    void LineInserted(std::int32_t at, std::int32_t lineCountBefore);

    // Puts the job back as it was when the journal was made.
    void Restore();

private:
    struct Entry {
        enum class Kind : std::uint8_t { Record, Grown, Inserted };
        Kind What;
        std::int32_t Line;
        std::int32_t Value; // Record: shot; Grown: records stored before; Inserted: line count before
        ShotRecord Saved;   // Record only
    };

    void SaveRecord(std::int32_t line, std::int32_t shot);

    Job& job_;
    bool startedEmpty_;
    std::int32_t lineCount_;
    std::int32_t currentLine_;
    std::string lineLimitProfile_;
    std::string shotLimitProfile_;
    std::vector<Entry> entries_;
    // Per table line: its header (resp. its size) has been saved since the
    // last insertion moved lines about.
    std::vector<std::uint8_t> headerSaved_;
    std::vector<std::uint8_t> sizeSaved_;
};

} // namespace tolvanor
