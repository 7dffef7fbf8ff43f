// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tolvanor {

// What the editor's data flow asks of the charts. The chart views implement
// it; headless runs pass none.
class PlotSink {
public:
    virtual ~PlotSink() = default;

    // Plan view: the curve named `name` gets these points, replacing its old
    // ones, or is added when the chart has no curve of that name.
    virtual void UpdatePlanCurve(std::string_view name, std::span<const double> eastings,
                                 std::span<const double> northings) = 0;
    // Removes every curve of the elevation, DBT, heave and tide charts.
    virtual void RemoveProfileCurves() = 0;
    // Redraws the profile charts for a line (0: the current line).
    virtual void PlotData(std::int32_t line) = 0;
    // Plan view: marks the curve named `name` and unmarks every other one.
    virtual void MarkPlanCurve(std::string_view name) = 0;
};

} // namespace tolvanor
