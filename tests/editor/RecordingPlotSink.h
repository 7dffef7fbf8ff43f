// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/PlotSink.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tolvanor::testing {

// Keeps the plan-view curves by name and logs every other call in order.
class RecordingPlotSink : public PlotSink {
public:
    struct Curve {
        std::vector<double> Eastings;
        std::vector<double> Northings;
    };

    void UpdatePlanCurve(std::string_view name, std::span<const double> eastings,
                         std::span<const double> northings) override {
        PlanCurves[std::string(name)] = {{eastings.begin(), eastings.end()}, {northings.begin(), northings.end()}};
        ++PlanUpdates;
    }
    void RemoveProfileCurves() override { Calls.emplace_back("RemoveProfileCurves"); }
    void PlotData(std::int32_t line) override { Calls.push_back("PlotData " + std::to_string(line)); }
    void MarkPlanCurve(std::string_view name) override { Calls.push_back("MarkPlanCurve " + std::string(name)); }

    std::map<std::string, Curve> PlanCurves;
    int PlanUpdates = 0;
    std::vector<std::string> Calls;
};

} // namespace tolvanor::testing
