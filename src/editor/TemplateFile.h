// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanor {

// A reference profile of a template file (.tvt): distance and elevation pairs.
struct TemplateProfile {
    static constexpr std::size_t MaxPoints = 101;
    std::vector<float> Distance;
    std::vector<float> Elevation;
    std::size_t Count() const noexcept { return Distance.size(); }
};

// The key of a template line from its first field, "PRO<number>": the text
// after the first three characters (whatever they are) up to the first
// blank, with the three-digit formatting when it is on.
std::string TemplateKey(std::string_view name, bool threeDigits);

// The key a line is matched by: its profile number up to its last digit.
std::string LineTemplateKey(std::string_view profileNumber);

// The points of one template line split at its commas, the name first:
// the fields after it pair up as (distance, elevation); only complete pairs
// of two numbers count, at most MaxPoints of them, in the file's order.
TemplateProfile TemplatePoints(std::span<const std::string_view> fields);

// The points of the first line whose key equals `lineKey` (nothing when no
// line matches).
std::optional<TemplateProfile> FindTemplate(std::span<const std::string> lines, std::string_view lineKey,
                                            bool threeDigits);

enum class TemplateStatus { Found, NoMatch, FileMissing };

struct TemplateLookup {
    TemplateStatus Status = TemplateStatus::NoMatch;
    TemplateProfile Points;
};

// Reads the template file and finds the line's template.
TemplateLookup LoadTemplate(const std::string& path, std::string_view lineKey, bool threeDigits);

} // namespace tolvanor
