// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/TemplateFile.h"

#include "core/NumberParsing.h"
#include "core/Text.h"
#include "input/Remark.h"
#include "processing/FieldHelpers.h"
#include "startpoints/TextFileLines.h"
#include "startpoints/TrimToLastDigit.h"

namespace tolvanor {

TemplateProfile TemplatePoints(std::span<const std::string_view> fields) {
    TemplateProfile points;
    for (std::size_t j = 1; j + 1 < fields.size() && points.Count() < TemplateProfile::MaxPoints; j += 2) {
        float distance = 0;
        float elevation = 0;
        // A pair that is not two numbers is left out; the rest of the line still counts.
        if (StrictToFloat(fields[j], distance) != ConversionStatus::Ok) continue;
        if (StrictToFloat(fields[j + 1], elevation) != ConversionStatus::Ok) continue;
        points.Distance.push_back(distance);
        points.Elevation.push_back(elevation);
    }
    return points;
}

std::string TemplateKey(std::string_view name, bool threeDigits) {
    return ProfileNumberFromRemark(name, threeDigits);
}

std::string LineTemplateKey(std::string_view profileNumber) {
    return TrimToLastDigit(profileNumber);
}

std::optional<TemplateProfile> FindTemplate(std::span<const std::string> lines, std::string_view lineKey,
                                            bool threeDigits) {
    for (const auto& line : lines) {
        const auto fields = SplitFields(line, ',');
        if (fields.empty() || TemplateKey(fields.front(), threeDigits) != lineKey) continue;
        return TemplatePoints(fields);
    }
    return std::nullopt;
}

TemplateLookup LoadTemplate(const std::string& path, std::string_view lineKey, bool threeDigits) {
    TemplateLookup lookup;
    const auto lines = FileExists(path) ? ReadTextFileLines(path) : std::nullopt;
    if (!lines) {
        lookup.Status = TemplateStatus::FileMissing;
        return lookup;
    }
    if (auto points = FindTemplate(*lines, lineKey, threeDigits)) {
        lookup.Status = TemplateStatus::Found;
        lookup.Points = std::move(*points);
    }
    return lookup;
}

} // namespace tolvanor
