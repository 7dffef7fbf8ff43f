// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Prompter.h"
#include "startpoints/MergeStartingPoints.h"

#include <optional>
#include <string>
#include <string_view>

namespace tolvanor {

class Job;

// The open dialog of "Select Starting Point File", started on the current file.
FileDialogRequest StartingPointFileRequest(std::string_view currentFile);

// "Merge Starting Points": checks the file named in the box (the two
// messages of the command), then merges it. Nothing when a check failed.
std::optional<MergeReport> MergeStartingPointsCommand(Job& job, const std::string& path, bool formatProfileNumbers,
                                                      Prompter& prompter);

// Lines 1..LineCount with and without a starting point.
struct StartingPointCoverage {
    int WithStartingPoint = 0;
    int WithoutStartingPoint = 0;
};
StartingPointCoverage CountStartingPoints(const Job& job);

// The status line after a merge: how many lines have a starting point, how
// many have none, and how many lines of the file were skipped.
std::string MergeSummaryText(const MergeReport& report, const StartingPointCoverage& coverage);

// "line 12: fewer than four fields": one skipped line of the file (blank
// lines are not worth listing, so they give an empty text).
std::string SkippedLineText(const SkippedStartingPoint& skipped);
// The number of skipped lines worth listing (blank lines left out).
int ListedSkips(const MergeReport& report);

} // namespace tolvanor
