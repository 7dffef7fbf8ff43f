// SPDX-License-Identifier: GPL-3.0-or-later
#include "startpoints/StartingPointCommands.h"

#include "core/Job.h"
#include "processing/FieldHelpers.h"
#include "processing/LineGeometry.h"

namespace tolvanor {
namespace {

std::string Plural(int count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

} // namespace

FileDialogRequest StartingPointFileRequest(std::string_view currentFile) {
    return {"", "Start Point Files (*.spf)|*.spf|All Files (*.*)|*.*", "", std::string(currentFile)};
}

std::optional<MergeReport> MergeStartingPointsCommand(Job& job, const std::string& path, bool formatProfileNumbers,
                                                      Prompter& prompter) {
    if (path.empty()) {
        prompter.Message(MessageRequest{"No Starting Point File specified", "Error"});
        return std::nullopt;
    }
    if (!FileExists(path)) {
        prompter.Message(
            MessageRequest{"Specified Starting Point File does not exist.  Please select another file.", "Error"});
        return std::nullopt;
    }
    auto report = MergeStartingPoints(job, path, formatProfileNumbers);
    // A file that exists but cannot be read merged nothing: say why instead of a summary.
    if (report.ReadFailed) {
        prompter.Message(MessageRequest{UnreadableStartingPointFileText(path, report)});
        return std::nullopt;
    }
    return report;
}

StartingPointCoverage CountStartingPoints(const Job& job) {
    StartingPointCoverage coverage;
    for (std::int32_t line = 1; line <= job.LineCount; ++line) {
        if (HasStartingPoint(job, line)) {
            ++coverage.WithStartingPoint;
        } else {
            ++coverage.WithoutStartingPoint;
        }
    }
    return coverage;
}

std::string MergeSummaryText(const MergeReport& report, const StartingPointCoverage& coverage) {
    std::string text = "Starting points: " + Plural(coverage.WithStartingPoint, "line has one", "lines have one") +
                       ", " + Plural(coverage.WithoutStartingPoint, "line has none", "lines have none");
    const int skipped = ListedSkips(report);
    if (skipped > 0) text += "; " + Plural(skipped, "line of the file was skipped", "lines of the file were skipped");
    return text + ".";
}

std::string SkippedLineText(const SkippedStartingPoint& skipped) {
    switch (skipped.Reason) {
    case StartingPointSkip::Blank:
        return {};
    case StartingPointSkip::TooFewFields:
        return "line " + std::to_string(skipped.LineNumber) + ": fewer than four fields";
    case StartingPointSkip::NotANumber:
        return "line " + std::to_string(skipped.LineNumber) + ": easting, northing or angle is not a number";
    }
    return {};
}

int ListedSkips(const MergeReport& report) {
    int count = 0;
    for (const auto& skipped : report.Skipped) {
        if (skipped.Reason != StartingPointSkip::Blank) ++count;
    }
    return count;
}

} // namespace tolvanor
