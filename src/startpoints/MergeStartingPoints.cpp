// SPDX-License-Identifier: GPL-3.0-or-later
#include "startpoints/MergeStartingPoints.h"

#include "core/Job.h"
#include "core/NumberParsing.h"
#include "core/Text.h"
#include "processing/LineGeometry.h"
#include "processing/ProfileNumber.h"
#include "startpoints/TextFileLines.h"
#include "startpoints/TrimToLastDigit.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace tolvanor {

namespace {

struct StartingPointEntry {
    std::string Key;
    double Easting = 0;
    double Northing = 0;
    float Angle = 0;
};

std::optional<StartingPointSkip> ParseEntry(std::string_view line, bool formatProfileNumbers,
                                            StartingPointEntry& entry) {
    if (IsBlankLine(line)) return StartingPointSkip::Blank;
    const auto fields = SplitFields(line, ',');
    if (fields.size() < 4) return StartingPointSkip::TooFewFields;
    const bool numbers = StrictToDouble(fields[1], entry.Easting) == ConversionStatus::Ok &&
                         StrictToDouble(fields[2], entry.Northing) == ConversionStatus::Ok &&
                         StrictToFloat(fields[3], entry.Angle) == ConversionStatus::Ok;
    if (!numbers) return StartingPointSkip::NotANumber;
    entry.Key = TrimToLastDigit(FormatProfileNumber(fields[0], formatProfileNumbers));
    return std::nullopt;
}

template <typename Real> bool SameBits(Real a, Real b) noexcept {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Written only when it differs, so a line the file leaves as it was keeps
// its LineVersion (and a later pass may skip it).
void SetStartingPoint(Job& job, std::int32_t line, const StartingPointEntry& entry) {
    const auto& header = job.Data.Header(line);
    if (SameBits(header.StartNorthing(), entry.Northing) && SameBits(header.StartEasting(), entry.Easting) &&
        SameBits(header.LineAngle(), entry.Angle)) {
        return;
    }
    auto& edited = job.Data.EditHeader(line);
    edited.StartNorthing() = entry.Northing;
    edited.StartEasting() = entry.Easting;
    edited.LineAngle() = entry.Angle;
}

} // namespace

void RecomputeLineDistances(Job& job, std::int32_t line) {
    if (const auto shots = EditLineForDistances(job, line)) SetDistances(*shots);
}

std::optional<LineShots> EditLineForDistances(Job& job, std::int32_t line) {
    if (!HasStartingPoint(job, line)) return std::nullopt;
    const LineStart start = StartOf(job, line);
    return LineShots{job.Data.EditShots(line, 1, std::min(job.ShotCount(line), job.Data.ShotBound())), start};
}

MergeReport MergeStartingPoints(Job& job, const std::string& path, bool formatProfileNumbers) {
    MergeReport report = ApplyStartingPointEntries(job, path, formatProfileNumbers);
    if (!report.FileRead) return report;
    const auto lastLine = std::min(job.LineCount, job.Data.LineBound());
    for (std::int32_t line = 1; line <= lastLine; ++line) RecomputeLineDistances(job, line);
    return report;
}

MergeReport ApplyStartingPointEntries(Job& job, const std::string& path, bool formatProfileNumbers) {
    MergeReport report;
    if (path.empty()) return report;
    FileReadError error;
    const auto lines = ReadTextFileLines(path, &error);
    if (!lines) {
        report.ReadFailed = !error.Missing;
        report.ReadError = error.Reason;
        return report;
    }
    report.FileRead = true;

    const auto lastLine = std::min(job.LineCount, job.Data.LineBound());
    std::vector<std::string> lineKeys(static_cast<std::size_t>(std::max(lastLine, 0) + 1));
    for (std::int32_t line = 1; line <= lastLine; ++line)
        lineKeys[static_cast<std::size_t>(line)] = TrimToLastDigit(job.LineName(line));

    StartingPointEntry entry;
    for (std::size_t at = 0; at < lines->size(); ++at) {
        if (const auto skip = ParseEntry((*lines)[at], formatProfileNumbers, entry)) {
            report.Skipped.push_back({static_cast<int>(at + 1), *skip});
            continue;
        }
        ++report.EntriesUsed;
        for (std::int32_t line = 1; line <= lastLine; ++line) {
            if (lineKeys[static_cast<std::size_t>(line)] != entry.Key) continue;
            SetStartingPoint(job, line, entry);
            ++report.HeadersSet;
        }
    }
    return report;
}

std::string UnreadableStartingPointFileText(const std::string& path, const MergeReport& report) {
    return "Unable to read the starting point file " + path + "\r\n" + report.ReadError;
}

} // namespace tolvanor
