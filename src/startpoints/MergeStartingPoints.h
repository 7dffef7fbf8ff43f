// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "processing/LineGeometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tolvanor {

class Job;

enum class StartingPointSkip {
    Blank,        // an empty line (or only blanks)
    TooFewFields, // fewer than four fields
    NotANumber,   // easting, northing or angle is not a number (or out of range)
};

struct SkippedStartingPoint {
    int LineNumber = 0; // 1-based line of the file
    StartingPointSkip Reason = StartingPointSkip::Blank;
};

// What a merge did, for the window to report.
struct MergeReport {
    bool FileRead = false; // false: no such file, or unreadable; nothing changed
    // The file exists but could not be read (ReadError says why): callers
    // report it (UnreadableFileText) and treat it like a failed read.
    bool ReadFailed = false;
    std::string ReadError;
    int EntriesUsed = 0; // entries read and compared with the lines
    int HeadersSet = 0;  // line headers written (a line matched twice counts twice)
    std::vector<SkippedStartingPoint> Skipped;
};

// Applies a starting-point file to lines 1..LineCount: each readable entry
// ("profile,easting,northing,angle") sets the header of every line whose
// profile key (TrimToLastDigit, after the same profile-number formatting on
// both sides) equals the entry's; later entries win. Then recomputes the
// distance down range of every shot of every line with a starting point.
// Positions never move. Lines no entry matches keep their starting point.
// A file that exists but cannot be read changes nothing and sets ReadFailed.
MergeReport MergeStartingPoints(Job& job, const std::string& path, bool formatProfileNumbers);

// The merge in two steps, for a pass that skips lines it knows: the file's
// entries into the line headers (each header written only when it changes),
// then, when the file was read, each line's distances.
MergeReport ApplyStartingPointEntries(Job& job, const std::string& path, bool formatProfileNumbers);
// The distance down range of every shot of a line with a starting point.
void RecomputeLineDistances(Job& job, std::int32_t line);
// The same in two steps, so that other threads can do the second: the shots
// edited as the recompute edits them (on the table's thread), then
// SetDistances on them (on any thread). Nothing, and nothing edited, for a
// line without a starting point.
std::optional<LineShots> EditLineForDistances(Job& job, std::int32_t line);

// "Unable to read the starting point file " + path + CR LF + the reason.
std::string UnreadableStartingPointFileText(const std::string& path, const MergeReport& report);

} // namespace tolvanor
