// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/AnalyseJob.h"

#include "analysis/ProfileTemplates.h"
#include "analysis/ReachVolumes.h"
#include "core/Job.h"
#include "core/Progress.h"
#include "processing/LineGeometry.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace tolvanor {

namespace {

void SetRanges(std::span<const ProfilePoint> profile, LineFigures& figures) {
    figures.MinDistance = profile.front().Distance;
    figures.MaxDistance = profile.back().Distance;
    const auto [low, high] = std::minmax_element(
        profile.begin(), profile.end(), [](const auto& a, const auto& b) { return a.Elevation < b.Elevation; });
    figures.MinElevation = low->Elevation;
    figures.MaxElevation = high->Elevation;
}

LineState StateOf(const Job& job, std::int32_t line) {
    if (job.Data.Header(line).LineIgnored()) return LineState::Ignored;
    if (!HasStartingPoint(job, line)) return LineState::NoStartingPoint;
    return LineState::Analysed;
}

} // namespace

void AnalyseProfile(std::span<const ProfilePoint> profile, const AnalysisOptions& options, LineFigures& figures) {
    figures.ShotsUsed = static_cast<int>(profile.size());
    figures.State = profile.size() < 2 ? LineState::TooFewShots : LineState::Analysed;
    figures.Contours.clear();
    for (const double level : options.Contours) figures.Contours.push_back(FindContourCrossings(profile, level));
    if (profile.empty()) return;
    SetRanges(profile, figures);
    figures.AreaAboveDatum = AreaAboveDatum(profile, options.Datum, options.From, options.To);
    if (options.Templates == nullptr) return;
    if (const auto* design = options.Templates->Find(figures.Profile)) {
        figures.HasTemplate = true;
        figures.Template = AreasBetween(profile, *design, -std::numeric_limits<double>::infinity(),
                                        std::numeric_limits<double>::infinity());
    }
}

AnalysisResult AnalyseJob(const Job& job, const AnalysisOptions& options, Progress* progress) {
    AnalysisResult result;
    result.Lines.reserve(static_cast<std::size_t>(std::max(job.LineCount, 0)));
    std::vector<ProfilePoint> profile; // reused: no allocation per line once it has grown
    for (std::int32_t line = 1; line <= job.LineCount; ++line) {
        LineFigures& figures = result.Lines.emplace_back();
        figures.Line = line;
        figures.Profile = job.LineName(line);
        figures.State = StateOf(job, line);
        if (figures.State == LineState::Analysed) {
            ExtractProfile(job, line, profile);
            AnalyseProfile(profile, options, figures);
        }
        ReportProgress(progress, line, job.LineCount);
    }
    AddReachVolumes(job, result);
    return result;
}

} // namespace tolvanor
