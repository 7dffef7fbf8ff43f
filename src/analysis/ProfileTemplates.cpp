// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ProfileTemplates.h"

#include "core/NumberParsing.h"
#include "core/Text.h"
#include "editor/TemplateFile.h"
#include "startpoints/TextFileLines.h"

namespace tolvanor {

namespace {

std::vector<ProfilePoint> PointsOfLine(const std::vector<std::string_view>& fields) {
    std::vector<ProfilePoint> points;
    for (std::size_t j = 1; j + 1 < fields.size() && points.size() < ProfileTemplates::MaxPoints; j += 2) {
        float distance = 0;
        float elevation = 0;
        // A pair that is not two numbers is left out; the rest of the line still counts.
        if (StrictToFloat(fields[j], distance) != ConversionStatus::Ok) continue;
        if (StrictToFloat(fields[j + 1], elevation) != ConversionStatus::Ok) continue;
        points.push_back({distance, elevation});
    }
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
