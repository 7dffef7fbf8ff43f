// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
    bool FileRead = false; // false: no such file (or unreadable), nothing changed
    int EntriesUsed = 0;   // entries read and compared with the lines
    int HeadersSet = 0;    // line headers written (a line matched twice counts twice)
    std::vector<SkippedStartingPoint> Skipped;
};

// Applies a starting-point file to lines 1..LineCount: each readable entry
// ("profile,easting,northing,angle") sets the header of every line whose
// profile key (TrimToLastDigit, after the same profile-number formatting on
// both sides) equals the entry's; later entries win. Then recomputes the
// distance down range of every shot of every line with a starting point.
// Positions never move. Lines no entry matches keep their starting point.
MergeReport MergeStartingPoints(Job& job, const std::string& path, bool formatProfileNumbers);

} // namespace tolvanor
