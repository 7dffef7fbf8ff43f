// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/ReadOptions.h"

#include <cstdint>

namespace tolvanor {

class Job;
class Progress;
class Prompter;

enum class LoadOutcome {
    Loaded,        // the job holds lines: the caller refreshes and shows the editor
    NoData,        // no line loaded; "No data in the selected format..." was shown
    ReadFailed,    // a read error was shown; the job is as before the read
    NoSourceFile,  // no file name given; "Please select a source file" was shown
    SourceMissing, // "Selected source file does not exist..." was shown
    Cancelled,     // New File: the user kept the unsaved work
};

struct LoadResult {
    LoadOutcome Outcome = LoadOutcome::Loaded;
    std::int32_t LinesBefore = 0;   // LineCount when the read started
    std::int32_t LinesAfter = 0;    // LineCount after the command
    std::int64_t RecordsStored = 0; // shots (job-file records) stored by the read
    bool LineLimitReached = false;  // the read stopped at the line limit (its message shown)
    bool ShotLimitReached = false;  // a line was full (its message shown)
};

// "Append Data": checks the source file, reads it into the job and says
// whether the job now holds lines. Adding nothing to a job that already
// holds lines is still Loaded, with no message. The commands leave the
// editor alone: on Loaded the caller refreshes it (RefreshDataEdit).
LoadResult AppendData(Job& job, const ReadOptions& options, Prompter& prompter, Progress* progress = nullptr);

// "New File": asks before discarding unsaved work, clears the job (and
// DataChanged, the unsaved work being gone), then appends the source. After
// a failed read the job stays empty. Unless Cancelled, the caller also clears
// the editor's plan view, the job it showed being gone.
LoadResult NewFile(Job& job, const ReadOptions& options, Prompter& prompter, Progress* progress = nullptr);

} // namespace tolvanor
