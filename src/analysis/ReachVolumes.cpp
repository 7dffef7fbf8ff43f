// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ReachVolumes.h"

#include "core/Job.h"

#include <cmath>
#include <optional>

namespace tolvanor {

namespace {

double Spacing(const Job& job, std::int32_t a, std::int32_t b) {
    const ShotRecord& from = job.Data.Header(a);
    const ShotRecord& to = job.Data.Header(b);
    return std::hypot(to.StartEasting() - from.StartEasting(), to.StartNorthing() - from.StartNorthing());
}

} // namespace

void AddReachVolumes(const Job& job, AnalysisResult& result) {
    result.Reaches.clear();
    result.Breaks.clear();
    result.ReachTotal = 0;
    std::optional<std::size_t> previous; // the last line that can take part, since the last break
    for (std::size_t i = 0; i < result.Lines.size(); ++i) {
        const LineFigures& line = result.Lines[i];
        switch (line.State) {
        case LineState::Ignored:
            continue;
        case LineState::NoStartingPoint:
        case LineState::TooFewShots:
            result.Breaks.push_back(i);
            previous.reset();
            continue;
        case LineState::Analysed:
            break;
        }
        if (previous) {
            const LineFigures& before = result.Lines[*previous];
            ReachVolume reach{*previous, i, Spacing(job, before.Line, line.Line), 0};
            reach.Volume = (before.AreaAboveDatum + line.AreaAboveDatum) / 2 * reach.Spacing;
            result.ReachTotal += reach.Volume;
            result.Reaches.push_back(reach);
        }
        previous = i;
    }
}

} // namespace tolvanor
