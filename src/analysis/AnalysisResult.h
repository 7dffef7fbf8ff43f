// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ContourCrossings.h"
#include "analysis/ProfileAreas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tolvanor {

// Why a line has no figures, or why it cannot take part in a volume.
enum class LineState {
    Analysed,        // a profile of two shots or more
    TooFewShots,     // analysed, but with fewer than two shots it has no end area
    Ignored,         // the line is marked ignored: left out, its neighbours meet across it
    NoStartingPoint, // no distances down range: left out, and it breaks the chain
};

struct LineFigures {
    std::int32_t Line = 0;
    std::string Profile;
    LineState State = LineState::Analysed;
    int ShotsUsed = 0; // shots that are not ignored
    // Ranges of the profile; meaningful when ShotsUsed > 0.
    double MinDistance = 0;
    double MaxDistance = 0;
    double MinElevation = 0;
    double MaxElevation = 0;
    double AreaAboveDatum = 0;              // within the limits (0 for fewer than two shots)
    std::vector<ContourCrossings> Contours; // one per requested contour, in the order asked
    bool HasTemplate = false;               // a template matched this line
    AreaPair Template;                      // survey above / below the template where both cover
};

// The volume between two neighbouring lines by average end area.
struct ReachVolume {
    std::size_t FromIndex = 0; // indices into AnalysisResult::Lines
    std::size_t ToIndex = 0;
    double Spacing = 0; // distance between the two starting points
    double Volume = 0;  // (A_from + A_to) / 2 x Spacing
};

struct AnalysisResult {
    std::vector<LineFigures> Lines; // every line 1..LineCount, in profile-list order
    std::vector<ReachVolume> Reaches;
    double ReachTotal = 0;
    // Lines that break the chain of volumes (no starting point, too few shots).
    std::vector<std::size_t> Breaks;
};

} // namespace tolvanor
