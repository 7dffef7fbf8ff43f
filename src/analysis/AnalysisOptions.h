// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <limits>
#include <vector>

namespace tolvanor {

class ProfileTemplates;

// What an analysis is asked for, gathered by the window or the batch command.
struct AnalysisOptions {
    double Datum = 0;
    // Distance limits of the area above datum; the default is each profile's
    // own extent, and limits beyond it are clipped to it. Given in either order.
    double From = -std::numeric_limits<double>::infinity();
    double To = std::numeric_limits<double>::infinity();
    std::vector<double> Contours;
    // The design profiles to compare with; null: no comparison.
    const ProfileTemplates* Templates = nullptr;
};

} // namespace tolvanor
