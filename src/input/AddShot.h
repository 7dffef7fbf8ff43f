// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShotRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvanor {

class Job;
class ReadJournal;

enum class AddShotResult {
    Stored,
    LineFull,     // the profile's line holds MaxShots - 1 shots; ShotLimitProfile names it
    TooManyLines, // a new line would pass MaxLines; LineLimitProfile names the profile
};

// Stores a shot at the end of the line of its profile number, starting a new
// line (with a clean header) in ascending binary order of profile numbers
// when there is none. Lines hold at most MaxShots - 1 shots, the job at most
// MaxLines lines. A shot stored in a line with a starting point gets its
// distance down range. The line that received the shot becomes CurrentLine,
// which is also tried first for the next shot.
AddShotResult AddShot(Job& job, const ShotRecord& record);

// AddShot for a whole read: finds lines by binary search while the lines are
// in order, and reports every change to a journal so a failed read can be undone.
class ShotStore {
public:
    ShotStore(Job& job, ReadJournal* journal);
    AddShotResult Add(const ShotRecord& record);

private:
    std::int32_t FindLine(std::string_view profileNumber) const;
    AddShotResult AppendTo(std::int32_t line, const ShotRecord& record);
    AddShotResult StartLine(std::int32_t at, const ShotRecord& record);
    void Write(std::int32_t line, std::int32_t shot, const ShotRecord& record);
    void SetDistance(std::int32_t line, std::int32_t shot);

    void Remember(std::int32_t line, std::string_view name);

    Job& job_;
    ReadJournal* journal_;
    // Lines 1..LineCount are in ascending (non-decreasing) order of names.
    bool ordered_;
    // The line the last shot went to (0: none yet), its name and whether it
    // has a starting point. Adding shots to a line changes none of them, so
    // while shots of one profile follow each other the table is not asked.
    std::int32_t lastLine_ = 0;
    std::string lastName_;
    bool lastHasStart_ = false;
};

} // namespace tolvanor
