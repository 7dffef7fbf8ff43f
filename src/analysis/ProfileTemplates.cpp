// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ProfileTemplates.h"

#include "core/Text.h"
#include "editor/TemplateFile.h"
#include "startpoints/TextFileLines.h"

namespace tolvanor {

namespace {

std::vector<ProfilePoint> PointsOfLine(const std::vector<std::string_view>& fields) {
    const TemplateProfile read = TemplatePoints(fields);
    std::vector<ProfilePoint> points;
    points.reserve(read.Count());
    for (std::size_t i = 0; i < read.Count(); ++i) points.push_back({read.Distance[i], read.Elevation[i]});
    SortByDistance(points);
    return points;
}

} // namespace

bool ProfileTemplates::Read(const std::string& path, bool threeDigits) {
    byKey_.clear();
    const auto lines = ReadTextFileLines(path);
    if (!lines) return false;
    Parse(*lines, threeDigits);
    return true;
}

void ProfileTemplates::Parse(const std::vector<std::string>& lines, bool threeDigits) {
    byKey_.clear();
    for (const std::string& line : lines) {
        const auto fields = SplitFields(line, ',');
        auto key = TemplateKey(fields[0], threeDigits); // the overlay's keys
        if (byKey_.contains(key)) continue;             // the first template of a profile is the one drawn
        byKey_.emplace(std::move(key), PointsOfLine(fields));
    }
}

const std::vector<ProfilePoint>* ProfileTemplates::Find(std::string_view lineName) const {
    const auto found = byKey_.find(LineTemplateKey(lineName));
    return found == byKey_.end() ? nullptr : &found->second;
}

} // namespace tolvanor
