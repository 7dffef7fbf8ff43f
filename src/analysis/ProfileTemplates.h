// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ProfilePolyline.h"
#include "editor/TemplateFile.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tolvanor {

// The design profiles of a template file (.tvt), found by line the way the
// editor's overlay finds them, read with the overlay's own reader. Each file line is "<name>,d1,e1,d2,e2,...":
// its key is the profile number of the name read as a remark ("PRO12" ->
// "12", through the three-digit option); a line's key is its profile number
// up to its last digit. The first template of a key wins; only complete
// numeric pairs are taken, at most MaxPoints of them, each value a 32-bit
// float as the overlay draws it. The points are kept sorted by distance.
class ProfileTemplates {
public:
    static constexpr std::size_t MaxPoints = TemplateProfile::MaxPoints;

    // Reads the file; false when it cannot be read (then none is found).
    bool Read(const std::string& path, bool threeDigits);
    // The same from the file's lines (without their line ends).
    void Parse(const std::vector<std::string>& lines, bool threeDigits);

    // The template of a line named `lineName`; null when none matches.
    const std::vector<ProfilePoint>* Find(std::string_view lineName) const;
    std::size_t Size() const noexcept { return byKey_.size(); }

private:
    std::unordered_map<std::string, std::vector<ProfilePoint>> byKey_;
};

} // namespace tolvanor
